// The start-up sequence installs what is missing, replaces nothing, and opens the database:
// on any writable file system, after an interrupted copy, from read-only templates, and beside
// what a crash left of an earlier DAZU.CFG.
#include "Platform.h"
#include "Startup.h"
#include "TestSupport.h"

#include <future>
#include <QDir>
#include <QTest>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>
#include <thread>
#ifdef DAZU_TEST_POSIX_FILES
#include "ExFatDrive.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

using dazu::test::AppFolder;

namespace {
const QString kBatch1 = QStringLiteral("DudodeZI410.bat");
const QString kBatch2 = QStringLiteral("VavodidedER410.bat");
const QString kDatabase = QStringLiteral("DAZU.CFG");
const QStringList kTargets{kBatch1, kBatch2, kDatabase};

// What an earlier run left in the folder before this start.
enum class Before {
    Nothing,
    // An earlier start installed everything and stored a name.
    EarlierStart,
    // Each target's copy cut short by a kill, under this very process id (as in containers).
    InterruptedCopies,
    // Templates installed read-only, from read-only media or by an administrator.
    ReadOnlyTemplates,
    // A crash left DAZU.CFG-journal behind, and the user deleted DAZU.CFG to start afresh.
    StaleJournal,
};

// The journal a program leaves when it dies in the middle of deleting a name from Files of
// the database at path: it holds the page with the name, to be put back.
QByteArray journalOfInterruptedChange(const std::string& path) {
    SQLite::Database db(path, SQLite::OPEN_READWRITE);
    db.exec("BEGIN IMMEDIATE");
    db.exec("DELETE FROM Files");
    sqlite3_db_cacheflush(db.getHandle()); // the journal is written before the change
    QFile journal(QString::fromStdString(path) + QStringLiteral("-journal"));
    if (!journal.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = journal.readAll();
    db.exec("ROLLBACK");
    return bytes;
}

void prepare(const AppFolder& folder, Before before) {
    switch (before) {
    case Before::Nothing:
        break;
    case Before::EarlierStart:
        folder.addNames("Files", {QStringLiteral("guardado.txt")});
        break;
    case Before::InterruptedCopies:
        for (const QString& name : kTargets)
            folder.write(name + QStringLiteral(".partial-") +
                             QString::number(QCoreApplication::applicationPid()),
                         "half a copy");
        break;
    case Before::ReadOnlyTemplates:
        for (const QString& name : kTargets)
            QVERIFY(QFile::setPermissions(folder.file(QStringLiteral("Def") + name),
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        break;
    case Before::StaleJournal: {
        folder.addNames("Files", {QStringLiteral("viejo.txt")});
        const QByteArray journal = journalOfInterruptedChange(folder.databasePath());
        QVERIFY(!journal.isEmpty());
        QVERIFY(QFile::remove(folder.file(kDatabase)));
        folder.write(kDatabase + QStringLiteral("-journal"), journal);
        break;
    }
    }
}

QStringList entriesOf(const QString& path) {
    return QDir(path).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

Q_DECLARE_METATYPE(Before)

class tst_Startup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each row prepares a copy of the portable folder, then starts once.
    void installation_data() {
        QTest::addColumn<bool>("onExFat"); // the folder on a USB stick's file system
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("present"); // placed before the start, must survive
        QTest::addColumn<Before>("before");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QStringList>("names"); // in Files after the start
        QTest::newRow("first start") << false << QStringList() << QStringList() << Before::Nothing
                                     << QStringList() << QStringList();
        QTest::newRow("all present")
            << false << QStringList() << QStringList{kBatch1, kBatch2} << Before::EarlierStart
            << QStringList() << QStringList{QStringLiteral("guardado.txt")};
        QTest::newRow("only the first batch file missing")
            << false << QStringList() << QStringList{kBatch2} << Before::Nothing << QStringList()
            << QStringList();
        QTest::newRow("template missing")
            << false << QStringList{QStringLiteral("DefDudodeZI410.bat")} << QStringList()
            << Before::Nothing << QStringList{kBatch1} << QStringList();
#ifdef DAZU_TEST_POSIX_FILES
        QTest::newRow("first start on exFAT") << true << QStringList() << QStringList()
                                              << Before::Nothing << QStringList() << QStringList();
#endif
        QTest::newRow("copies interrupted under the same process id")
            << false << QStringList() << QStringList() << Before::InterruptedCopies << QStringList()
            << QStringList();
#ifdef DAZU_TEST_POSIX_FILES
        QTest::newRow("copies interrupted, on exFAT")
            << true << QStringList() << QStringList() << Before::InterruptedCopies << QStringList()
            << QStringList();
#endif
        QTest::newRow("read-only templates")
            << false << QStringList() << QStringList() << Before::ReadOnlyTemplates << QStringList()
            << QStringList();
        QTest::newRow("stale journal of a deleted DAZU.CFG")
            << false << QStringList() << QStringList() << Before::StaleJournal << QStringList()
            << QStringList();
    }
    void installation() {
        QFETCH(bool, onExFat);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, present);
        QFETCH(Before, before);
        QFETCH(QStringList, absent);
        QFETCH(QStringList, names);
#ifdef DAZU_TEST_POSIX_FILES
        std::unique_ptr<dazu::test::ExFatDrive> drive;
        if (onExFat) {
            drive = std::make_unique<dazu::test::ExFatDrive>();
            if (!drive->isMounted())
                QSKIP(qPrintable(QStringLiteral("no exFAT file system can be mounted here: ") +
                                 drive->whyNotMounted()));
        }
        const AppFolder folder(AppFolder::CopyOfDist, drive ? drive->path() : QString());
#else
        Q_UNUSED(onExFat);
        const AppFolder folder(AppFolder::CopyOfDist);
#endif
        for (const QString& name : removed)
            QVERIFY(QFile::remove(folder.file(name)));
        for (const QString& name : present)
            folder.write(name, "kept as it was");
        prepare(folder, before);
        if (QTest::currentTestFailed())
            return;
        const QByteArray dbTemplate = folder.read(QStringLiteral("DefDAZU.CFG"));

        // The program names its folder in the system's own form.
        const QString directory = QDir::toNativeSeparators(folder.path());
        try {
            const auto opened = dazu::app::RunStartup(directory);
            QCOMPARE(dazu::test::CurrentDirectoryFor(folder.path()), folder.path());
            QCOMPARE(opened.databasePath, QDir::toNativeSeparators(folder.file(kDatabase)));
        } catch (const std::exception& e) {
            QDir::setCurrent(QDir::tempPath());
            QFAIL(e.what());
        }
        QDir::setCurrent(QDir::tempPath()); // lets the drive go

        for (const QString& name : present)
            QCOMPARE(folder.read(name), QByteArray("kept as it was"));
        for (const QString& name : kTargets) {
            if (absent.contains(name)) {
                QVERIFY(!folder.exists(name));
                continue;
            }
            if (name != kDatabase && !present.contains(name))
                QCOMPARE(folder.read(name), folder.read(QStringLiteral("Def") + name));
            // Installed copies are the user's to change, whatever the template's mode.
            QVERIFY2(QFileInfo(folder.file(name)).permissions() & QFile::WriteOwner,
                     qPrintable(name));
        }
        // Nothing of an earlier copy or an earlier database is left, or was taken in.
        QCOMPARE(entriesOf(folder.path()).filter(QStringLiteral(".partial-")), QStringList());
        QVERIFY(!folder.exists(kDatabase + QStringLiteral("-journal")));
        QCOMPARE(dazu::test::ListNames(folder.databasePath(), "Files"), names);
        // The copied database got its one default row; the template stays empty.
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 dazu::config::Variant(directory.toStdString()));
        QCOMPARE(dazu::config::OpenConfiguration(folder.databasePath()).Setup.RecordCount(), 1);
        QCOMPARE(folder.read(QStringLiteral("DefDAZU.CFG")), dbTemplate);
    }

    // A pipe or a device put in a template's place between the check and the copy is refused
    // at once, and nothing is installed.
    void copyNeverBlocks_data() {
        QTest::addColumn<QString>("source");
#ifdef DAZU_TEST_POSIX_FILES
        QTest::newRow("pipe with no writer") << QString();
        QTest::newRow("device") << QStringLiteral("/dev/null");
#else
        QTest::newRow("device") << QStringLiteral("NUL");
#endif
    }
    void copyNeverBlocks() {
        QFETCH(QString, source);
        const AppFolder folder;
#ifdef DAZU_TEST_POSIX_FILES
        if (source.isEmpty()) {
            source = folder.file(QStringLiteral("DefDudodeZI410.bat"));
            QVERIFY(::mkfifo(QFile::encodeName(source).constData(), 0644) == 0);
        }
#endif
        const QString target = folder.file(kBatch1);
        // A copy that blocks is abandoned to its thread: the test fails instead of hanging.
        auto copied = std::make_shared<std::promise<QString>>();
        std::thread([copied, source, target] {
            try {
                dazu::files::FileCopy(source, target);
                copied->set_value(QStringLiteral("copied"));
            } catch (const std::exception& e) {
                copied->set_value(QString::fromStdString(e.what()));
            }
        }).detach();
        auto outcome = copied->get_future();
        QVERIFY2(outcome.wait_for(std::chrono::seconds(10)) == std::future_status::ready,
                 "the copy blocked");
        QCOMPARE(outcome.get(),
                 QStringLiteral("No se puede leer %1: no es un archivo normal").arg(source));
        QVERIFY(!QFile::exists(target));
        QCOMPARE(entriesOf(folder.path()).filter(QStringLiteral(".partial-")), QStringList());
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
