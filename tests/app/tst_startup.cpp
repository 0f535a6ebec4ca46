// The start-up sequence installs what is missing, replaces nothing and opens the database, on
// any writable file system and beside what a crash left. A start that cannot install a file
// stops with the system's description of the error; what was installed before stays, and
// nothing half-copied is left behind.
#include "Platform.h"
#include "Startup.h"
#include "TestSupport.h"
#include "Unprivileged.h"

#include <optional>
#include <QDir>
#include <QScopeGuard>
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
    EarlierStart,      // a name stored; the second batch file changed by the user, the first gone
    TemplateMissing,   // the file's template: that file is not installed
    InterruptedCopies, // each copy cut short by a kill, under this very process id
    ReadOnlyTemplates, // installed from read-only media or by an administrator
    StaleJournal,      // a crash left DAZU.CFG-journal, and the user deleted DAZU.CFG
    Unreadable,        // the file (a template) cannot be read
    ReadOnlyFolder,    // the batch files installed before, DAZU.CFG missing
    FolderInTheWay,    // a folder named as the file
    Pipe,   // a pipe or a device put in the file's place between the start's check and its copy:
    Device, // the copy is refused at once (one that blocks ends at the test's time limit)
};

// The errors the faults end in, as the system numbers them, and a device in a folder.
#ifdef Q_OS_WIN
const int kUnreadable = ERROR_SHARING_VIOLATION, kExists = ERROR_ALREADY_EXISTS;
const char* const kDevice = "NUL";
#else
const int kUnreadable = EACCES, kExists = EEXIST;
const char* const kDevice = "DefDudodeZI410.bat"; // made a link to /dev/null
#endif

struct Row {
    const char* name;
    Before before;
    const char* file = "";    // the template of the fault
    int stopsAt = 3;          // the target the start stops at, 3 when it goes through
    const char* message = ""; // of the refusal: %1 the folder, %2 the error, %3 the file
    int error = 0;
};
const Row kRows[] = {
    {"earlier start", EarlierStart},
    {"template missing", TemplateMissing, "DefDudodeZI410.bat"},
    // Also the first start: nothing installed yet.
    {"copies interrupted under the same process id", InterruptedCopies},
    {"read-only templates", ReadOnlyTemplates},
    {"stale journal of a deleted DAZU.CFG", StaleJournal},
    {"database template unreadable", Unreadable, "DefDAZU.CFG", 2, "No se puede leer %1/%3: %2",
     kUnreadable},
    {"directory named DAZU.CFG", FolderInTheWay, "", 2, "No se puede crear %1/DAZU.CFG: %2",
     kExists},
    {"a device in a template's place", Device, kDevice, 0,
     "No se puede leer %1/%3: no es un archivo normal"},
#ifndef Q_OS_WIN // pipes and binding folder permissions: Linux only
    {"a pipe in a template's place", Pipe, "DefDudodeZI410.bat", 0,
     "No se puede leer %1/%3: no es un archivo normal"},
    {"no DAZU.CFG and no template", TemplateMissing, "DefDAZU.CFG", 2,
     "unable to open database file: %1/DAZU.CFG"},
    {"read-only folder, database missing", ReadOnlyFolder, "", 2,
     "No se puede crear %1/DAZU.CFG: %2", EACCES},
#endif
};

void prepare(const AppFolder& folder, const Row& row) {
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString file = folder.file(QString::fromUtf8(row.file));
    for (const QString& name : kTargets) {
        if (row.before == InterruptedCopies)
            folder.write(name + ".partial-" + pid, "half a copy");
        if (row.before == ReadOnlyTemplates)
            QFile::setPermissions(folder.file("Def" + name), QFile::ReadOwner | QFile::ReadOther);
    }
    if (row.before == EarlierStart || row.before == StaleJournal)
        folder.addNames("Files", {"guardado.txt"});
    if (row.before == EarlierStart)
        folder.write("VavodidedER410.bat", "kept as it was");
    if (row.before == ReadOnlyFolder) {
        for (const QString& name : kTargets.mid(0, 2))
            folder.write(name, folder.read("Def" + name));
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    }
    if (row.before == TemplateMissing || row.before >= Pipe)
        QFile::remove(file);
    if (row.before == FolderInTheWay)
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
        QVERIFY(QFile::remove(folder.file("DAZU.CFG")));
        folder.write("DAZU.CFG-journal", journal);
    }
#ifndef Q_OS_WIN
    if (row.before == Unreadable)
        QFile::setPermissions(file, {});
    if ((row.before == Pipe && ::mkfifo(QFile::encodeName(file).constData(), 0644) != 0) ||
        (row.before == Device && !QFile::link("/dev/null", file)))
        qFatal("cannot make %s", row.file);
#endif
}

#ifdef Q_OS_WIN
// Each drive keeps a current directory of its own: the start makes the folder that of its
// drive, and the current drive stays the one the program was started on (Wine maps / to Z:).
QString otherDrive(const QString& directory) {
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if ((GetLogicalDrives() & (1u << (letter - 'A'))) && letter != directory.at(0).toUpper())
            return QLatin1Char(letter) + QStringLiteral(":/");
    return QDir::fromNativeSeparators(directory); // this machine has no other drive
}
#endif

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each row prepares a copy of the portable folder, then starts once.
    void start_data() { dazu::test::AddTableRows(kRows); }
    void start() {
        const Row& row = dazu::test::TableRow(kRows);
        const AppFolder folder(AppFolder::CopyOfDist);
        prepare(folder, row);
        // What the folder holds afterwards: nothing of an earlier copy or an earlier database,
        // what was there before, and a copy of its template for each target installed.
        QMap<QString, QByteArray> expected = folder.contents();
        for (const QString& name : expected.keys())
            if (name.contains(".partial-") || name == "DAZU.CFG-journal")
                expected.remove(name);
        for (const QString& name : kTargets.mid(0, row.stopsAt))
            if (!expected.contains(name) && expected.contains("Def" + name))
                expected[name] = expected["Def" + name];
        // The program names its folder in the system's own form.
        const QString directory = QDir::toNativeSeparators(folder.path());
        const QString file = QString::fromUtf8(row.file);
        QString failure;
        try {
#ifdef Q_OS_WIN // another program holds the template open without sharing it, as an editor may
            const auto held = folder.file(row.before == Unreadable ? file : "-").toStdWString();
            const HANDLE open =
                CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            const auto closed = qScopeGuard([open] { CloseHandle(open); });
            const QString current = otherDrive(directory), drive = directory.left(2);
            QVERIFY(QDir::setCurrent(current));
#else
            // Permission bits bind root too: the start runs as nobody.
            std::optional<AsNobody> nobody;
            if (row.before == Unreadable || row.before == ReadOnlyFolder)
                nobody.emplace(folder.path());
            if (nobody && !nobody->binds)
                QSKIP("the tests run as root and cannot reach files as another user");
            const QString current = folder.path(), drive = ".";
#endif
            if (row.before >= Pipe) // the copy alone, as after the start's check
                dazu::files::FileCopy(QDir::toNativeSeparators(folder.file(file)),
                                      folder.file(kTargets[0]));
            const auto opened = dazu::app::RunStartup(directory);
            QCOMPARE(QDir::currentPath(), current);
            // "D:" alone names drive D:'s current directory.
            QCOMPARE(QDir::cleanPath(QFileInfo(drive).absoluteFilePath()), folder.path());
            QCOMPARE(opened.databasePath, QDir::toNativeSeparators(folder.file("DAZU.CFG")));
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
        QDir::setCurrent(QDir::tempPath()); // lets the drive go
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString message =
            QString::fromUtf8(row.message).replace("%1", folder.path()).replace("%3", file);
        QCOMPARE(failure,
                 QDir::toNativeSeparators(message).replace("%2", qt_error_string(row.error)));
        QMap<QString, QByteArray> now = folder.contents();
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
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
