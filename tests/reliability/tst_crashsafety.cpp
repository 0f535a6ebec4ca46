// A program killed in the middle of storing leaves the database sound, with the settings row
// entirely as it was before or entirely as it was being stored, never a mix of the two, and
// each name of a list added or deleted whole: whether it stores through the record operations
// directly or through the window's "&Aceptar" and list editors. A change stored before a power
// cut is still stored after it.
#include "Churn.h"
#include "ControlByName.h"
#include "MsgBox.h"
#include "SecondProgram.h"
#include "setup.h"
#include "Startup.h"
#include "TestSupport.h"
#include "WindowChurn.h"
#include "WindowUser.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>

using dazu::test::AppFolder;

namespace {

constexpr int kKills = 30;

struct Storer {
    QString mode;                      // of the second program
    std::vector<std::string_view> row; // the fields it stores, all when empty
    int longestDelayUs;                // about one generation of stores
    std::int64_t newestName;           // how far a name's generation may run ahead of the row's
    bool olderNamesStay;               // whether names older than the row's may be left
};

// What a power cut leaves of a deleted journal. The engine syncs the database file before it
// deletes the journal, so the file's bytes survive; the deletion itself survives only when
// the folder is synced after it, otherwise the journal can be back at the next start and
// roll the stored change out.
namespace powercut {
sqlite3_vfs* system = nullptr;
sqlite3_vfs recording{};
QString journal;      // a journal whose deletion a power cut may undo
QByteArray lastBytes; // its bytes when it was deleted

int deleteFile(sqlite3_vfs*, const char* name, int syncFolder) {
    if (QByteArray(name).endsWith("-journal")) {
        journal.clear();
        if (!syncFolder) {
            QFile file(QString::fromUtf8(name));
            if (file.open(QIODevice::ReadOnly)) {
                journal = QString::fromUtf8(name);
                lastBytes = file.readAll();
            }
        }
    }
    return system->xDelete(system, name, syncFolder);
}

// Every connection of this process records through it.
void install() {
    system = sqlite3_vfs_find(nullptr);
    recording = *system;
    recording.zName = "powercut";
    recording.xDelete = deleteFile;
    sqlite3_vfs_register(&recording, 1);
}

// The power goes: the journal whose deletion was not yet synced is back.
void cut() {
    if (journal.isEmpty())
        return;
    QFile file(journal);
    if (file.open(QIODevice::WriteOnly))
        file.write(lastBytes);
    journal.clear();
}
} // namespace powercut

enum class StoredChange { AddName, Accept };

} // namespace

Q_DECLARE_METATYPE(Storer)
Q_DECLARE_METATYPE(StoredChange)

class tst_CrashSafety : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { powercut::install(); }

    // A change made in the window and stored, then the power goes, then the program starts
    // again: the change is there.
    void powerCutAfterStoring_data() {
        QTest::addColumn<StoredChange>("change");
        QTest::newRow("name added") << StoredChange::AddName;
        QTest::newRow("Aceptar") << StoredChange::Accept;
    }
    void powerCutAfterStoring() {
        QFETCH(StoredChange, change);
        const AppFolder folder(AppFolder::CopyOfDist);
        dazu::app::RunStartup(folder.path());
        QStringList shown; // a failure would show its box
        dazu::app::SetMsgBoxPresenter([&shown](const QString& prompt, int, const QString& title) {
            shown << title + QLatin1Char('|') + prompt;
        });
        {
            const auto window = dazu::test::LoadWindow(folder.path());
            if (change == StoredChange::AddName) {
                dazu::test::AddName(*window, dazu::test::kFilesList, QStringLiteral("nuevo.txt"));
            } else {
                dazu::test::TypeText(dazu::test::Control<QLineEdit>(*window, "txtprogramatm"),
                                     QStringLiteral("otro.exe"));
                dazu::test::Accept(*window);
            }
        }
        dazu::app::SetMsgBoxPresenter({});
        QCOMPARE(shown, QStringList());

        powercut::cut();

        dazu::app::RunStartup(folder.path());
        if (change == StoredChange::AddName)
            QCOMPARE(dazu::test::ListNames(folder.databasePath(), "Files"),
                     QStringList{QStringLiteral("nuevo.txt")});
        else
            QCOMPARE(dazu::test::SetupField(folder.databasePath(), "programatm"),
                     dazu::config::Variant(std::string("otro.exe")));
    }

    void killedWhileStoring_data() {
        QTest::addColumn<Storer>("storer");
        // A generation stores the row, adds its name, then deletes the older ones; a kill
        // between the row and the name leaves the name behind the row.
        QTest::newRow("record operations") << Storer{QStringLiteral("churn"), {}, 80000, 0, true};
        // A generation opens a new window, adds its name, deletes every other one, and stores
        // the row with "&Aceptar", which closes the window.
        QTest::newRow("window") << Storer{QStringLiteral("windowchurn"), dazu::test::ShownFields(),
                                          250000, 1, false};
    }
    void killedWhileStoring() {
        QFETCH(Storer, storer);
        AppFolder folder(AppFolder::CopyOfDist);
        const std::string path = folder.databasePath();
        folder.seed();
        {
            auto tables = dazu::config::OpenConfiguration(path);
            tables.Files.Index("FILE");
            dazu::test::ChurnStep(tables, 0);
        }
        const QString target =
            storer.mode == QLatin1String("churn") ? QString::fromStdString(path) : folder.path();
        const QString journal = folder.file(QStringLiteral("DAZU.CFG-journal"));
        std::int64_t generation = 0;
        int killedMidWrite = 0;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess writer;
            writer.start(dazu::test::HelperPath(), {storer.mode, target});
            QVERIFY(writer.waitForReadyRead(10000));
            QCOMPARE(writer.readLine().trimmed(), QByteArray(dazu::test::kReadyLine));
            // The moment of the kill varies over the phases of a generation.
            QThread::usleep(static_cast<unsigned long>(kill * 7919 % storer.longestDelayUs));
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                     (writer.readAll() + writer.readAllStandardError()).constData());
            if (QFile::exists(journal))
                ++killedMidWrite;

            // Opening rolls back whatever the killed program left half-done.
            SQLite::Database check(path, SQLite::OPEN_READWRITE);
            QCOMPARE(check.execAndGet("PRAGMA integrity_check").getString(), std::string("ok"));
            auto tables = dazu::config::OpenConfiguration(path);
            QCOMPARE(tables.Setup.RecordCount(), 1);
            tables.Setup.MoveFirst();
            const std::int64_t now = dazu::test::ChurnGeneration(tables.Setup, storer.row);
            QVERIFY2(now >= generation, qPrintable(QString::number(now)));
            generation = now;
            // Names are added and deleted whole, and a name goes only once the next is stored.
            const QStringList names = dazu::test::ListNames(path, "Files");
            QVERIFY(!names.isEmpty());
            for (const QString& name : names) {
                const std::int64_t of = dazu::test::ChurnNameGeneration(name.toStdString());
                QVERIFY2(of >= 0 && of <= now + storer.newestName &&
                             (storer.olderNamesStay || of >= now),
                         qPrintable(QStringLiteral("%1 with row %2").arg(name).arg(now)));
            }
        }
        QVERIFY(generation > 0);     // the program got on with storing between the kills
        QVERIFY(killedMidWrite > 0); // and some kills hit it in the middle of a store
    }
};

QTEST_MAIN(tst_CrashSafety)
#include "tst_crashsafety.moc"
