// Another program holding the database file: a change made in the window waits for it within
// the busy timeout and is stored; past it, the program reports the engine's description and
// ends, nothing of the change is stored, and the next start makes it. Two windows on one folder
// lose no name that either of them stored; two programs started together on a fresh folder both
// start.
#include "BusyTimeout.h"
#include "ControlByName.h"
#include "ExFatDrive.h"
#include "SecondProgram.h"
#include "WindowFixture.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <SQLiteCpp/Database.h>

using dazu::test::AppFolder;
using dazu::test::LockHolder;

namespace {

enum class Change { AddName, DeleteName, Accept };

// The busy timeout of these tests, shortened so that a lock that outlasts it costs a second.
constexpr int kBusyTimeoutMs = 1000;
// Long enough that the change certainly meets the lock, well within the busy timeout.
constexpr int kShortHoldMs = 250;
const QString kOldName = QStringLiteral("viejo.txt");
const QString kNewName = QStringLiteral("nuevo.txt");
const QString kNewProgram = QStringLiteral("otro.exe");

// The change as a user makes it.
void make(const setup& window, Change change) {
    switch (change) {
    case Change::AddName:
        dazu::test::AddName(window, dazu::test::kFilesList, kNewName);
        break;
    case Change::DeleteName:
        dazu::test::DeleteName(window, dazu::test::kFilesList, kOldName);
        break;
    case Change::Accept:
        dazu::test::TypeText(dazu::test::Control<QLineEdit>(window, "txtprogramatm"), kNewProgram);
        dazu::test::Accept(window);
        break;
    }
}

bool changeStored(WindowFixture& f, Change change) {
    const QStringList names = dazu::test::ListNames(f.folder.databasePath(), "Files");
    switch (change) {
    case Change::AddName:
        return names == QStringList{kNewName, kOldName};
    case Change::DeleteName:
        return names.isEmpty();
    case Change::Accept:
        return dazu::test::SetupField(f.folder.databasePath(), "programatm") ==
               dazu::config::Variant(kNewProgram.toStdString());
    }
    return false;
}

// Everything stored: the settings row and both lists.
QStringList storedData(WindowFixture& f) {
    return f.storedRow() + dazu::test::ListNames(f.folder.databasePath(), "Files") +
           dazu::test::ListNames(f.folder.databasePath(), "FPCHH");
}

QSet<QString> toSet(const QStringList& names) {
    return QSet<QString>(names.begin(), names.end());
}

} // namespace

Q_DECLARE_METATYPE(LockHolder::Kind)
Q_DECLARE_METATYPE(Change)

class tst_Contention : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { dazu::config::SetBusyTimeoutMs(kBusyTimeoutMs); }

    void secondProgram_data() {
        QTest::addColumn<LockHolder::Kind>("lock");
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("outlasting"); // the lock outlasts the busy timeout
        const auto row = [](const char* name, LockHolder::Kind lock, Change change,
                            bool outlasting) {
            QTest::newRow(name) << lock << change << outlasting;
        };
        row("write lock, adding a name, short", LockHolder::Write, Change::AddName, false);
        row("write lock, deleting a name, short", LockHolder::Write, Change::DeleteName, false);
        row("write lock, Aceptar, short", LockHolder::Write, Change::Accept, false);
        row("read lock, adding a name, short", LockHolder::Read, Change::AddName, false);
        row("read lock, Aceptar, short", LockHolder::Read, Change::Accept, false);
        row("write lock, adding a name, outlasting", LockHolder::Write, Change::AddName, true);
        row("write lock, deleting a name, outlasting", LockHolder::Write, Change::DeleteName, true);
        row("write lock, Aceptar, outlasting", LockHolder::Write, Change::Accept, true);
        // Here the row is written and waits only to be committed.
        row("read lock, Aceptar, outlasting", LockHolder::Read, Change::Accept, true);
    }
    void secondProgram() {
        QFETCH(LockHolder::Kind, lock);
        QFETCH(Change, change);
        QFETCH(bool, outlasting);
        WindowFixture f;
        f.addName("Files", "viejo.txt");
        const QStringList before = storedData(f);
        const setup& window = f.load(); // loaded before the other program takes the file

        LockHolder holder(lock, f.folder.databasePath(), outlasting ? -1 : kShortHoldMs);
        QVERIFY2(holder.IsHolding(), qPrintable(holder.Output()));
        QElapsedTimer waited;
        waited.start();
        make(window, change);
        const std::int64_t finishedAt = dazu::test::MonotonicNanoseconds();
        const qint64 waitedMs = waited.elapsed();
        const std::int64_t releasedAt = holder.Release();
        QVERIFY2(releasedAt > 0, qPrintable(holder.Output()));

        if (!outlasting) {
            QCOMPARE(f.messages, QStringList());
            QVERIFY(finishedAt > releasedAt); // it waited for the other program
            QVERIFY(changeStored(f, change));
            return;
        }
        QCOMPARE(f.messages, QStringList{QStringLiteral("DAZU|16|database is locked")});
        QVERIFY2(waitedMs >= kBusyTimeoutMs - 50, qPrintable(QString::number(waitedMs)));
        QCOMPARE(storedData(f), before);
        // The user starts the program again: it shows what is stored, and the same change,
        // made again, is stored.
        f.messages.clear();
        const setup& next = f.load();
        QCOMPARE(dazu::test::ListedNames(next, dazu::test::kFilesList), QStringList{kOldName});
        make(next, change);
        QCOMPARE(f.messages, QStringList());
        QVERIFY(changeStored(f, change));
    }

    // The other program stores the very name that the window, having looked it up and found
    // nothing, is waiting to store: the engine refuses the second one. The window's program
    // ends with the engine's message, and the name stays stored once.
    void sameNameStoredMeanwhile() {
        WindowFixture f;
        f.addName("Files", "viejo.txt");
        const setup& window = f.load();
        LockHolder holder(LockHolder::Write, f.folder.databasePath(), kShortHoldMs,
                          QStringLiteral("INSERT INTO Files VALUES ('%1')").arg(kNewName));
        QVERIFY2(holder.IsHolding(), qPrintable(holder.Output()));
        make(window, Change::AddName);
        QVERIFY2(holder.Release() > 0, qPrintable(holder.Output()));

        QCOMPARE(f.messages,
                 QStringList{QStringLiteral("DAZU|16|UNIQUE constraint failed: Files.FILE")});
        QVERIFY(f.failed());
        QVERIFY(changeStored(f, Change::AddName));
        QCOMPARE(dazu::test::ListedNames(window, dazu::test::kFilesList), QStringList{kOldName});
    }

    // Two windows on one folder, each in a program of its own, add names to both lists at
    // the same time: names of their own, deleted again now and then, and shared names, which
    // the two take from opposite ends. Whichever stores a shared name first keeps it; the
    // other is refused with "Entrada ya existe" or, when the two meet between looking the
    // name up and storing it, the engine refuses it and that program ends with the message.
    void twoWindowsOnOneFolder() {
        constexpr int kNames = 24;
        AppFolder folder(AppFolder::CopyOfDist);
        dazu::app::RunStartup(folder.path());
        QStringList shared;
        for (int i = 0; i < kNames; ++i)
            shared << QStringLiteral("comun-%1.txt").arg(i);
        QSet<QString> kept; // own names that stay
        QProcess windows[2];
        for (int w = 0; w < 2; ++w) {
            QStringList steps{QStringLiteral("window"), folder.path(), QStringLiteral("wait")};
            for (int i = 0; i < kNames; ++i) {
                const QString own = QStringLiteral("ventana%1-%2.txt").arg(w).arg(i);
                const QString common = shared[w == 0 ? i : kNames - 1 - i];
                steps << "add1" << own << "add1" << common << "add2" << own << "add2" << common;
                if (i % 3 == 2)
                    steps << "delete1" << own << "delete2" << own;
                else
                    kept << own;
            }
            windows[w].start(dazu::test::HelperPath(), steps);
        }
        for (QProcess& window : windows) {
            QVERIFY(window.waitForReadyRead(10000));
            QCOMPARE(window.readLine().trimmed(), QByteArray(dazu::test::kReadyLine));
        }
        for (QProcess& window : windows)
            window.write("\n"); // both at once
        dazu::test::HelperRun runs[2];
        for (int w = 0; w < 2; ++w)
            runs[w] = dazu::test::Finish(windows[w], 60000);

        bool bothFinished = true;
        int refusals = 0;
        QSet<QString> listed[2]; // what each window's lists show
        for (const dazu::test::HelperRun& run : runs) {
            QVERIFY2(run.exitCode == 0 || run.exitCode == 1, qPrintable(run.errorOutput));
            bothFinished = bothFinished && run.exitCode == 0;
            for (const QString& line : run.output) {
                const QStringList parts = line.split(QLatin1Char('|'));
                if (parts.front() == QLatin1String("item")) {
                    listed[parts[1] == QLatin1String("List2")] << parts[2];
                } else if (parts[2] == QLatin1String("Entrada ya existe")) {
                    ++refusals;
                } else {
                    QCOMPARE(run.exitCode, 1);
                    QVERIFY2(line.startsWith(QStringLiteral("DAZU|16|UNIQUE constraint failed")),
                             qPrintable(line));
                }
            }
        }
        const QSet<QString> everyName = kept + toSet(shared);
        for (int list = 0; list < 2; ++list) {
            const QSet<QString> stored =
                toSet(dazu::test::ListNames(folder.databasePath(), list ? "FPCHH" : "Files"));
            QVERIFY(stored.contains(listed[list])); // no name that a window stored is lost
            QVERIFY(everyName.contains(stored));    // and no deleted one came back
            if (bothFinished)
                QCOMPARE(stored, everyName);
        }
        if (bothFinished)
            QCOMPARE(refusals, 2 * kNames); // each shared name once in each list
        SQLite::Database check(folder.databasePath(), SQLite::OPEN_READONLY);
        QCOMPARE(check.execAndGet("PRAGMA integrity_check").getString(), std::string("ok"));
    }

    // Two programs started at the same moment on a folder where nothing is installed yet, as
    // from a shortcut clicked twice: both install, open and start; the one that comes second
    // finds the files installed, and Setup holds one row.
    void firstStartsTogether_data() {
        QTest::addColumn<bool>("onExFat");
        QTest::newRow("local folder") << false;
        QTest::newRow("exFAT") << true;
    }
    void firstStartsTogether() {
        QFETCH(bool, onExFat);
        constexpr int kRounds = 20;
        std::unique_ptr<dazu::test::ExFatDrive> drive;
        if (onExFat) {
            drive = std::make_unique<dazu::test::ExFatDrive>();
            if (!drive->isMounted())
                QSKIP(qPrintable(QStringLiteral("no exFAT file system can be mounted here: ") +
                                 drive->whyNotMounted()));
        }
        for (int round = 0; round < kRounds; ++round) {
            const AppFolder folder(AppFolder::CopyOfDist, drive ? drive->path() : QString());
            QProcess programs[2];
            for (QProcess& program : programs) {
                program.start(dazu::test::HelperPath(),
                              {QStringLiteral("startup"), folder.path(), QStringLiteral("wait")});
                QVERIFY(program.waitForReadyRead(10000));
                QCOMPARE(program.readLine().trimmed(), QByteArray(dazu::test::kReadyLine));
            }
            for (QProcess& program : programs)
                program.write("\n");
            for (QProcess& program : programs) // all at once, not each when waited for
                QVERIFY(program.waitForBytesWritten(10000));
            for (QProcess& program : programs) {
                const dazu::test::HelperRun run = dazu::test::Finish(program, 30000);
                QVERIFY2(run.exitCode == 0,
                         qPrintable(run.output.join(QLatin1Char('\n')) + run.errorOutput));
            }
            for (const QString& name :
                 {QStringLiteral("DudodeZI410.bat"), QStringLiteral("VavodidedER410.bat")})
                QCOMPARE(folder.read(name), folder.read(QStringLiteral("Def") + name));
            QCOMPARE(dazu::config::OpenConfiguration(folder.databasePath()).Setup.RecordCount(), 1);
        }
    }
};

QTEST_MAIN(tst_Contention)
#include "tst_contention.moc"
