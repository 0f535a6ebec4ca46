// The faults of docs/reliability.md as the user meets them in the window: a settings file
// that is damaged, foreign or cannot be written, anything at all typed into it, another
// program on the same database, a program killed while storing and a power cut after it.
// This program also plays the other program:  tst_reliability --other FOLDER STEP...  works
// the window on the folder in a session of its own (see WorkWindow) and prints what it met, a
// line each, its exit status 1 after a failure; with the one step churn, it stores generation
// after generation until it is killed, through a new window each time, and reports "ready"
// after each.
#include "ExFatDrive.h"
#include "SettingsMapping.h"
#include "TestSupport.h"
#include "Unprivileged.h"
#include "WindowUser.h"

#include <cstdio>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>

using namespace dazu::test;
using namespace dazu::config;
using namespace dazu::dialog;

namespace {

QSet<QString> toSet(const QStringList& names) {
    return QSet<QString>(names.begin(), names.end());
}

// A damaged or foreign DAZU.CFG: the file starts as a first start leaves it; then the SQL
// runs (each line on a connection of its own), and the bytes are replaced, or all but the
// first `keep` cut off or scrambled; the load stops with the message.
struct Damage {
    const char *name, *sql, *message;
    QByteArray bytes = {};
    int keep = 1 << 30;
    bool scramble = false;
};
const Damage kDamages[] = {
    // clang-format off
    {"empty file", "", "no es una base de datos", ""},
    {"text file", "", "file is not a database", "[Setup]\r\nPuerto=1\r\n"},
    {"scrambled after the header", "", "database disk image is malformed", {}, 100, true},
    {"cut after the first page", "", "database disk image is malformed", {}, 4096},
    {"foreign SQLite database", "DROP TABLE Setup; DROP TABLE Files; DROP TABLE FPCHH; "
     "CREATE TABLE clientes (nombre TEXT); PRAGMA application_id = 0", "no es una base de datos"},
    {"other schema version", "PRAGMA user_version = 9", "versión de esquema 9"},
    {"table missing", "DROP TABLE Files", "Falta la tabla Files en la base de datos"},
    {"field missing", "ALTER TABLE Setup DROP COLUMN baudios", "Falta el campo baudios en"},
    {"index missing", "DROP INDEX FPCHH_FILE", "Falta el índice FILE en la tabla FPCHH"},
    // Only a file of this program's own schema is used: constraints removed, a list
    // index that lets a name in twice (the list would skip names at a page boundary),
    // or a trigger or view of another program. SQL cannot change a definition, so it
    // is edited where stored: the file format does not depend on NOT NULL or STRICT.
    {"NOT NULL removed", "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = "
     "replace(sql, ' NOT NULL', '') WHERE name = 'Setup'\n"
     "UPDATE Setup SET programapc = NULL", "la tabla Setup con otra definición que la de DAZU"},
    {"index not unique", "DROP INDEX Files_FILE; CREATE INDEX Files_FILE ON Files "
     "(FILE COLLATE NOCASE)", "el índice Files_FILE de la tabla Files con otra definición"},
    {"trigger", "CREATE TRIGGER vaciar AFTER INSERT ON Files BEGIN DELETE FROM FPCHH; END",
     "el disparador vaciar, que DAZU no usa"},
    {"view", "CREATE VIEW nombres AS SELECT FILE FROM Files", "la vista nombres, que DAZU no usa"}};
// clang-format on

// Typed into the lists' entry boxes and into a text box (all are built alike). Which names are
// the same (letter case, patterns, spaces) is the storage's rule: tst_storage.
const struct {
    const char* name;
    QString text;
} kTexts[] = {
    {"SQL and quotes", "it's \"a.txt'; DROP TABLE Files; --"},
    {"backslashes", "C:\\datos\\\\n\\x.txt\\"},
    {"non-ASCII letters and emoji", "ÑANDÚ_ßçÅ_Ωλ_日本 📦 envío 👍🏽.txt"},
    {"10,000 characters", QString(10000, QChar(0x00F1))},
    {"empty", ""},
    {"a pattern", "a%"}};

// A change made in the window on a folder whose Files list holds viejo.txt, and what is then
// stored: Files and the program in programatm.
struct Change {
    const char* name;
    QStringList steps, after;
};
const Change kChanges[] = {
    {"adding a name", {"add1", "nuevo.txt"}, {"nuevo.txt", "viejo.txt", "roza5.exe"}},
    {"deleting a name", {"delete1", "viejo.txt"}, {"roza5.exe"}},
    {"Aceptar", {"type", "txtprogramatm", "otro.exe", "accept"}, {"viejo.txt", "otro.exe"}},
};
QStringList stored(const AppFolder& folder) {
    return ListNames(folder.databasePath(), "Files")
           << QString::fromStdString(SetupField(folder.databasePath(), "programatm").toText());
}

// Generation n of what the crash test stores again and again through the window: every field
// it shows tells n, so that a row mixed from two generations shows; the texts are long enough
// for the row to span several pages of the file.
SettingsChanges generation(std::int64_t n) {
    SettingsChanges row;
    int bit = 0;
    for (const SettingMapping& shown : kSettingsMapping) {
        const std::string name(shown.field);
        const std::string text = name + std::to_string(n) + std::string(600, char('a' + n % 26));
        row.emplace_back(name, shown.conversion == Conversion::Text ? Variant(text)
                               : shown.conversion == Conversion::Flag
                                   ? Variant(((n >> bit++) & 1) != 0)
                                   : Variant(n));
    }
    return row;
}
// The name that generation n adds to Files, long enough to need a page of its own now and then.
QString generationName(std::int64_t n) {
    return QStringLiteral("generation-%1-").arg(n) + QString(200, QLatin1Char(char('a' + n % 26)));
}

// Generation n stored as by a user in one session: a new window, the name added (unless a
// session cut short stored it already), every other name deleted, the shown settings changed,
// "&Aceptar".
void store(const QString& folder, std::int64_t n) {
    const auto window = LoadWindow(folder);
    const QString name = generationName(n);
    if (!ListedNames(*window, kFilesList).contains(name))
        AddName(*window, kFilesList, name);
    for (const QString& listed : ListedNames(*window, kFilesList))
        if (listed != name)
            DeleteName(*window, kFilesList, listed);
    // Set as loading sets them: a check box changed this way runs its click handler.
    for (const auto& [field, value] : generation(n))
        ShowSetting(window->controls(), MappingOf(field), value);
    Accept(*window);
}

// The other program's main.
int otherProgram(const QString& folder, const QStringList& steps) {
    if (steps != QStringList{"churn"}) {
        const QStringList met = WorkWindow(folder, steps);
        std::printf("%s\n", qUtf8Printable(met.join(u'\n')));
        return met.filter(QStringLiteral("DAZU|16|")).isEmpty() ? 0 : 1;
    }
    const std::int64_t first = SetupField(folder.toStdString() + "/DAZU.CFG", "intervalo").toInt();
    // Until killed, or until "ready" finds no reader when the test is gone. A failure shows
    // its message box and stops the churn: the first store's lets no "ready" through.
    for (std::int64_t n = first + 1;; ++n) {
        store(folder, n);
        if (std::printf("ready\n") < 0 || std::fflush(stdout) != 0)
            return 1;
    }
}

// The other program on the folder with its steps, started: true once it reports "ready", as
// `wait` steps do before they wait for a line.
bool started(QProcess& other, const QStringList& arguments) {
    other.start(QCoreApplication::applicationFilePath(), QStringList{"--other"} + arguments);
    return other.waitForReadyRead(10000) && other.readLine() == "ready\n";
}
// What it met, then "exit N" (-1 when it crashed or did not end in time).
QStringList finish(QProcess& other) {
    if (!other.waitForFinished(60000))
        other.kill();
    other.waitForFinished();
    const int status = other.exitStatus() == QProcess::NormalExit ? other.exitCode() : -1;
    return QString::fromUtf8(other.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)
           << QStringLiteral("exit %1").arg(status);
}

// What a power cut leaves of a deleted journal. The engine syncs the database file before it
// deletes the journal, so the file's bytes survive; the deletion itself survives only when
// the folder is synced after it, otherwise the journal can be back at the next start and
// roll the stored change out. Every connection of this process deletes through this, which
// keeps a copy of a journal deleted without the sync, for the test to bring back.
sqlite3_vfs* const systemFiles = sqlite3_vfs_find(nullptr);
int deleteFile(sqlite3_vfs*, const char* name, int syncFolder) {
    const QString file = QString::fromUtf8(name), unsynced = file + ".unsynced";
    QFile::remove(unsynced);
    if (!syncFolder && file.endsWith("-journal"))
        QFile::copy(file, unsynced);
    return systemFiles->xDelete(systemFiles, name, syncFolder);
}

} // namespace

class tst_Reliability : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A damaged or foreign settings database stops the program's start, in the window's load
    // handler, with the engine's description of the problem; the window is not shown, and the
    // file stays byte for byte as it was.
    void damagedDatabase_data() { AddTableRows(kDamages); }
    void damagedDatabase() {
        const auto& [name, sql, message, damaged, keep, scramble] = TableRow(kDamages);
        AppFolder folder(AppFolder::CopyOfDist);
        folder.seed();
        for (const QByteArray& step : QByteArray(sql).split('\n'))
            SQLite::Database(folder.databasePath(), SQLite::OPEN_READWRITE)
                .exec(step.toStdString());
        QByteArray bytes = damaged.isNull() ? folder.read("DAZU.CFG") : damaged;
        for (qsizetype i = keep; scramble && i < bytes.size(); ++i)
            bytes[i] = char(i * 151 % 251); // garbage, the same on every run
        bytes.truncate(scramble ? bytes.size() : keep);
        folder.write("DAZU.CFG", bytes);

        const QStringList met = WorkWindow(folder.path(), {"open"});
        QCOMPARE(met.filter("DAZU|16|").filter(QString::fromUtf8(message)), met);
        QCOMPARE(met.size(), 1);
        QCOMPARE(folder.read("DAZU.CFG"), bytes);
        QVERIFY(!folder.exists("DAZU.CFG-journal"));
    }

    // A text typed into both lists' entry boxes and into a text box is stored, listed and
    // shown at the next start exactly as typed; as a name it is found again by the same text,
    // and deleted alone.
    void typed_data() { AddTableRows(kTexts); }
    void typed() {
        const QString text = TableRow(kTexts).text;
        AppFolder folder(AppFolder::CopyOfDist);
        const std::string path = folder.databasePath();
        const QStringList neighbours{"100.txt", "a.txt", "abc"}; // what a pattern might match
        for (const char* table : {"Files", "FPCHH"})
            folder.addNames(table, {"100.txt", "a.txt", "abc"});
        const QStringList steps{"open", "type", "txtprogramatm", text, "add1",  text, "add1", text,
                                "add2", text,   "add2",          text, "accept"};
        QStringList expected{"Vozu Rodari|48|Entrada ya existe", "DAZU|48|Entrada ya existe"};
        for (const char* list : {"List1", "List2"})
            for (const QString& name : neighbours + QStringList{text})
                expected << QStringLiteral("item|%1|%2").arg(QLatin1String(list), name);
        QCOMPARE(WorkWindow(folder.path(), steps), expected);
        for (const char* table : {"Files", "FPCHH"})
            QCOMPARE(toSet(ListNames(path, table)), toSet(neighbours) << text);
        QCOMPARE(SetupField(path, "programatm"), Variant(text.toStdString()));
        QCOMPARE(LoadWindow(folder.path())->controls().txtprogramatm->text(), text);
        const QStringList deleted{"open", "delete1", text, "delete2", text};
        QCOMPARE(WorkWindow(folder.path(), deleted).filter("DAZU|"), QStringList());
        QCOMPARE(ListNames(path, "Files") + ListNames(path, "FPCHH"), neighbours + neighbours);
    }

    // The change is made in the other program while this one holds a lock: a write lock, as a
    // program in the middle of storing, or a read lock, as one in the middle of reading (the
    // change then waits only to commit). A lock held for less than the busy timeout is waited
    // for; past it, the program ends with the engine's description, having stored nothing, and
    // the next start stores the change.
    void secondProgram_data() {
        QTest::addColumn<QString>("lock");
        QTest::addColumn<QString>("release"); // "" when the lock outlasts the busy timeout
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("change");
        for (const QString& lock : QStringList{"BEGIN IMMEDIATE", "BEGIN; SELECT * FROM Setup"})
            for (const Change& change : kChanges)
                for (const QString& release : QStringList{"COMMIT", ""})
                    QTest::addRow("%s, %s, %s", qPrintable(lock), change.name,
                                  release.isEmpty() ? "long" : "short")
                        << lock << release << (release.isEmpty() ? "database is locked" : QString())
                        << int(&change - kChanges);
        // This program stores the very name that the other, having looked it up and found
        // nothing, waits to store: the engine refuses the second, which is stored once.
        QTest::newRow("the same name stored meanwhile")
            << QString("BEGIN IMMEDIATE")
            << QString("INSERT INTO Files VALUES ('nuevo.txt'); COMMIT")
            << QString("UNIQUE constraint failed: Files.FILE") << 0;
    }
    void secondProgram() {
        QFETCH(QString, lock);
        QFETCH(QString, release);
        QFETCH(QString, failure);
        QFETCH(int, change);
        const auto& [name, steps, after] = kChanges[change];
        AppFolder folder(AppFolder::CopyOfDist);
        folder.addNames("Files", {"viejo.txt"});
        QProcess other;
        // Loaded before this program takes the file.
        QVERIFY(started(other, QStringList{folder.path(), "busy", "1000", "open", "wait"} + steps));
        SQLite::Database holder(folder.databasePath(), SQLite::OPEN_READWRITE);
        holder.exec(lock.toStdString());
        const QDeadlineTimer busyTimeout(950); // less a little for the clock's granularity
        other.closeWriteChannel();             // go
        // The other program waits for the lock: up to the busy timeout when it outlasts it.
        QCOMPARE(other.waitForFinished(release.isEmpty() ? 10000 : 250), release.isEmpty());
        QVERIFY(release.isEmpty() == busyTimeout.hasExpired());
        holder.exec(release.isEmpty() ? "COMMIT" : release.toStdString());
        const QStringList met = finish(other);
        QCOMPARE(met.filter("DAZU|") + met.filter("exit "),
                 (failure.isEmpty() ? QStringList{"exit 0"}
                                    : QStringList{"DAZU|16|" + failure, "exit 1"}));
        QCOMPARE(stored(folder),
                 release.isEmpty() ? QStringList({"viejo.txt", "roza5.exe"}) : after);
        // The user starts the program again: the same change, made again, is stored (or
        // refused as a name already there). Then the power goes: the journal's deletion is
        // undone, and the change is still there at the next start. (The holder syncs no folder.)
        QFile::remove(folder.file("DAZU.CFG-journal.unsynced"));
        QCOMPARE(WorkWindow(folder.path(), QStringList{"open"} + steps).filter("DAZU|"),
                 QStringList());
        QFile::rename(folder.file("DAZU.CFG-journal.unsynced"), folder.file("DAZU.CFG-journal"));
        QCOMPARE(stored(folder), after);
    }

    // Two programs started at the same moment on a folder where nothing is installed yet, as
    // from a shortcut clicked twice: both install, open and start, and Setup holds one row.
    // Then their windows add names to both lists at the same time: names of their own, some
    // deleted again at once, and shared names, which the two take from opposite ends.
    // Whichever stores a shared name first keeps it; the other is refused with "Entrada ya
    // existe" or, when the two meet between looking the name up and storing it, the engine
    // refuses it and that program ends with the message (its own names are done by then).
    void twoProgramsOnOneFolder() {
        constexpr int kNames = 6;
        for (int round = 0; round < 10; ++round) {
            if (round == 5) // the last rounds on the exFAT drive, where one is mounted
                DAZU_SKIP_WITHOUT_EXFAT();
            const AppFolder folder(AppFolder::CopyOfDist, round >= 5 ? ExFatFolder() : QString());
            QSet<QString> kept; // the names that stay
            QProcess programs[2];
            for (int w = 0; w < 2; ++w) {
                QStringList steps{folder.path(), "wait", "open"};
                for (int i = 0; i < kNames; ++i) {
                    const QString own = QStringLiteral("ventana%1-%2.txt").arg(w).arg(i);
                    const QString common =
                        QStringLiteral("comun-%1.txt").arg(w ? kNames - 1 - i : i);
                    steps << "add1" << own << "add2" << own;
                    if (i % 3 == 2)
                        steps << "delete1" << own << "delete2" << own;
                    steps << "add1" << common << "add2" << common;
                    kept << common << (i % 3 == 2 ? common : own);
                }
                QVERIFY(started(programs[w], steps));
            }
            for (QProcess& program : programs) // both go at once: the line they wait for ends
                program.closeWriteChannel();
            const QStringList met = finish(programs[0]) + finish(programs[1]);
            for (const QString& name : QStringList{"DudodeZI410.bat", "VavodidedER410.bat"})
                QCOMPARE(folder.read(name), folder.read("Def" + name));
            QCOMPARE(OpenConfiguration(folder.databasePath()).Setup.RecordCount(), 1);
            // A program fails only when the engine refuses a name the other stored meanwhile.
            QCOMPARE(met.filter("DAZU|16|"), met.filter("DAZU|16|UNIQUE constraint failed"));
            const bool bothFinished = met.filter("exit 0").size() == 2;
            for (const auto* list : {&kFilesList, &kFpchhList}) {
                const QSet<QString> names = toSet(ListNames(folder.databasePath(), list->table));
                const QString shown = "item|" + QLatin1String(list->list) + "|";
                // No name meant to stay that a window showed is lost (the other program may
                // delete one of its own after this window showed it), and no deleted one comes
                // back.
                QVERIFY(
                    names.contains(toSet(met.filter(shown).replaceInStrings(shown, "")) & kept));
                QVERIFY(kept.contains(names));
                QVERIFY(!bothFinished || names == kept);
            }
            // Each shared name is refused once in each list.
            QVERIFY(!bothFinished || met.filter("|Entrada ya existe").size() == 2 * kNames);
        }
    }

    // Killed at 30 moments while storing generation after generation: a window adds its name,
    // deletes every other one, and stores the row with "&Aceptar".
    void killedWhileStoring() {
        AppFolder folder(AppFolder::CopyOfDist);
        const std::string path = folder.databasePath();
        folder.seed(generation(0));
        folder.addNames("Files", {generationName(0).toStdString()});
        std::int64_t latest = 0;
        int killedMidWrite = 0;
        for (int kill = 0; kill < 30; ++kill) {
            QProcess writer;
            QVERIFY(started(writer, {folder.path(), "churn"}));
            QTest::qSleep(kill * 79 % 250); // over the phases of a generation, about 0.25 s
            writer.kill();
            QCOMPARE(finish(writer).last(), QStringLiteral("exit -1"));
            killedMidWrite += folder.exists("DAZU.CFG-journal");

            // Opening rolls back whatever the killed program left half-done.
            SQLite::Database check(path, SQLite::OPEN_READWRITE);
            QCOMPARE(check.execAndGet("PRAGMA integrity_check").getString(), std::string("ok"));
            const std::int64_t now = SetupField(path, "intervalo").toInt();
            for (const auto& [field, value] : generation(now))
                QCOMPARE(SetupField(path, field), value);
            QVERIFY(now >= std::exchange(latest, now));
            // A window adds a generation's name before it stores its row.
            const QSet<QString> names = toSet(ListNames(path, "Files"));
            QVERIFY(!names.isEmpty() &&
                    QSet<QString>({generationName(now), generationName(now + 1)}).contains(names));
        }
        QVERIFY(killedMidWrite > 0); // some kills hit it in the middle of a store
    }

    // The window opens on a DAZU.CFG that it may read but not write. A change fails with the
    // engine's description and ends the program; the file stays byte for byte, and the lists
    // show only what is stored.
    void readOnlyDatabase_data() { AddTableRows(kChanges); }
    void readOnlyDatabase() {
#ifdef Q_OS_WIN
        QSKIP("the file is made read-only with POSIX permissions");
#else
        AppFolder folder(AppFolder::CopyOfDist);
        folder.addNames("Files", {"viejo.txt"});
        QVERIFY(
            QFile::setPermissions(folder.file("DAZU.CFG"), QFile::ReadOwner | QFile::ReadOther));
        const QByteArray before = folder.read("DAZU.CFG");
        const AsNobody nobody(folder.path());
        if (!nobody.binds)
            QSKIP("the tests run as root and cannot reach files as another user");
        QCOMPARE(WorkWindow(folder.path(), QStringList{"open"} + TableRow(kChanges).steps),
                 (QStringList{"DAZU|16|attempt to write a readonly database", "shown",
                              "item|List1|viejo.txt"}));
        QCOMPARE(folder.read("DAZU.CFG"), before);
#endif
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (application.arguments().value(1) == "--other")
        return otherProgram(application.arguments().value(2), application.arguments().mid(3));
    sqlite3_vfs files = *systemFiles; // a power cut's
    files.zName = "powercut";
    files.xDelete = deleteFile;
    sqlite3_vfs_register(&files, 1);
    tst_Reliability test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_reliability.moc"
