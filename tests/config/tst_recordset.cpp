// The record operations and conversions that the window relies on.
#include "DefaultRow.h"
#include "Error.h"
#include "FileList.h"
#include "TestSupport.h"
#include "Transaction.h"

#include <QTest>

using dazu::config::Variant;
using dazu::test::AppFolder;

Q_DECLARE_METATYPE(Variant)

class tst_Recordset : public QObject {
    Q_OBJECT

    AppFolder folder;
    std::string path() const { return folder.databasePath(); }

    void withDefaultRow() {
        auto tables = dazu::config::OpenConfiguration(path());
        dazu::config::WriteDefaultRow(tables, "/apps/dazu");
    }

    static Variant read(dazu::config::Recordset& setup, const char* field) {
        return setup.Fields(field).Value();
    }

private Q_SLOTS:
    void init() {
        QFile::remove(folder.file(QStringLiteral("DAZU.CFG")));
        folder.createDatabase();
    }

    void defaultRow_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("expected");
        const auto text = [](const char* s) { return Variant(std::string(s)); };
        QTest::newRow("programapc") << "programapc" << text("c:\\windows\\calc.exe");
        QTest::newRow("programatm") << "programatm" << text("roza5.exe");
        QTest::newRow("Puerto") << "Puerto" << Variant(1);
        QTest::newRow("baudios") << "baudios" << Variant(38400);
        QTest::newRow("intervalo") << "intervalo" << Variant(5000);
        for (const char* yes : {"modolectura", "correrprogramatm", "limpiar"})
            QTest::newRow(yes) << yes << Variant(true);
        for (const char* no : {"correrprogramapc", "enable", "borrar", "borrarhornet", "borrarpc",
                               "unirarchivos", "askother"})
            QTest::newRow(no) << no << Variant(false);
        QTest::newRow("filehost") << "filehost" << text("c:\\xxx\\mezcla.txt");
        QTest::newRow("filetoappend")
            << "filetoappend" << text("C:\\Tevan\\Vendra PlugIns\\KQ-410 PC\\Source\\zedirad.txt");
        QTest::newRow("pathdest is the directory as given") << "pathdest" << text("/apps/dazu");
        QTest::newRow("pathori is empty, not Null") << "pathori" << text("");
    }
    void defaultRow() {
        QFETCH(QString, field);
        QFETCH(Variant, expected);
        withDefaultRow();
        auto tables = dazu::config::OpenConfiguration(path());
        QCOMPARE(tables.Setup.RecordCount(), 1);
        tables.Setup.MoveFirst();
        QCOMPARE(read(tables.Setup, qPrintable(field)), expected);
    }

    void defaultRowIsWrittenOnlyIntoAnEmptyTable() {
        withDefaultRow();
        {
            auto tables = dazu::config::OpenConfiguration(path());
            tables.Setup.MoveFirst();
            tables.Setup.Edit();
            tables.Setup.Fields("Puerto").SetValue(7);
            tables.Setup.Update();
        }
        withDefaultRow();
        auto tables = dazu::config::OpenConfiguration(path());
        QCOMPARE(tables.Setup.RecordCount(), 1);
        tables.Setup.MoveFirst();
        QCOMPARE(read(tables.Setup, "Puerto"), Variant(7));
    }

    // What the window writes, and what reads back; a refused value leaves the row as it was.
    void conversions_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("written");
        QTest::addColumn<Variant>("readBack");
        QTest::addColumn<QString>("error");
        QTest::newRow("check state 1") << "borrar" << Variant(1) << Variant(true) << "";
        QTest::newRow("check state 0") << "modolectura" << Variant(0) << Variant(false) << "";
        QTest::newRow("any other number is Yes") << "borrar" << Variant(-1) << Variant(true) << "";
        QTest::newRow("speed as text") << "baudios" << Variant("38400") << Variant(38400) << "";
        QTest::newRow("port as text") << "Puerto" << Variant("5") << Variant(5) << "";
        QTest::newRow("text kept untrimmed")
            << "programapc" << Variant("  calc.exe ") << Variant("  calc.exe ") << "";
        QTest::newRow("empty text") << "filehost" << Variant("") << Variant("") << "";
        QTest::newRow("Null pathdest") << "pathdest" << Variant() << Variant() << "";
        QTest::newRow("letters refused")
            << "intervalo" << Variant("abc") << Variant(5000) << "cannot store TEXT value";
        QTest::newRow("empty number refused")
            << "Puerto" << Variant("") << Variant(1) << "cannot store TEXT value";
        QTest::newRow("over 32 bits refused")
            << "intervalo" << Variant("2147483648") << Variant(5000) << "CHECK constraint failed";
        QTest::newRow("under 32 bits refused") << "baudios" << Variant(std::int64_t{-2147483649LL})
                                               << Variant(38400) << "CHECK constraint failed";
        QTest::newRow("Null refused where a value is needed")
            << "programatm" << Variant() << Variant("roza5.exe") << "NOT NULL";
    }
    void conversions() {
        QFETCH(QString, field);
        QFETCH(Variant, written);
        QFETCH(Variant, readBack);
        QFETCH(QString, error);
        withDefaultRow();
        auto tables = dazu::config::OpenConfiguration(path());
        tables.Setup.MoveFirst();
        tables.Setup.Edit();
        tables.Setup.Fields("programatm").SetValue("otro.exe"); // stored together, or not at all
        tables.Setup.Fields(field.toStdString()).SetValue(written);
        QString thrown;
        try {
            tables.Setup.Update();
        } catch (const std::exception& e) {
            thrown = QString::fromUtf8(e.what());
        }
        QVERIFY2(error.isEmpty() ? thrown.isEmpty() : thrown.contains(error), qPrintable(thrown));
        // The record stays current after Update and reads the stored, converted value.
        if (error.isEmpty())
            QCOMPARE(read(tables.Setup, qPrintable(field)), readBack);
        const Variant stored = dazu::test::SetupField(path(), field.toStdString());
        QCOMPARE(stored, readBack);
        QCOMPARE(dazu::test::SetupField(path(), "programatm"),
                 Variant(error.isEmpty() ? "otro.exe" : "roza5.exe"));
    }

    void onlyTheFirstSetupRowIsRead() {
        withDefaultRow();
        auto tables = dazu::config::OpenConfiguration(path());
        tables.Setup.AddNew();
        for (const auto& [field, value] : dazu::config::DefaultSettings("/second"))
            tables.Setup.Fields(field).SetValue(value);
        tables.Setup.Update();
        tables.Setup.MoveFirst();
        QCOMPARE(read(tables.Setup, "pathdest"), Variant("/apps/dazu"));
        tables.Setup.MoveNext();
        QCOMPARE(read(tables.Setup, "pathdest"), Variant("/second"));
        tables.Setup.MoveNext();
        QVERIFY(tables.Setup.Eof());
    }

    // Names come back in index order, case-insensitively, across many pages.
    void indexOrderAcrossPages() {
        auto tables = dazu::config::OpenConfiguration(path());
        dazu::config::Transaction batch(tables.database);
        QStringList expected;
        for (int i = 999; i >= 0; --i) {
            const QString name = (i % 2 ? QStringLiteral("N%1") : QStringLiteral("n%1"))
                                     .arg(i, 4, 10, QLatin1Char('0'));
            tables.Files.AddNew();
            tables.Files.Fields("FILE").SetValue(name.toStdString());
            tables.Files.Update();
            expected.prepend(name);
        }
        batch.Commit();
        QCOMPARE(dazu::test::ListNames(path(), "Files"), expected);
        QCOMPARE(dazu::test::ListNames(path(), "FPCHH"), QStringList());
    }

    void seekDeleteAndMoveFirst() {
        auto tables = dazu::config::OpenConfiguration(path());
        auto& files = tables.Files;
        files.Index("FILE");
        for (const char* name : {"b.txt", "A.txt", "c.txt"}) {
            files.AddNew();
            files.Fields("FILE").SetValue(name);
            files.Update();
        }
        files.Seek("=", "zzz");
        QVERIFY(files.NoMatch() && files.Eof()); // no current record after a failed seek
        files.Seek("=", "a.TXT");                // the index compares without regard to case
        QVERIFY(!files.NoMatch());
        QCOMPARE(files.Fields("FILE").Value(), Variant("A.txt"));
        files.MoveNext(); // a seek positions the table in index order
        QCOMPARE(files.Fields("FILE").Value(), Variant("b.txt"));
        files.Delete();
        QVERIFY_THROWS_EXCEPTION(dazu::config::Error, files.Fields("FILE").Value());
        files.MoveNext();
        QCOMPARE(files.Fields("FILE").Value(), Variant("c.txt"));
        for (const char* name : {"A.txt", "c.txt"}) {
            files.Seek("=", name);
            QVERIFY(!files.NoMatch());
            files.Delete();
            files.MoveFirst();
        }
        QVERIFY(files.Eof()); // MoveFirst on the emptied table raises nothing
        QCOMPARE(files.RecordCount(), 0);
        files.AddNew();
        files.Fields("FILE").SetValue("");
        files.Update();
        files.Seek("=", "");
        QVERIFY(!files.NoMatch());
    }

    // The foldings a seek has seen are remembered, and a name stored since, by this cursor or
    // by another program, is found all the same.
    void aFoldingStoredMeanwhileIsFound() {
        auto tables = dazu::config::OpenConfiguration(path());
        auto& files = tables.Files;
        files.Index("FILE");
        files.Seek("=", "pedidos.txt");
        QVERIFY(files.NoMatch());
        QVERIFY(dazu::config::AddFileName(files, "año.txt"));
        QVERIFY(!dazu::config::AddFileName(files, "AÑO.TXT"));
        {
            auto other = dazu::config::OpenConfiguration(path());
            other.Files.Index("FILE");
            QVERIFY(dazu::config::AddFileName(other.Files, "ÑANDÚ.TXT"));
        }
        QVERIFY(!dazu::config::AddFileName(files, "ñandú.txt"));
        QCOMPARE(dazu::test::ListNames(path(), "Files").size(), 2);
    }

    void aDuplicateNameIsRefusedByTheIndex() {
        auto tables = dazu::config::OpenConfiguration(path());
        for (const char* name : {"x.txt", "X.TXT"}) {
            tables.FPCHH.AddNew();
            tables.FPCHH.Fields("FILE").SetValue(name);
            if (QByteArray(name) == "x.txt")
                tables.FPCHH.Update();
            else
                QVERIFY_THROWS_EXCEPTION(std::exception, tables.FPCHH.Update());
        }
        QCOMPARE(dazu::test::ListNames(path(), "FPCHH"), QStringList{QStringLiteral("x.txt")});
    }
};

QTEST_GUILESS_MAIN(tst_Recordset)
#include "tst_recordset.moc"
