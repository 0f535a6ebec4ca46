// Another program on the same database, and programs cut short.
// Contention: a change made in the window waits for another program's lock within the busy
// timeout and is stored; past it, the program reports the engine's description and ends,
// nothing of the change is stored, and the next start makes it. Two windows on one folder lose
// no name that either stored; two programs started together on a fresh folder both start.
// Crash safety: a program killed in the middle of storing leaves the database sound, the
// settings row entirely of one generation and each name added or deleted whole; a change
// stored before a power cut is still stored after it.
// This program also plays the other program:  tst_otherprogram --other FOLDER STEP...  works
// the window on the folder in a session of its own (see WorkWindow) and prints what it met, a
// line each, its exit status 1 after a failure; with the one step churn or windowchurn, it
// stores generation after generation until it is killed, through the record operations or
// through a new window each time, and reports "ready" after the first.
#include "BusyTimeout.h"
#include "ExFatDrive.h"
#include "MsgBox.h"
#include "Schema.h"
#include "SettingsMapping.h"
#include "Startup.h"
#include "TestSupport.h"
#include "WindowUser.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QThread>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>
#include <sys/prctl.h>

using namespace dazu::test;

namespace {

// Generation n of what the crash test stores again and again: every field tells n, so that a
// row mixed from two generations shows; the texts are long enough for the row to span several
// pages of the file. Through the window, only the fields it shows.
SettingsChanges generation(std::int64_t n, bool shownOnly) {
    SettingsChanges row;
    int bit = 0;
    for (const dazu::config::FieldSpec& field : dazu::config::SetupTable().fields) {
        const std::string name(field.name);
        if (shownOnly && std::none_of(std::begin(dazu::dialog::kSettingsMapping),
                                      std::end(dazu::dialog::kSettingsMapping),
                                      [&](const auto& shown) { return shown.field == name; }))
            continue;
        if (field.kind == dazu::config::Kind::Text)
            row.emplace_back(name, name + std::to_string(n) + std::string(600, char('a' + n % 26)));
        else if (field.kind == dazu::config::Kind::YesNo)
            row.emplace_back(name, ((n >> bit++) & 1) != 0);
        else
            row.emplace_back(name, n);
    }
    return row;
}
// The name that generation n adds to Files, long enough to need a page of its own now and then.
QString generationName(std::int64_t n) {
    return QStringLiteral("generation-%1-%2")
        .arg(n)
        .arg(QString(200, QLatin1Char(char('a' + n % 26))));
}

QSet<QString> toSet(const QStringList& names) {
    return QSet<QString>(names.begin(), names.end());
}

bool failed = false; // a failure ends the churn

// The row and the name of generation n, then every other name deleted.
void store(const QString& folder, std::int64_t n) {
    auto tables = dazu::config::OpenConfiguration(folder.toStdString() + "/DAZU.CFG");
    tables.Setup.MoveFirst();
    tables.Setup.Edit();
    for (const auto& [field, value] : generation(n, false))
        tables.Setup.Fields(field).SetValue(value);
    tables.Setup.Update();
    const std::string name = generationName(n).toStdString();
    tables.Files.AddNew();
    tables.Files.Fields("FILE").SetValue(name);
    tables.Files.Update();
    for (tables.Files.MoveFirst(); !tables.Files.Eof(); tables.Files.MoveNext())
        if (tables.Files.Fields("FILE").Value().toText() != name)
            tables.Files.Delete();
}

// The same as a user in one session: a new window, the name added (unless a session cut short
// stored it already), every other name deleted, the shown settings changed, "&Aceptar".
void storeInWindow(const QString& folder, std::int64_t n) {
    const auto window = LoadWindow(folder);
    const QString name = generationName(n);
    if (!failed && !ListedNames(*window, kFilesList).contains(name))
        AddName(*window, kFilesList, name);
    for (const QString& listed : ListedNames(*window, kFilesList))
        if (listed != name && !failed)
            DeleteName(*window, kFilesList, listed);
    // Set as loading sets them: a check box changed this way runs its click handler.
    for (const auto& [field, value] : generation(n, true))
        dazu::dialog::ShowSetting(window->controls(), dazu::dialog::MappingOf(field), value);
    if (!failed)
        Accept(*window);
}

// The other program's main.
int otherProgram(const QString& folder, const QStringList& steps) {
    ::prctl(PR_SET_PDEATHSIG, static_cast<unsigned long>(SIGKILL)); // ends with its test
    if (steps != QStringList{"churn"} && steps != QStringList{"windowchurn"}) {
        const QStringList met = WorkWindow(folder, steps);
        for (const QString& line : met)
            std::printf("%s\n", qUtf8Printable(line));
        return met.filter(QStringLiteral("DAZU|16|")).isEmpty() ? 0 : 1;
    }
    dazu::app::SetMsgBoxPresenter([](const QString& prompt, int, const QString&) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(prompt));
        failed = true;
    });
    const std::int64_t first = SetupField(folder.toStdString() + "/DAZU.CFG", "intervalo").toInt();
    for (std::int64_t n = first + 1; n < first + 20000 && !failed; ++n) { // should the test be gone
        (steps[0] == "churn" ? store : storeInWindow)(folder, n);
        if (n == first + 1)
            std::printf("ready\n");
        std::fflush(stdout);
    }
    return 1;
}

// The other program on the folder with its steps, started; `wait` steps report "ready" and
// wait for a line.
void start(QProcess& other, const QStringList& arguments) {
    other.start(QCoreApplication::applicationFilePath(), QStringList{"--other"} + arguments);
}
bool ready(QProcess& other) {
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
// roll the stored change out. Every connection of this process deletes through it.
namespace powercut {
sqlite3_vfs* system = nullptr;
sqlite3_vfs recording{};
QString journal; // a journal whose deletion a power cut may undo, and its bytes
QByteArray lastBytes;

int deleteFile(sqlite3_vfs*, const char* name, int syncFolder) {
    QFile file(QString::fromUtf8(name));
    if (QByteArray(name).endsWith("-journal")) {
        journal = !syncFolder && file.open(QIODevice::ReadOnly) ? file.fileName() : QString();
        lastBytes = file.readAll();
    }
    return system->xDelete(system, name, syncFolder);
}
} // namespace powercut

// A change made in the other program while this one holds a lock (a write lock, as a program
// in the middle of storing, or a read lock, as one in the middle of reading) until it releases
// it ("" when the lock outlasts the busy timeout); what the program ends with, and then both
// lists and the program in programatm.
struct Contention {
    const char *name, *lock, *change, *release, *failure, *after;
};
const char *const kWrite = "BEGIN IMMEDIATE", *const kRead = "BEGIN; SELECT * FROM Setup",
                  *const kLocked = "database is locked";
const char *const kAdd = "add1 nuevo.txt", *const kAdded = "nuevo.txt viejo.txt roza5.exe",
                  *const kDelete = "delete1 viejo.txt", *const kDeleted = "roza5.exe",
                  *const kAccept = "type txtprogramatm otro.exe accept",
                  *const kAccepted = "viejo.txt otro.exe";
const Contention kContentions[] = {
    // clang-format off
    {"write lock, adding a name, short", kWrite, kAdd, "COMMIT", "", kAdded},
    {"write lock, deleting a name, short", kWrite, kDelete, "COMMIT", "", kDeleted},
    {"write lock, Aceptar, short", kWrite, kAccept, "COMMIT", "", kAccepted},
    {"read lock, adding a name, short", kRead, kAdd, "COMMIT", "", kAdded},
    // Under a read lock "&Aceptar" writes the row and waits only to commit.
    {"read lock, Aceptar, short", kRead, kAccept, "COMMIT", "", kAccepted},
    {"write lock, adding a name, outlasting", kWrite, kAdd, "", kLocked, kAdded},
    {"write lock, deleting a name, outlasting", kWrite, kDelete, "", kLocked, kDeleted},
    {"write lock, Aceptar, outlasting", kWrite, kAccept, "", kLocked, kAccepted},
    {"read lock, Aceptar, outlasting", kRead, kAccept, "", kLocked, kAccepted},
    // This program stores the very name that the other, having looked it up and found nothing,
    // waits to store: the engine refuses the second, which is stored once.
    {"the same name stored meanwhile", kWrite, kAdd,
     "INSERT INTO Files VALUES ('nuevo.txt'); COMMIT", "UNIQUE constraint failed: Files.FILE", kAdded},
    // clang-format on
};

} // namespace

class tst_OtherProgram : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The change is made in the other program while this one holds a lock: a write lock, as a
    // program in the middle of storing, or a read lock, as one in the middle of reading. A lock
    // held for less than the busy timeout is waited for; past it, the program ends with the
    // engine's description, having stored nothing, and the next start stores the change.
    void secondProgram_data() { dazu::test::AddTableRows(kContentions); }
    void secondProgram() {
        const Contention& row = dazu::test::TableRow(kContentions);
        const QString release = QString::fromUtf8(row.release),
                      failure = QString::fromUtf8(row.failure);
        const QStringList change = QString::fromUtf8(row.change).split(u' ');
        AppFolder folder(AppFolder::CopyOfDist);
        folder.addNames("Files", QStringList{"viejo.txt"});
        const std::string path = folder.databasePath();
        const auto stored = [&] {
            return ListNames(path, "Files") + ListNames(path, "FPCHH")
                   << QString::fromStdString(SetupField(path, "programatm").toText());
        };
        const QStringList before = stored();
        QProcess other;
        start(other, QStringList{folder.path(), "busy", "1000", "open", "wait"} + change);
        QVERIFY(ready(other)); // loaded before this program takes the file
        SQLite::Database holder(path, SQLite::OPEN_READWRITE);
        holder.exec(row.lock);
        QElapsedTimer waited;
        waited.start();
        other.write("\n");
        // The other program waits for the lock: up to the busy timeout when it outlasts it.
        QCOMPARE(other.waitForFinished(release.isEmpty() ? 10000 : 250), release.isEmpty());
        QVERIFY(release.isEmpty() == (waited.elapsed() >= 950));
        holder.exec(release.isEmpty() ? "COMMIT" : release.toStdString());
        const QStringList met = finish(other);
        const QStringList ended =
            failure.isEmpty() ? QStringList{"exit 0"} : QStringList{"DAZU|16|" + failure, "exit 1"};
        QCOMPARE(met.filter(QRegularExpression("DAZU|exit")), ended);
        if (!failure.isEmpty()) // its lists show only what is stored
            QCOMPARE(met.filter("item|"), QStringList{"item|List1|viejo.txt"});
        QCOMPARE(stored(), release.isEmpty() ? before : QString::fromUtf8(row.after).split(u' '));
        if (!release.isEmpty())
            return;
        // The user starts the program again: the same change, made again, is stored.
        QCOMPARE(WorkWindow(folder.path(), QStringList{"open"} + change).filter("DAZU|"),
                 QStringList());
        QCOMPARE(stored(), QString::fromUtf8(row.after).split(u' '));
    }

    // Two programs started at the same moment on a folder where nothing is installed yet, as
    // from a shortcut clicked twice: both install, open and start, and Setup holds one row.
    // Then their windows add names to both lists at the same time: names of their own,
    // deleted again now and then, and shared names, which the two take from opposite ends.
    // Whichever stores a shared name first keeps it; the other is refused with "Entrada ya
    // existe" or, when the two meet between looking the name up and storing it, the engine
    // refuses it and that program ends with the message.
    void twoProgramsOnOneFolder_data() {
        QTest::addColumn<bool>("onExFat");
        QTest::newRow("local folder") << false;
        QTest::newRow("exFAT") << true;
    }
    void twoProgramsOnOneFolder() {
        QFETCH(bool, onExFat);
        if (onExFat)
            DAZU_SKIP_WITHOUT_EXFAT();
        constexpr int kNames = 6;
        for (int round = 0; round < 5; ++round) {
            const AppFolder folder(AppFolder::CopyOfDist, onExFat ? ExFatFolder() : QString());
            QSet<QString> kept;          // the names that stay
            QSet<QString> unfinished[2]; // own names a program cut short may leave undeleted
            QProcess programs[2];
            for (int w = 0; w < 2; ++w) {
                QStringList steps{folder.path(), "wait", "open"};
                for (int i = 0; i < kNames; ++i) {
                    const QString own = QStringLiteral("ventana%1-%2.txt").arg(w).arg(i);
                    const QString common =
                        QStringLiteral("comun-%1.txt").arg(w == 0 ? i : kNames - 1 - i);
                    steps << "add1" << own << "add1" << common << "add2" << own << "add2" << common;
                    if (i % 3 == 2) {
                        steps << "delete1" << own << "delete2" << own;
                        unfinished[w] << own;
                    }
                    kept << common << (i % 3 == 2 ? common : own);
                }
                start(programs[w], steps);
                QVERIFY(ready(programs[w]));
            }
            for (QProcess& program : programs)
                program.write("\n");
            for (QProcess& program : programs) // both at once, not each when waited for
                QVERIFY(program.waitForBytesWritten(10000));
            const QStringList ends[] = {finish(programs[0]), finish(programs[1])};
            const QStringList met = ends[0] + ends[1];
            QSet<QString> mayStay = kept;
            for (int w = 0; w < 2; ++w)
                if (!ends[w].contains("exit 0"))
                    mayStay += unfinished[w];
            for (const QString& name : QStringList{"DudodeZI410.bat", "VavodidedER410.bat"})
                QCOMPARE(folder.read(name), folder.read("Def" + name));
            QCOMPARE(dazu::config::OpenConfiguration(folder.databasePath()).Setup.RecordCount(), 1);
            // A program fails only when the engine refuses a name the other stored meanwhile.
            QCOMPARE(met.filter("DAZU|16|"), met.filter("DAZU|16|UNIQUE constraint failed"));
            const bool bothFinished = met.filter("exit 0").size() == 2;
            for (const auto* list : {&kFilesList, &kFpchhList}) {
                const QSet<QString> names = toSet(ListNames(folder.databasePath(), list->table));
                const QString shown =
                    QStringLiteral("item|%1|").arg(QLatin1String(list->controls.list));
                // No name meant to stay that a window showed is lost (the other program may
                // delete one of its own after this window showed it), and no deleted one comes
                // back.
                QVERIFY(
                    names.contains(toSet(met.filter(shown).replaceInStrings(shown, "")) & kept));
                QVERIFY(mayStay.contains(names));
                QVERIFY(!bothFinished || names == kept);
            }
            // Each shared name is refused once in each list.
            QVERIFY(!bothFinished || met.filter("|Entrada ya existe").size() == 2 * kNames);
        }
    }

    // Killed at 30 moments while storing generation after generation: the record operations
    // store the row, add its name, then delete the older ones; a window adds its name, deletes
    // every other one, and stores the row with "&Aceptar".
    void killedWhileStoring_data() {
        QTest::addColumn<bool>("throughWindow");
        QTest::addColumn<int>("longestDelayUs"); // about one generation
        QTest::newRow("record operations") << false << 80000;
        QTest::newRow("window") << true << 250000;
    }
    void killedWhileStoring() {
        QFETCH(bool, throughWindow);
        QFETCH(int, longestDelayUs);
        AppFolder folder(AppFolder::CopyOfDist);
        const std::string path = folder.databasePath();
        folder.seed(generation(0, false));
        folder.addNames("Files", {generationName(0)});
        const QStringList first = StoredRow(path);
        std::int64_t latest = 0;
        int killedMidWrite = 0;
        for (int kill = 0; kill < 30; ++kill) {
            QProcess writer;
            start(writer,
                  {folder.path(), QString::fromLatin1(throughWindow ? "windowchurn" : "churn")});
            QVERIFY(ready(writer));
            // The moment of the kill varies over the phases of a generation.
            QThread::usleep(static_cast<unsigned long>(kill * 7919 % longestDelayUs));
            writer.kill();
            QCOMPARE(finish(writer).last(), QStringLiteral("exit -1"));
            killedMidWrite += folder.exists("DAZU.CFG-journal");

            // Opening rolls back whatever the killed program left half-done.
            SQLite::Database check(path, SQLite::OPEN_READWRITE);
            QCOMPARE(check.execAndGet("PRAGMA integrity_check").getString(), std::string("ok"));
            QCOMPARE(check.execAndGet("SELECT count(*) FROM Setup").getInt(), 1);
            const std::int64_t now = SetupField(path, "intervalo").toInt();
            QCOMPARE(StoredRow(path), WithChanges(first, generation(now, throughWindow)));
            QVERIFY(now >= latest);
            latest = now;
            // A window adds a generation's name before it stores its row, the record
            // operations after; only they may leave older names.
            const QStringList names = ListNames(path, "Files");
            QVERIFY(!names.isEmpty());
            for (const QString& name : names) {
                const std::int64_t of = name.section(u'-', 1, 1).toLongLong();
                QCOMPARE(name, generationName(of));
                QVERIFY2(throughWindow ? of == now || of == now + 1 : of <= now, qPrintable(name));
            }
        }
        QVERIFY(latest > 0);         // the program got on with storing between the kills
        QVERIFY(killedMidWrite > 0); // and some kills hit it in the middle of a store
    }

    // A change made in the window and stored, then the power goes, then the program starts
    // again: the change is there.
    void powerCutAfterStoring_data() {
        QTest::addColumn<QStringList>("change");
        QTest::addColumn<QStringList>("stored"); // Files, then the program in programatm
        QTest::newRow("name added")
            << QStringList{"add1", "nuevo.txt"} << QStringList{"nuevo.txt", "roza5.exe"};
        QTest::newRow("Aceptar") << QStringList{"type", "txtprogramatm", "otro.exe", "accept"}
                                 << QStringList{"otro.exe"};
    }
    void powerCutAfterStoring() {
        QFETCH(QStringList, change);
        QFETCH(QStringList, stored);
        if (!powercut::system) {
            powercut::system = sqlite3_vfs_find(nullptr);
            powercut::recording = *powercut::system;
            powercut::recording.zName = "powercut";
            powercut::recording.xDelete = powercut::deleteFile;
            sqlite3_vfs_register(&powercut::recording, 1);
        }
        AppFolder folder(AppFolder::CopyOfDist);
        QCOMPARE(WorkWindow(folder.path(), QStringList{"open"} + change).filter("DAZU"),
                 QStringList());
        QFile restored(powercut::journal); // the power goes: the journal's deletion is undone
        QVERIFY(powercut::journal.isEmpty() ||
                (restored.open(QIODevice::WriteOnly) && restored.write(powercut::lastBytes)));
        restored.close();

        dazu::app::RunStartup(folder.path());
        const std::string path = folder.databasePath();
        QCOMPARE(ListNames(path, "Files")
                     << QString::fromStdString(SetupField(path, "programatm").toText()),
                 stored);
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.value(1) == "--other")
        return otherProgram(arguments.value(2), arguments.mid(3));
    tst_OtherProgram test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_otherprogram.moc"
