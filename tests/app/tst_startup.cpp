// The start-up sequence installs what is missing, replaces nothing, and opens the database:
// on any writable file system, after an interrupted copy, from read-only templates, and beside
// what a crash left of an earlier DAZU.CFG. A start that cannot install a file stops with the
// system's description of the error; what was installed before stays, and nothing half-copied
// is left behind.
#include "ExFatDrive.h"
#include "Platform.h"
#include "Startup.h"
#include "TestSupport.h"
#include "Unprivileged.h"

#include <optional>
#include <QDir>
#include <QScopeGuard>
#include <QTest>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using namespace dazu::test;

namespace {

const QStringList kTargets{"DudodeZI410.bat", "VavodidedER410.bat", "DAZU.CFG"};

// What is in the folder before the start.
enum Before {
    Nothing,
    EarlierStart,      // a name stored; the second batch file changed by the user, the first gone
    TemplateMissing,   // the file's template: that file is not installed
    InterruptedCopies, // each copy cut short by a kill, under this very process id
    ReadOnlyTemplates, // installed from read-only media or by an administrator
    StaleJournal,      // a crash left DAZU.CFG-journal, and the user deleted DAZU.CFG
    Unreadable,        // the file (a template) cannot be read
    ReadOnlyFolder,    // and the batch files installed before when the file is DAZU.CFG
    FolderInTheWay,    // a folder named as the file
    FolderAndNoTemplate,
};

// The errors the faults end in, as the system numbers them.
#ifdef Q_OS_WIN
const int kUnreadable = ERROR_SHARING_VIOLATION, kExists = ERROR_ALREADY_EXISTS;
#else
const int kUnreadable = EACCES, kExists = EEXIST;
#endif

struct Row {
    const char* name;
    Before before;
    const char* file = "";    // the template of the fault
    int stopsAt = 3;          // the target the start stops at, 3 when it goes through
    const char* message = ""; // of the refusal: %1 the folder, %2 the error's description
    int error = 0;
    bool onExFat = false;
};
const Row kRows[] = {
    {"first start", Nothing},
    {"earlier start", EarlierStart},
    {"template missing", TemplateMissing, "DefDudodeZI410.bat"},
    {"copies interrupted under the same process id", InterruptedCopies},
    {"read-only templates", ReadOnlyTemplates},
    {"stale journal of a deleted DAZU.CFG", StaleJournal},
    {"database template unreadable", Unreadable, "DefDAZU.CFG", 2,
     "No se puede leer %1/DefDAZU.CFG: %2", kUnreadable},
    {"first batch template unreadable", Unreadable, "DefDudodeZI410.bat", 0,
     "No se puede leer %1/DefDudodeZI410.bat: %2", kUnreadable},
    {"directory named DAZU.CFG", FolderInTheWay, "", 2, "No se puede crear %1/DAZU.CFG: %2",
     kExists},
#ifndef Q_OS_WIN // exFAT is mounted through FUSE, and folders' permissions bind, on Linux
    {"first start on exFAT", Nothing, "", 3, "", 0, true},
    {"copies interrupted, on exFAT", InterruptedCopies, "", 3, "", 0, true},
    {"no DAZU.CFG and no template", TemplateMissing, "DefDAZU.CFG", 2,
     "unable to open database file: %1/DAZU.CFG"},
    {"directory named DAZU.CFG, no template", FolderAndNoTemplate, "DefDAZU.CFG", 2,
     "unable to open database file: %1/DAZU.CFG"},
    {"read-only folder, database missing", ReadOnlyFolder, "", 2,
     "No se puede crear %1/DAZU.CFG: %2", EACCES},
    {"read-only folder, nothing installed", ReadOnlyFolder, "", 0,
     "No se puede crear %1/DudodeZI410.bat: %2", EACCES},
#endif
};

void prepare(const AppFolder& folder, const Row& row) {
    const QString pid = QString::number(QCoreApplication::applicationPid());
    for (const QString& name : kTargets) {
        if (row.before == InterruptedCopies)
            folder.write(name + ".partial-" + pid, "half a copy");
        if (row.before == ReadOnlyTemplates)
            QFile::setPermissions(folder.file("Def" + name), QFile::ReadOwner | QFile::ReadOther);
    }
    if (row.before == EarlierStart || row.before == StaleJournal)
        folder.addNames("Files", QStringList{"guardado.txt"});
    if (row.before == EarlierStart)
        folder.write("VavodidedER410.bat", "kept as it was");
    if (row.before == ReadOnlyFolder && row.stopsAt == 2)
        for (const QString& name : kTargets.mid(0, 2))
            folder.write(name, folder.read("Def" + name));
    if (row.before == TemplateMissing || row.before == FolderAndNoTemplate)
        QFile::remove(folder.file(QString::fromUtf8(row.file)));
    if (row.before == FolderInTheWay || row.before == FolderAndNoTemplate)
        QDir(folder.path()).mkdir("DAZU.CFG");
    if (row.before == StaleJournal) { // a program died deleting the name: its page in the journal
        QByteArray journal;
        { // closed before the file goes: Windows removes no open file
            SQLite::Database db(folder.databasePath(), SQLite::OPEN_READWRITE);
            db.exec("BEGIN IMMEDIATE; DELETE FROM Files");
            sqlite3_db_cacheflush(db.getHandle()); // the journal is written before the change
            journal = folder.read("DAZU.CFG-journal");
            db.exec("ROLLBACK");
        }
        if (!QFile::remove(folder.file("DAZU.CFG")))
            qFatal("cannot remove DAZU.CFG");
        folder.write("DAZU.CFG-journal", journal);
    }
#ifndef Q_OS_WIN
    if (row.before == Unreadable)
        QFile::setPermissions(folder.file(QString::fromUtf8(row.file)), {});
#endif
}

// Every entry of the folder with its bytes.
QMap<QString, QByteArray> contents(const AppFolder& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name :
         QDir(folder.path())
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        files[name] = folder.read(name);
    return files;
}

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each row prepares a copy of the portable folder, then starts once.
    void start_data() { dazu::test::AddTableRows(kRows); }
    void start() {
        const Row& row = dazu::test::TableRow(kRows);
        if (row.onExFat)
            DAZU_SKIP_WITHOUT_EXFAT();
        const AppFolder folder(AppFolder::CopyOfDist, row.onExFat ? ExFatFolder() : QString());
        prepare(folder, row);
        // What the folder holds afterwards: nothing of an earlier copy or an earlier database,
        // what was there before, and a copy of its template for each target installed.
        QMap<QString, QByteArray> expected = contents(folder);
        for (const QString& name : expected.keys())
            if (name.contains(".partial-") || name == "DAZU.CFG-journal")
                expected.remove(name);
        for (const QString& name : kTargets.mid(0, row.stopsAt))
            if (!expected.contains(name) && expected.contains("Def" + name))
                expected[name] = expected["Def" + name];
        // The program names its folder in the system's own form.
        const QString directory = QDir::toNativeSeparators(folder.path());
        QString failure;
        try {
#ifdef Q_OS_WIN // another program holds the template open without sharing it, as an editor may
            const HANDLE open = CreateFileW(
                folder.file(QString::fromUtf8(row.before == Unreadable ? row.file : "-"))
                    .toStdWString()
                    .c_str(),
                GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            const auto closed = qScopeGuard([open] { CloseHandle(open); });
#else
            // Permission bits bind root too: the start runs as nobody.
            std::optional<AsNobody> nobody;
            if (row.before == Unreadable || row.before == ReadOnlyFolder)
                nobody.emplace(folder.path());
            if (nobody && !nobody->binds())
                QSKIP("the tests run as root and cannot reach files as another user");
            if (row.before == ReadOnlyFolder)
                QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
            const auto writable = qScopeGuard([&] {
                QFile::setPermissions(folder.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            });
#endif
            const auto opened = dazu::app::RunStartup(directory);
            QCOMPARE(CurrentDirectoryFor(folder.path()), QDir::cleanPath(folder.path()));
            QCOMPARE(opened.databasePath, QDir::toNativeSeparators(folder.file("DAZU.CFG")));
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
        QDir::setCurrent(QDir::tempPath()); // lets the drive go
        const QString message = QString::fromUtf8(row.message).replace("%1", folder.path());
        QCOMPARE(failure,
                 QDir::toNativeSeparators(message).replace("%2", qt_error_string(row.error)));
        QMap<QString, QByteArray> now = contents(folder);
        if (row.stopsAt == 3)
            expected["DAZU.CFG"] = now["DAZU.CFG"]; // checked below
        QCOMPARE(now, expected);
        if (row.stopsAt < 3)
            return;
        // Installed copies are the user's to change, whatever the template's mode.
        for (const QString& name : kTargets)
            QVERIFY(!folder.exists(name) ||
                    QFile::permissions(folder.file(name)) & QFile::WriteOwner);
        // The copied database got its one default row.
        const std::string path = folder.databasePath();
        QCOMPARE(ListNames(path, "Files"),
                 row.before == EarlierStart ? QStringList{"guardado.txt"} : QStringList());
        QCOMPARE(SetupField(path, "pathdest"), dazu::config::Variant(directory.toStdString()));
        QCOMPARE(dazu::config::OpenConfiguration(path).Setup.RecordCount(), 1);
    }

    // A pipe or a device put in a template's place between the check and the copy is refused
    // at once (a copy that blocks ends at the test's time limit), and nothing is installed.
    void copyNeverBlocks_data() {
        QTest::addColumn<QString>("source");
#ifdef Q_OS_WIN
        QTest::newRow("device") << "NUL";
#else // a pipe and a device are made the POSIX way
        QTest::newRow("pipe with no writer") << "DefDudodeZI410.bat";
        QTest::newRow("device") << "/dev/null";
#endif
    }
    void copyNeverBlocks() {
        QFETCH(QString, source);
        const AppFolder folder;
#ifndef Q_OS_WIN
        if (!source.startsWith(u'/'))
            QVERIFY(::mkfifo(QFile::encodeName(source = folder.file(source)).constData(), 0644) ==
                    0);
#endif
        try {
            dazu::files::FileCopy(source, folder.file("DudodeZI410.bat"));
            QFAIL("copied");
        } catch (const std::exception& e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QStringLiteral("No se puede leer %1: no es un archivo normal").arg(source));
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{"DefDudodeZI410.bat"}.mid(0, source.startsWith(folder.path())));
    }

#ifdef Q_OS_WIN // each drive has a current directory of its own
    // The application directory becomes the current directory of its own drive; the current
    // drive stays the one the program was started on (any other: Wine maps the Linux root to Z:).
    void currentDriveStays() {
        AppFolder folder(AppFolder::CopyOfDist);
        const QString directory = QDir::toNativeSeparators(folder.path());
        QString otherDrive;
        for (char letter = 'C'; letter <= 'Z' && otherDrive.isEmpty(); ++letter)
            if ((GetLogicalDrives() & (1u << (letter - 'A'))) &&
                letter != directory.at(0).toUpper())
                otherDrive = QLatin1Char(letter) + QStringLiteral(":\\");
        if (otherDrive.isEmpty())
            QSKIP("this machine has no drive besides the one of the temporary folder");
        QVERIFY(QDir::setCurrent(otherDrive));
        dazu::app::RunStartup(directory);
        QCOMPARE(QDir::toNativeSeparators(QDir::currentPath()), otherDrive);
        QCOMPARE(CurrentDirectoryFor(folder.path()), QDir::cleanPath(folder.path()));
    }
#endif
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
