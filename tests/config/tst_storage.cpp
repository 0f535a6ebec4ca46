// The storage rules, once for every editor (the window, dazucfg): the default row, what a
// field makes of a written value, the letter-case rule of names, the record operations the
// editors move with, and transactions.
#include "Error.h"
#include "FileList.h"
#include "TestSupport.h"
#include "Transaction.h"


using dazu::config::Variant;
using dazu::test::ListNames;
using dazu::test::SetupField;

namespace {

// A value written into a field, what the field then holds, and the engine's refusal if any:
// a refused value leaves the whole update unstored.
const struct Conversion {
    const char* name;
    const char* field;
    Variant written, stored;
    const char* refusal;
} kConversions[] = {
    // clang-format off
    {"check state 0", "modolectura", 0, false, ""}, {"any other number is Yes", "borrar", -1, true, ""},
    {"text kept untrimmed", "programapc", "  calc.exe ", "  calc.exe ", ""}, {"empty text", "filetoappend", "", "", ""},
    {"Null pathdest", "pathdest", {}, {}, ""}, {"Null where a value is needed", "pathori", {}, "", "NOT NULL"},
    {"text for a Yes/No", "enable", "Sí", false, "cannot store TEXT value"},
    {"number as text", "Puerto", "5", 5, ""}, {"plus sign", "baudios", "+5", 5, ""},
    {"spaces around", "Puerto", " 7 ", 7, ""}, {"whole decimal", "intervalo", "5.0", 5, ""},
    {"exponent", "intervalo", "1e3", 1000, ""}, {"beyond the spinner's 0 to 32000", "intervalo", "40000", 40000, ""},
    {"largest", "intervalo", "2147483647", 2147483647, ""},
    {"smallest", "intervalo", "-2147483648", std::int64_t{-2147483648LL}, ""},
    {"decimal fraction", "baudios", "5.5", 38400, "cannot store REAL value"},
    {"decimal comma", "intervalo", "5,0", 5000, "cannot store TEXT value"},
    {"hexadecimal", "Puerto", "0x10", 1, "cannot store TEXT value"},
    {"empty number", "Puerto", "", 1, "cannot store TEXT value"},
    {"one past the largest", "intervalo", "2147483648", 5000, "CHECK constraint failed"},
    {"one past the smallest", "baudios", "-2147483649", 38400, "CHECK constraint failed"},
    // clang-format on
};

// A name stored first, a name then added (the row's name), and whether the letter-case rule
// makes them the same.
const struct {
    const char *first, *name;
    bool same;
} kNames[] = {
    // clang-format off
    {"x.txt", "X.TXT", true}, {"año.txt", "AÑO.TXT", true}, {"straße_k", "STRAẞE_\u212A", true},
    {"i.txt", "İ.txt", false}, {"a.txt", "a.txt ", false}, {"abc", " abc", false},
    // Texts that would find "abc" if a name were looked up by a pattern or a prefix.
    {"abc", "a_c", false}, {"abc", "a%", false}, {"abc", "%", false}, {"abc", "a*", false},
    {"abc", "ab", false}, {"abc", "abcd", false}};
// clang-format on

} // namespace

class tst_Storage : public QObject {
    Q_OBJECT

    dazu::test::AppFolder folder;
    std::string path() const { return folder.databasePath(); }
    dazu::config::Configuration open() { return dazu::config::OpenConfiguration(path()); }

private Q_SLOTS:
    void init() {
        QFile::remove(folder.file(QStringLiteral("DAZU.CFG")));
        folder.seed();
    }

    void conversions_data() { dazu::test::AddTableRows(kConversions); }
    void conversions() {
        const Conversion& c = dazu::test::TableRow(kConversions);
        auto tables = open();
        tables.Setup.MoveFirst();
        tables.Setup.Edit();
        tables.Setup.Fields("filehost").SetValue("otro.txt"); // stored together, or not at all
        tables.Setup.Fields(c.field).SetValue(c.written);
        QString thrown;
        try {
            tables.Setup.Update();
            QCOMPARE(tables.Setup.Fields(c.field).Value(), c.stored); // the record stays current
        } catch (const std::exception& e) {
            thrown = QString::fromUtf8(e.what());
        }
        QVERIFY2(*c.refusal ? thrown.contains(QLatin1String(c.refusal)) : thrown.isEmpty(),
                 qPrintable(thrown));
        QCOMPARE(SetupField(path(), c.field), c.stored);
        QCOMPARE(SetupField(path(), "filehost"),
                 Variant(*c.refusal ? "c:\\xxx\\mezcla.txt" : "otro.txt"));
    }

    // The row's name is refused when it is the first under the letter-case rule, also where
    // another connection stored the first after this cursor saw its foldings; the index itself
    // refuses one that differs only in ASCII letter case. (A NUL's refusal: tst_cli's import.)
    void letterCase_data() { dazu::test::AddTableRows(kNames); }
    void letterCase() {
        const auto& names = dazu::test::TableRow(kNames);
        auto tables = open(), other = open();
        tables.FPCHH.Index("FILE");
        other.FPCHH.Index("FILE");
        QVERIFY(dazu::config::AddFileName(tables.FPCHH, "ñ"));
        QVERIFY(!dazu::config::AddFileName(tables.FPCHH, "Ñ"));
        QVERIFY(dazu::config::AddFileName(other.FPCHH, names.first));
        QCOMPARE(dazu::config::AddFileName(tables.FPCHH, names.name), !names.same);
        QCOMPARE(ListNames(path(), "FPCHH").size(), names.same ? 2 : 3);
        tables.FPCHH.AddNew();
        tables.FPCHH.Fields("FILE").SetValue(QByteArray(names.first).toUpper().toStdString());
        QVERIFY_THROWS_EXCEPTION(std::exception, tables.FPCHH.Update());
    }

    // Names come back in index order, case-insensitively, across many pages, stored in one
    // transaction (one that ends without a commit: tst_cli's refused imports).
    void indexOrderAcrossPages() {
        auto tables = open();
        tables.Files.Index("FILE");
        QStringList expected;
        dazu::config::Transaction batch(tables.database);
        for (int i = 999; i >= 0; --i) {
            expected.prepend(QString::asprintf(i % 2 ? "N%04d" : "n%04d", i));
            QVERIFY(dazu::config::AddFileName(tables.Files, expected.front().toStdString()));
        }
        batch.Commit();
        QCOMPARE(ListNames(path(), "Files"), expected);
    }

    void seekDeleteAndMoveFirst() {
        auto tables = open();
        auto& files = tables.Files;
        files.Index("FILE");
        for (const char* name : {"b.txt", "A.txt", "c.txt"})
            QVERIFY(dazu::config::AddFileName(files, name));
        files.MoveFirst();
        files.Index("FILE");
        QVERIFY(files.Eof()); // choosing an index leaves no current record
        files.Seek("=", "zzz");
        QVERIFY(files.NoMatch() && files.Eof());
        files.Seek("=", "a.TXT");
        QCOMPARE(files.Fields("FILE").Value(), Variant("A.txt"));
        files.MoveNext(); // a seek positions the table in index order
        QCOMPARE(files.Fields("FILE").Value(), Variant("b.txt"));
        files.Delete();
        QVERIFY_THROWS_EXCEPTION(dazu::config::Error, files.Fields("FILE").Value());
        files.MoveNext();
        QCOMPARE(files.Fields("FILE").Value(), Variant("c.txt"));
        files.MoveNext();
        QVERIFY(files.Eof());
        for (const char* name : {"A.txt", "c.txt"}) {
            files.Seek("=", name);
            files.Delete();
            files.MoveFirst();
        }
        QVERIFY(files.Eof() && files.RecordCount() == 0);
    }
};

QTEST_GUILESS_MAIN(tst_Storage)
#include "tst_storage.moc"
