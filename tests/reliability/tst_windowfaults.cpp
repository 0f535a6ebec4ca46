// What the user meets in the window when the settings file is damaged, foreign or cannot be
// written, and when anything at all is typed into it.
#include "TestSupport.h"
#include "Unprivileged.h"
#include "WindowUser.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>
#include <SQLiteCpp/Database.h>

using namespace dazu::test;

namespace {

QByteArray randomBytes(qsizetype size) {
    QRandomGenerator generator(20240517); // the same bytes on every run
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

// Typed into the lists' entry boxes and into the text boxes.
const QString kTexts[][2] = {{"semicolon and SQL", "a.txt'; DROP TABLE Files; --"},
                             {"quotes", "it's \"quoted\".exe"},
                             {"percent and underscore", "100%_done.txt"},
                             {"backslashes", "C:\\datos\\\\n\\x.txt\\"},
                             {"spaces around", "  calc.exe  "},
                             {"non-ASCII letters", "ÑANDÚ_ßçÅ_Ωλ_日本.txt"},
                             {"emoji", "📦 envío 👍🏽.txt"},
                             {"10,000 characters", QString(10000, QChar(0x00F1))},
                             {"empty", ""}};
const QString kTextBoxes[][2] = {{"Txtprogramapc", "programapc"},
                                 {"txtprogramatm", "programatm"},
                                 {"txtfilehost", "filehost"},
                                 {"txtfiletoappend", "filetoappend"}};

// A damaged or foreign DAZU.CFG: the file starts as a first start leaves it; then the SQL
// runs (each line on a connection of its own), and the bytes are replaced, cut at cutAt or
// scrambled from scrambleFrom; the load stops with the message.
const QByteArray notOurs = "no es una base de datos de configuración de DAZU",
                 notDb = "file is not a database", malformed = "database disk image is malformed";
struct Damage {
    const char *name, *sql;
    QByteArray message, bytes = {};
    int cutAt = -1, scrambleFrom = -1;
};
const Damage kDamages[] = {
    // clang-format off
    {"empty file", "", notOurs, ""},
    {"text file", "", notDb, "[Setup]\r\nPuerto=1\r\n"},
    {"random bytes", "", notDb, randomBytes(24576)},
    {"random bytes after the header", "", malformed, {}, -1, 100},
    {"cut inside the header", "", notOurs, {}, 60},
    {"cut after the first page", "", malformed, {}, 4096},
    {"cut inside the settings row's page", "", malformed, {}, 6144},
    {"foreign SQLite database", "DROP TABLE Setup; DROP TABLE Files; DROP TABLE FPCHH; "
     "CREATE TABLE clientes (nombre TEXT); PRAGMA application_id = 0", notOurs},
    {"other schema version", "PRAGMA user_version = 9", "versión de esquema 9"},
    {"table missing", "DROP TABLE Files", "Falta la tabla Files en la base de datos"},
    {"field missing", "ALTER TABLE Setup DROP COLUMN baudios",
     "Falta el campo baudios en la tabla Setup"},
    {"index missing", "DROP INDEX FPCHH_FILE", "Falta el índice FILE en la tabla FPCHH"},
    // Only a file of this program's own schema is used: constraints removed, a list
    // index that lets a name in twice (the list would skip names at a page boundary),
    // or a trigger or view of another program. SQL cannot change a definition, so it
    // is edited where stored: the file format does not depend on NOT NULL or STRICT.
    {"NOT NULL removed", "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = "
     "replace(sql, ' NOT NULL', '') WHERE name = 'Setup'\n"
     "UPDATE Setup SET programapc = NULL", "la tabla Setup con otra definición que la de DAZU"},
    {"untyped columns", "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = "
     "replace(sql, '\"FILE\" TEXT NOT NULL) STRICT', 'FILE)') WHERE name = 'Files'",
     "la tabla Files con otra definición"},
    {"index not unique", "DROP INDEX Files_FILE; CREATE INDEX Files_FILE ON Files "
     "(FILE COLLATE NOCASE)", "el índice Files_FILE de la tabla Files con otra definición"},
    {"trigger", "CREATE TRIGGER vaciar AFTER INSERT ON Files BEGIN DELETE FROM FPCHH; END",
     "el disparador vaciar, que DAZU no usa"},
    {"view", "CREATE VIEW nombres AS SELECT FILE FROM Files", "la vista nombres, que DAZU no usa"},
    // clang-format on
};

} // namespace

class tst_WindowFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A damaged or foreign settings database stops the program's start, in the window's load
    // handler, with the engine's description of the problem; the window is not shown, and the
    // file stays byte for byte as it was.
    void damagedDatabase_data() { dazu::test::AddTableRows(kDamages); }
    void damagedDatabase() {
        const auto& [name, sql, message, damaged, cutAt, scrambleFrom] =
            dazu::test::TableRow(kDamages);
        AppFolder folder(AppFolder::CopyOfDist);
        folder.seed();
        for (const QByteArray& step : QByteArray(sql).split('\n'))
            SQLite::Database(folder.databasePath(), SQLite::OPEN_READWRITE)
                .exec(step.toStdString());
        QByteArray bytes = damaged.isNull() ? folder.read("DAZU.CFG") : damaged;
        if (cutAt >= 0)
            bytes.truncate(cutAt);
        if (scrambleFrom >= 0)
            bytes.replace(scrambleFrom, bytes.size() - scrambleFrom,
                          randomBytes(bytes.size() - scrambleFrom));
        folder.write("DAZU.CFG", bytes);

        const QStringList met = WorkWindow(folder.path(), {"open"});
        QVERIFY2(met.size() == 1 && met[0].startsWith("DAZU|16|") &&
                     met[0].contains(QString::fromUtf8(message)),
                 qPrintable(met.join(u'\n')));
        QCOMPARE(folder.read("DAZU.CFG"), bytes);
        QVERIFY(!folder.exists("DAZU.CFG-journal"));
    }

    // The window opens on a DAZU.CFG that it may read but not write. A change fails with the
    // engine's description and ends the program; the file stays byte for byte, and the lists
    // show only what is stored.
    void readOnlyDatabase_data() {
        QTest::addColumn<QStringList>("change");
        QTest::newRow("Aceptar") << QStringList{"accept"};
        QTest::newRow("adding a name") << QStringList{"add1", "nuevo.txt"};
        QTest::newRow("deleting a name") << QStringList{"delete2", "viejo.txt"};
    }
    void readOnlyDatabase() {
#ifdef Q_OS_WIN
        QSKIP("the file is made read-only with POSIX permissions");
#else
        QFETCH(QStringList, change);
        AppFolder folder(AppFolder::CopyOfDist);
        // A Null destination, which "&Aceptar" stores as the empty text it shows.
        folder.seed({{"pathdest", dazu::config::Variant()}});
        folder.addNames("Files", QStringList{"viejo.txt"});
        folder.addNames("FPCHH", QStringList{"viejo.txt"});
        QVERIFY(
            QFile::setPermissions(folder.file("DAZU.CFG"), QFile::ReadOwner | QFile::ReadOther));
        const QByteArray before = folder.read("DAZU.CFG");
        QStringList met;
        {
            const AsNobody nobody(folder.path());
            if (!nobody.binds())
                QSKIP("the tests run as root and cannot reach files as another user");
            met = WorkWindow(folder.path(), QStringList{"open"} + change);
        }
        QCOMPARE(met, (QStringList{"DAZU|16|attempt to write a readonly database", "shown",
                                   "item|List1|viejo.txt", "item|List2|viejo.txt"}));
        QCOMPARE(folder.read("DAZU.CFG"), before);
#endif
    }

    // A text typed into both lists' entry boxes and into the text boxes is stored, listed and
    // shown at the next start exactly as typed; as a name it is found again only by the very
    // same text (in any letter case), and deleted alone.
    void typed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("again"); // the same name in other letter case, or itself
        for (const auto& [what, text] : kTexts)
            QTest::newRow(qPrintable(what)) << text << text;
        // One letter-case rule for every letter, as in dazucfg.
        QTest::newRow("letter case beyond A-Z") << "año_ÉTÉ.txt"
                                                << "AÑO_été.TXT";
        QTest::newRow("sharp s and Kelvin sign") << "straße_k"
                                                 << "STRAẞE_\u212A";
        // Texts that would find "abc" if a name were looked up by a pattern, a prefix or
        // ignoring spaces.
        for (const char* pattern : {"a%", "a_c", "%", "a*", "abc ", " abc", "ab", "abcd"})
            QTest::addRow("'%s'", pattern)
                << QString::fromUtf8(pattern) << QString::fromUtf8(pattern);
    }
    void typed() {
        QFETCH(QString, text);
        QFETCH(QString, again);
        AppFolder folder(AppFolder::CopyOfDist);
        const QStringList neighbours{"100.txt", "a.txt", "abc"}; // what a pattern might match
        folder.addNames("Files", neighbours);
        folder.addNames("FPCHH", neighbours);
        // The text boxes take typing only while their check boxes are checked.
        QStringList steps{"open", "click", "chkprogramapc", "click", "chkunirarchivos"};
        for (const auto& [control, field] : kTextBoxes)
            steps << "type" << control << text;
        steps << "add1" << text << "add1" << again << "add2" << text << "add2" << again << "accept";
        QStringList expected{"Vozu Rodari|48|Entrada ya existe", "DAZU|48|Entrada ya existe"};
        for (const char* list : {"List1", "List2"})
            for (const QString& name : neighbours + QStringList{text})
                expected << QStringLiteral("item|%1|%2").arg(QLatin1String(list), name);
        QCOMPARE(WorkWindow(folder.path(), steps), expected);
        const std::string path = folder.databasePath();
        QStringList listed = neighbours + QStringList{text};
        listed.sort();
        for (const char* table : {"Files", "FPCHH"}) {
            QStringList stored = ListNames(path, table);
            stored.sort();
            QCOMPARE(stored, listed);
        }
        const auto window = LoadWindow(folder.path());
        for (const auto& [control, field] : kTextBoxes) {
            QCOMPARE(SetupField(path, field.toStdString()),
                     dazu::config::Variant(text.toStdString()));
            QCOMPARE(window->findChild<QLineEdit*>(control)->text(), text);
        }
        const QStringList deleted{"open", "delete1", text, "delete2", text};
        QCOMPARE(WorkWindow(folder.path(), deleted).filter("DAZU|"), QStringList());
        QCOMPARE(ListNames(path, "Files"), neighbours);
        QCOMPARE(ListNames(path, "FPCHH"), neighbours);
    }
};

QTEST_MAIN(tst_WindowFaults)
#include "tst_windowfaults.moc"
