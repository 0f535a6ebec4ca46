// Whatever the user types is stored and read back exactly, or refused with the engine's
// description and nothing stored; a name never matches another one by a pattern.
#include "DefaultRow.h"
#include "LoaderRead.h"
#include "TestSupport.h"

#include <QTest>

using dazu::config::Variant;
using dazu::test::AppFolder;

class tst_BadInput : public QObject {
    Q_OBJECT

    AppFolder folder;
    std::string path() const { return folder.databasePath(); }

private Q_SLOTS:
    void init() {
        QFile::remove(folder.file(QStringLiteral("DAZU.CFG")));
        folder.createDatabase();
        auto tables = dazu::config::OpenConfiguration(path());
        dazu::config::WriteDefaultRow(tables.Setup, "/apps/dazu");
    }

    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QStringLiteral("it's \"quoted\".txt");
        QTest::newRow("semicolon and SQL") << QStringLiteral("a.txt'; DROP TABLE Files; --");
        QTest::newRow("SQL keywords") << QStringLiteral("SELECT * FROM Setup WHERE 1=1");
        QTest::newRow("percent and underscore") << QStringLiteral("100%_done.txt");
        QTest::newRow("backslashes") << QStringLiteral("C:\\datos\\\\n\\x.txt\\");
        QTest::newRow("spaces around") << QStringLiteral("  a.txt  ");
        QTest::newRow("non-ASCII letters") << QStringLiteral("Año_ÑANDÚ_ßçÅ.txt");
        QTest::newRow("emoji") << QStringLiteral("📦 envío 👍🏽.txt");
        QTest::newRow("10,000 characters") << QString(10000, QChar(0x00F1));
        QTest::newRow("empty") << QString();
    }
    // Each text as a name in a list, and in a text field of the settings row.
    void texts() {
        QFETCH(QString, text);
        const std::string typed = text.toStdString();
        {
            auto tables = dazu::config::OpenConfiguration(path());
            for (const char* neighbour : {"a.txt", "abc", "100.txt"}) {
                tables.FPCHH.AddNew();
                tables.FPCHH.Fields("FILE").SetValue(neighbour);
                tables.FPCHH.Update();
            }
            tables.FPCHH.AddNew();
            tables.FPCHH.Fields("FILE").SetValue(typed);
            tables.FPCHH.Update();
            tables.Setup.MoveFirst();
            tables.Setup.Edit();
            tables.Setup.Fields("programapc").SetValue(typed);
            tables.Setup.Update();
        }
        auto tables = dazu::config::OpenConfiguration(path());
        tables.FPCHH.Index("FILE");
        tables.FPCHH.Seek("=", typed);
        QVERIFY(!tables.FPCHH.NoMatch());
        QCOMPARE(tables.FPCHH.Fields("FILE").Value(), Variant(typed));
        const QStringList names = dazu::test::ListNames(path(), "FPCHH");
        QCOMPARE(names.size(), 4);
        QCOMPARE(names.count(text), 1);
        QCOMPARE(dazu::test::SetupField(path(), "programapc"), Variant(typed));
    }

    // Texts that would find "abc" if Seek compared by a pattern, by a prefix or ignoring spaces.
    void patternsMatchNothing_data() {
        QTest::addColumn<QString>("sought");
        for (const char* sought :
             {"a%", "a_c", "%", "a%c", "a*", "a?c", "abc ", " abc", "ab", "abcd"})
            QTest::addRow("%s", sought) << QString::fromUtf8(sought);
    }
    void patternsMatchNothing() {
        QFETCH(QString, sought);
        auto tables = dazu::config::OpenConfiguration(path());
        tables.Files.Index("FILE");
        tables.Files.AddNew();
        tables.Files.Fields("FILE").SetValue("abc");
        tables.Files.Update();
        tables.Files.Seek("=", sought.toStdString());
        QVERIFY(tables.Files.NoMatch());
        // Stored as well, the sought name is found itself, not the one it might match.
        tables.Files.AddNew();
        tables.Files.Fields("FILE").SetValue(sought.toStdString());
        tables.Files.Update();
        tables.Files.Seek("=", sought.toStdString());
        QVERIFY(!tables.Files.NoMatch());
        QCOMPARE(tables.Files.Fields("FILE").Value(), Variant(sought.toStdString()));
    }

    // A whole-number field gets the text of its control; the engine turns it into the number
    // or refuses it, and then nothing of the same Update is stored.
    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QString>("refusal"); // empty when stored
        QTest::newRow("plus sign") << "+5" << qint64(5) << "";
        QTest::newRow("minus sign") << "-5" << qint64(-5) << "";
        QTest::newRow("spaces around") << " 7 " << qint64(7) << "";
        QTest::newRow("leading zeros") << "0050" << qint64(50) << "";
        QTest::newRow("whole decimal") << "5.0" << qint64(5) << "";
        QTest::newRow("exponent") << "1e3" << qint64(1000) << "";
        QTest::newRow("largest") << "2147483647" << qint64(2147483647) << "";
        QTest::newRow("smallest") << "-2147483648" << qint64(-2147483648LL) << "";
        QTest::newRow("decimal fraction") << "5.5" << qint64(0) << "cannot store REAL value";
        QTest::newRow("decimal comma") << "5,0" << qint64(0) << "cannot store TEXT value";
        QTest::newRow("one past the largest")
            << "2147483648" << qint64(0) << "CHECK constraint failed";
        QTest::newRow("one past the smallest")
            << "-2147483649" << qint64(0) << "CHECK constraint failed";
        QTest::newRow("past 64 bits")
            << "9223372036854775808" << qint64(0) << "cannot store REAL value";
        QTest::newRow("two signs") << "+-5" << qint64(0) << "cannot store TEXT value";
        QTest::newRow("hexadecimal") << "0x10" << qint64(0) << "cannot store TEXT value";
        QTest::newRow("only spaces") << "  " << qint64(0) << "cannot store TEXT value";
        QTest::newRow("other digits") << "٣٤" << qint64(0) << "cannot store TEXT value";
        QTest::newRow("SQL") << "1; DROP TABLE Setup" << qint64(0) << "cannot store TEXT value";
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(qint64, stored);
        QFETCH(QString, refusal);
        const auto before = dazu::test::StoredSettings(path());
        auto tables = dazu::config::OpenConfiguration(path());
        tables.Setup.MoveFirst();
        tables.Setup.Edit();
        tables.Setup.Fields("programatm").SetValue("otro.exe");
        tables.Setup.Fields("intervalo").SetValue(text.toStdString());
        QString thrown;
        try {
            tables.Setup.Update();
        } catch (const std::exception& e) {
            thrown = QString::fromUtf8(e.what());
        }
        if (refusal.isEmpty()) {
            QVERIFY2(thrown.isEmpty(), qPrintable(thrown));
            QCOMPARE(dazu::test::SetupField(path(), "intervalo"), Variant(std::int64_t{stored}));
            QCOMPARE(dazu::test::SetupField(path(), "programatm"), Variant("otro.exe"));
        } else {
            QVERIFY2(thrown.contains(refusal), qPrintable(thrown));
            QVERIFY(dazu::test::StoredSettings(path()) == before);
        }
    }
};

QTEST_GUILESS_MAIN(tst_BadInput)
#include "tst_badinput.moc"
