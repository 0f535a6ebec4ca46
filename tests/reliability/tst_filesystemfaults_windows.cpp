// On Windows: a start that cannot install a file stops with the system's description of the
// error, keeps what was installed before and leaves nothing half-copied; the start makes the
// application directory current without changing the current drive.
#include "Startup.h"
#include "TestSupport.h"

#include <QDir>
#include <QTest>
#include <windows.h>

using dazu::test::AppFolder;

namespace {

const QString kBatch1 = QStringLiteral("DudodeZI410.bat");
const QString kBatch2 = QStringLiteral("VavodidedER410.bat");

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    const QString message = QString::fromWCharArray(text).trimmed();
    LocalFree(text);
    return message;
}

// Another program holding a file open without sharing it, as an editor or a virus scanner
// may, until the end of the scope.
class OpenElsewhere {
public:
    explicit OpenElsewhere(const QString& path)
        : handle_(CreateFileW(path.toStdWString().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    OpenElsewhere(const OpenElsewhere&) = delete;
    OpenElsewhere& operator=(const OpenElsewhere&) = delete;
    ~OpenElsewhere() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

} // namespace

class tst_FileSystemFaultsWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void faults_data() {
        QTest::addColumn<QString>("lockedTemplate");
        QTest::addColumn<bool>("directoryForDatabase");
        QTest::addColumn<QString>("message"); // %1 the folder
        QTest::addColumn<int>("error");       // its description ends the message
        QTest::addColumn<QStringList>("installed");
        const QStringList batches{kBatch1, kBatch2};
        QTest::newRow("batch template open elsewhere")
            << QStringLiteral("DefDudodeZI410.bat") << false
            << "No se puede leer %1\\DefDudodeZI410.bat: " << int(ERROR_SHARING_VIOLATION)
            << QStringList();
        QTest::newRow("database template open elsewhere")
            << QStringLiteral("DefDAZU.CFG") << false
            << "No se puede leer %1\\DefDAZU.CFG: " << int(ERROR_SHARING_VIOLATION) << batches;
        QTest::newRow("folder named DAZU.CFG")
            << QString() << true << "No se puede crear %1\\DAZU.CFG: " << int(ERROR_ALREADY_EXISTS)
            << batches;
    }
    void faults() {
        QFETCH(QString, lockedTemplate);
        QFETCH(bool, directoryForDatabase);
        QFETCH(QString, message);
        QFETCH(int, error);
        QFETCH(QStringList, installed);
        AppFolder folder(AppFolder::CopyOfDist);
        const QString directory = QDir::toNativeSeparators(folder.path());
        if (directoryForDatabase)
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("DAZU.CFG")));
        OpenElsewhere lock(lockedTemplate.isEmpty() ? QString() : folder.file(lockedTemplate));
        QCOMPARE(lock.isOpen(), !lockedTemplate.isEmpty());
        QStringList expectedEntries = entriesOf(folder.path()) + installed;
        expectedEntries.removeDuplicates();
        expectedEntries.sort();

        try {
            dazu::app::RunStartup(directory);
            QFAIL("the start-up went through");
        } catch (const std::runtime_error& failure) {
            const QString text = QString::fromStdString(failure.what());
            message = message.arg(directory);
            QVERIFY2(text.startsWith(message), qPrintable(text));
            QCOMPARE(text.mid(message.size()), systemMessage(DWORD(error)));
        }
        QCOMPARE(entriesOf(folder.path()), expectedEntries);
        for (const QString& name : installed)
            QCOMPARE(folder.read(name), folder.read(QStringLiteral("Def") + name));
    }

    // The application directory becomes the current directory of its own drive; the current
    // drive stays the one the program was started on.
    void currentDriveStays() {
        AppFolder folder(AppFolder::CopyOfDist);
        const QString directory = QDir::toNativeSeparators(folder.path());
        // Any other drive to start on: Wine maps the Linux root to Z:.
        QString otherDrive;
        const DWORD drives = GetLogicalDrives();
        for (char letter = 'C'; letter <= 'Z' && otherDrive.isEmpty(); ++letter)
            if ((drives & (1u << (letter - 'A'))) && QChar(letter) != directory.at(0).toUpper())
                otherDrive = QLatin1Char(letter) + QStringLiteral(":\\");
        if (otherDrive.isEmpty())
            QSKIP("this machine has no drive besides the one of the temporary folder");
        QVERIFY(QDir::setCurrent(otherDrive));

        dazu::app::RunStartup(directory);

        QCOMPARE(QDir::toNativeSeparators(QDir::currentPath()), otherDrive);
        // "D:" alone names the current directory of drive D:.
        wchar_t full[MAX_PATH];
        const std::wstring driveOnly = directory.left(2).toStdWString();
        QVERIFY(GetFullPathNameW(driveOnly.c_str(), MAX_PATH, full, nullptr) > 0);
        QCOMPARE(QDir::cleanPath(QDir::fromNativeSeparators(QString::fromWCharArray(full))),
                 folder.path());
    }
};

QTEST_GUILESS_MAIN(tst_FileSystemFaultsWindows)
#include "tst_filesystemfaults_windows.moc"
