#include "ModFiles.h"
#include "PlatformFiles.h"

#include <QtTest>
#include <thread>
#include <tuple>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

// The attributes are the file system's own: hidden and system files are not normal files,
// read-only and archive ones are; a device name is no file.
void AddPlatformRows(const dazu::test::AppFolder& folder) {
    const auto at = [&folder](const char* name) {
        return QDir::toNativeSeparators(folder.file(QLatin1String(name)));
    };
    const std::tuple<const char*, DWORD, bool> files[] = {
        {"hidden.bat", FILE_ATTRIBUTE_HIDDEN, false},
        {"system.bat", FILE_ATTRIBUTE_SYSTEM, false},
        {"read-only.bat", FILE_ATTRIBUTE_READONLY, true},
        {"archive.bat", FILE_ATTRIBUTE_ARCHIVE, true}};
    for (const auto& [name, attributes, exists] : files) {
        folder.write(QLatin1String(name), "x");
        QVERIFY(SetFileAttributesW(at(name).toStdWString().c_str(), attributes));
        QTest::newRow(name) << at(name) << exists;
    }
    QTest::newRow("forward slashes") << folder.file(QStringLiteral("normal.bat")) << true;
    QTest::newRow("device") << QStringLiteral("NUL") << false;
    QTest::newRow("drive that is not there") << QStringLiteral("Q:\\DAZU.CFG") << false;
}

// The picker this process shows (a top-level window with a tree of folders) once it is up,
// or null.
static HWND waitForPicker() {
    for (const QDeadlineTimer deadline(20000); !deadline.hasExpired(); Sleep(50))
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
                FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr))
                return window;
        }
    return nullptr;
}

// The drive's item, among the children of the top items that the shell fills in when they
// are first expanded. Its parent, the computer, is a virtual item.
static HTREEITEM findDrive(HWND tree, const QString& drive) {
    const auto next = [tree](HTREEITEM item) { return TreeView_GetNextSibling(tree, item); };
    for (HTREEITEM top = TreeView_GetRoot(tree); top; top = next(top))
        for (HTREEITEM item = TreeView_GetChild(tree, top); item; item = next(item)) {
            TreeView_Expand(tree, item, TVE_EXPAND);
            for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = next(child)) {
                wchar_t text[MAX_PATH] = {};
                TVITEMW data{TVIF_TEXT, child, 0, 0, text, MAX_PATH, 0, 0, 0, 0};
                SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
                if (QString::fromWCharArray(text).contains(drive, Qt::CaseInsensitive))
                    return child;
            }
        }
    return nullptr;
}

// The shell's picker, driven from a second thread while it shows: it has no owner and shows
// the title; the system drive chosen in the tree comes back with one separator, the computer
// and cancel give false. Finding the drive two levels down shows the tree starts at its top.
void PickWithTheRealPicker() {
    wchar_t system[MAX_PATH];
    QVERIFY(GetSystemDirectoryW(system, MAX_PATH) > 0);
    const QString drive = QString(QChar(system[0]).toUpper()) + QLatin1Char(':');
    const QString title = QStringLiteral("Elija"), unchanged = QStringLiteral("unchanged");
    const QString expected[] = {HandedBack(drive + QLatin1Char('\\')),
                                QString(261, QLatin1Char(' ')), unchanged};
    for (int choice = 0; choice < 3; ++choice) { // the drive, the computer, cancel
        QString problem;
        std::thread driver([&] {
            const HWND dialog = waitForPicker();
            if (!dialog || GetWindow(dialog, GW_OWNER) ||
                !FindWindowExW(dialog, nullptr, nullptr, reinterpret_cast<LPCWSTR>(title.utf16())))
                problem = QStringLiteral("not shown, owned, or without its title");
            const HWND tree =
                dialog ? FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr) : nullptr;
            const HTREEITEM item = tree && choice < 2 ? findDrive(tree, drive) : nullptr;
            if (item)
                TreeView_SelectItem(tree, choice == 0 ? item : TreeView_GetParent(tree, item));
            else if (choice < 2)
                problem += QStringLiteral(" no drive ") + drive;
            PostMessageW(dialog, WM_COMMAND, item ? IDOK : IDCANCEL, 0);
        });
        QString path = unchanged;
        const bool chosen = dazu::files::BrowseForFolder(path, title);
        driver.join();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(chosen, choice == 0);
        QCOMPARE(path, expected[choice]);
    }
}
