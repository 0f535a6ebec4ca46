// The storage rules, once for every editor (the window, dazucfg): the default row, what a
// field turns a written value into or refuses, the letter-case rule of names, the record
// operations the editors move with, and transactions.
#include "DefaultRow.h"
#include "Error.h"
#include "FileList.h"
#include "TestSupport.h"
#include "Transaction.h"

#include <QTest>

using dazu::config::Variant;
using dazu::test::ListNames;
using dazu::test::SetupField;

Q_DECLARE_METATYPE(Variant)

class tst_Storage : public QObject {
    Q_OBJECT

    dazu::test::AppFolder folder;
    std::string path() const { return folder.databasePath(); }
    dazu::config::Configuration open() { return dazu::config::OpenConfiguration(path()); }
    void add(dazu::config::Recordset& table, const QByteArray& name) {
        table.AddNew();
        table.Fields("FILE").SetValue(name.toStdString());
        table.Update();
    }

private Q_SLOTS:
    void init() {
        QFile::remove(folder.file(QStringLiteral("DAZU.CFG")));
        folder.createDatabase();
        auto tables = open();
        dazu::config::WriteDefaultRow(tables, "/apps/dazu");
    }

    void defaultRowOnlyIntoAnEmptyTable() {
        const QStringList first = dazu::test::StoredRow(path());
        QCOMPARE(first.join(QLatin1Char(';')),
                 "programapc = \"c:\\windows\\calc.exe\";programatm = \"roza5.exe\";"
                 "modolectura = True;Puerto = 1;baudios = 38400;intervalo = 5000;"
                 "correrprogramapc = False;correrprogramatm = True;enable = False;"
                 "filehost = \"c:\\xxx\\mezcla.txt\";filetoappend = "
                 "\"C:\\Tevan\\Vendra PlugIns\\KQ-410 PC\\Source\\zedirad.txt\";"
                 "borrar = False;limpiar = True;borrarhornet = False;borrarpc = False;"
                 "unirarchivos = False;askother = False;pathdest = \"/apps/dazu\";pathori = \"\"");
        folder.seed({{"Puerto", 7}});
        auto tables = open();
        dazu::config::WriteDefaultRow(tables, "/other");
        QCOMPARE(tables.Setup.RecordCount(), 1);
        QCOMPARE(SetupField(path(), "Puerto"), Variant(7));
    }

    // What a field makes of a written value; a refused value leaves the whole update unstored.
    void conversions_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<Variant>("written");
        QTest::addColumn<Variant>("stored");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const char* field, Variant written, Variant stored,
                            const char* error = "") {
            QTest::newRow(name) << field << written << stored << error;
        };
        row("check state 0", "modolectura", 0, false);
        row("any other number is Yes", "borrar", -1, true);
        row("text kept untrimmed", "programapc", "  calc.exe ", "  calc.exe ");
        row("empty text", "filehost", "", "");
        row("Null pathdest", "pathdest", Variant(), Variant());
        row("Null where a value is needed", "programatm", Variant(), "roza5.exe", "NOT NULL");
        row("port as text", "Puerto", "5", 5);
        row("plus sign", "baudios", "+5", 5);
        row("spaces around", "Puerto", " 7 ", 7);
        row("whole decimal", "intervalo", "5.0", 5);
        row("exponent", "intervalo", "1e3", 1000);
        row("beyond the spinner", "intervalo", "40000", 40000);
        row("largest", "intervalo", "2147483647", 2147483647);
        row("smallest", "intervalo", "-2147483648", std::int64_t{-2147483648LL});
        row("decimal fraction", "baudios", "5.5", 38400, "cannot store REAL value");
        row("decimal comma", "intervalo", "5,0", 5000, "cannot store TEXT value");
        row("hexadecimal", "Puerto", "0x10", 1, "cannot store TEXT value");
        row("letters", "intervalo", "abc", 5000, "cannot store TEXT value");
        row("empty number", "Puerto", "", 1, "cannot store TEXT value");
        row("one past the largest", "intervalo", "2147483648", 5000, "CHECK constraint failed");
        row("one past the smallest", "baudios", std::int64_t{-2147483649LL}, 38400,
            "CHECK constraint failed");
    }
    void conversions() {
        QFETCH(QString, field);
        QFETCH(Variant, written);
        QFETCH(Variant, stored);
        QFETCH(QString, error);
        auto tables = open();
        tables.Setup.MoveFirst();
        tables.Setup.Edit();
        tables.Setup.Fields("filehost").SetValue("otro.txt"); // stored together, or not at all
        tables.Setup.Fields(field.toStdString()).SetValue(written);
        QString thrown;
        try {
            tables.Setup.Update();
        } catch (const std::exception& e) {
            thrown = QString::fromUtf8(e.what());
        }
        QVERIFY2(error.isEmpty() ? thrown.isEmpty() : thrown.contains(error), qPrintable(thrown));
        if (error.isEmpty()) // the record stays current and reads the converted value
            QCOMPARE(tables.Setup.Fields(field.toStdString()).Value(), stored);
        QCOMPARE(SetupField(path(), field.toStdString()), stored);
        if (field != QLatin1String("filehost"))
            QCOMPARE(SetupField(path(), "filehost"),
                     Variant(error.isEmpty() ? "otro.txt" : "c:\\xxx\\mezcla.txt"));
    }

    // The second name is refused when it is the first under the letter-case rule.
    void letterCase_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");
        QTest::newRow("ASCII") << "x.txt" << "X.TXT" << true;
        QTest::newRow("beyond A-Z") << "año.txt" << "AÑO.TXT" << true;
        QTest::newRow("sharp s, Kelvin sign") << "straße_k" << "STRAẞE_\u212A" << true;
        QTest::newRow("dotted capital I") << "i.txt" << "İ.txt" << false;
        QTest::newRow("a space more") << "a.txt" << "a.txt " << false;
        QTest::newRow("a pattern") << "a_c" << "abc" << false;
    }
    void letterCase() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, same);
        auto tables = open();
        tables.FPCHH.Index("FILE");
        QVERIFY(dazu::config::AddFileName(tables.FPCHH, first.toStdString()));
        QCOMPARE(dazu::config::AddFileName(tables.FPCHH, second.toStdString()), !same);
        QCOMPARE(ListNames(path(), "FPCHH").size(), same ? 1 : 2);
        // The index itself refuses a name that differs only in ASCII letter case.
        QVERIFY_THROWS_EXCEPTION(std::exception, add(tables.FPCHH, first.toUtf8().toUpper()));
        try {
            dazu::config::AddFileName(tables.FPCHH, std::string("a\0b", 3));
            QFAIL("a name with NUL was stored");
        } catch (const dazu::config::Error& e) {
            QCOMPARE(e.what(), "Un nombre de archivo no puede contener el carácter NUL");
        }
    }

    // A folding this cursor has seen is renewed when another connection stores meanwhile.
    void aNameStoredElsewhereIsFound() {
        auto tables = open();
        tables.Files.Index("FILE");
        QVERIFY(dazu::config::AddFileName(tables.Files, "año.txt"));
        QVERIFY(!dazu::config::AddFileName(tables.Files, "AÑO.TXT"));
        {
            auto other = open();
            other.Files.Index("FILE");
            QVERIFY(dazu::config::AddFileName(other.Files, "ÑANDÚ.TXT"));
        }
        QVERIFY(!dazu::config::AddFileName(tables.Files, "ñandú.txt"));
        QCOMPARE(ListNames(path(), "Files").size(), 2);
    }

    void onlyTheFirstSetupRowIsRead() {
        auto tables = open();
        tables.Setup.AddNew();
        for (const auto& [field, value] : dazu::config::DefaultSettings("/second"))
            tables.Setup.Fields(field).SetValue(value);
        tables.Setup.Update();
        QCOMPARE(SetupField(path(), "pathdest"), Variant("/apps/dazu"));
        tables.Setup.MoveFirst();
        tables.Setup.MoveNext();
        tables.Setup.MoveNext();
        QVERIFY(tables.Setup.Eof());
    }

    // Names come back in index order, case-insensitively, across many pages; a transaction
    // stores them all or none.
    void indexOrderAcrossPages_data() {
        QTest::addColumn<bool>("commit");
        QTest::newRow("committed") << true;
        QTest::newRow("ended without commit") << false;
    }
    void indexOrderAcrossPages() {
        QFETCH(bool, commit);
        auto tables = open();
        QStringList expected;
        {
            dazu::config::Transaction batch(tables.database);
            for (int i = 999; i >= 0; --i) {
                expected.prepend(QStringLiteral("%1%2").arg(QChar(i % 2 ? 'N' : 'n')).arg(i, 4,
                                                                                          10, QChar('0')));
                add(tables.Files, expected.front().toUtf8());
            }
            if (commit)
                batch.Commit();
        }
        QCOMPARE(ListNames(path(), "Files"), commit ? expected : QStringList());
        QCOMPARE(ListNames(path(), "FPCHH"), QStringList());
    }

    void seekDeleteAndMoveFirst() {
        auto tables = open();
        auto& files = tables.Files;
        for (const char* name : {"b.txt", "A.txt", "c.txt"})
            add(files, name);
        files.MoveFirst();
        files.Index("FILE");
        QVERIFY(files.Eof()); // choosing an index leaves no current record
        files.Seek("=", "zzz");
        QVERIFY(files.NoMatch() && files.Eof());
        files.Seek("=", "a.TXT");
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
            files.Delete();
            files.MoveFirst();
        }
        QVERIFY(files.Eof());
        QCOMPARE(files.RecordCount(), 0);
        add(files, "");
        files.Seek("=", "");
        QVERIFY(!files.NoMatch());
    }
};

QTEST_GUILESS_MAIN(tst_Storage)
#include "tst_storage.moc"
