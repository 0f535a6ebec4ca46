#include "ModFiles.h"
#include "PlatformFiles.h"

#include <QtTest>
#include <thread>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

// The attributes are the file system's own: hidden and system files are not normal files,
// read-only and archive ones are; a device name is no file.
std::vector<FileExistsRow> MakePlatformFiles(const dazu::test::AppFolder& folder) {
    const auto at = [&folder](const char* name) {
        return QDir::toNativeSeparators(folder.file(QLatin1String(name)));
    };
    const std::pair<const char*, DWORD> files[] = {{"hidden.bat", FILE_ATTRIBUTE_HIDDEN},
                                                   {"system.bat", FILE_ATTRIBUTE_SYSTEM},
                                                   {"read-only.bat", FILE_ATTRIBUTE_READONLY},
                                                   {"archive.bat", FILE_ATTRIBUTE_ARCHIVE}};
    for (const auto& [name, attributes] : files) {
        folder.write(QLatin1String(name), "x");
        if (!SetFileAttributesW(at(name).toStdWString().c_str(), attributes))
            qFatal("Cannot set the attributes of %s", name);
    }
    // clang-format off
    return {{"hidden", at("hidden.bat"), false}, {"system", at("system.bat"), false},
            {"read-only", at("read-only.bat"), true}, {"archive", at("archive.bat"), true},
            {"forward slashes", folder.file(QStringLiteral("normal.bat")), true},
            {"device", QStringLiteral("NUL"), false}, {"drive that is not there", QStringLiteral("Q:\\DAZU.CFG"), false}};
    // clang-format on
}

namespace {

// The picker this process shows (a window with a tree of folders) once it is up, or null.
HWND waitForPicker() {
    std::pair<DWORD, HWND> search{GetCurrentProcessId(), nullptr};
    for (const QDeadlineTimer deadline(20000); !search.second && !deadline.hasExpired();
         std::this_thread::sleep_for(std::chrono::milliseconds(50)))
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<std::pair<DWORD, HWND>*>(data);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == s->first && IsWindowVisible(window) &&
                    FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr))
                    s->second = window;
                return !s->second;
            },
            reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The drive's item, among the children of the top items that the shell fills in when they
// are first expanded. Its parent, the computer, is a virtual item.
HTREEITEM findDrive(HWND tree, const QString& drive) {
    for (HTREEITEM top = TreeView_GetRoot(tree); top; top = TreeView_GetNextSibling(tree, top))
        for (HTREEITEM item = TreeView_GetChild(tree, top); item;
             item = TreeView_GetNextSibling(tree, item)) {
            TreeView_Expand(tree, item, TVE_EXPAND);
            for (HTREEITEM child = TreeView_GetChild(tree, item); child;
                 child = TreeView_GetNextSibling(tree, child)) {
                wchar_t text[MAX_PATH] = {};
                TVITEMW data{TVIF_TEXT, child, 0, 0, text, MAX_PATH, 0, 0, 0, 0};
                SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
                if (QString::fromWCharArray(text).contains(drive, Qt::CaseInsensitive))
                    return child;
            }
        }
    return nullptr;
}

} // namespace

// The shell's picker, driven from a second thread while it shows: it has no owner and shows
// the title; the system drive chosen in the tree comes back, the computer and cancel give
// false.
void PickWithTheRealPicker() {
    wchar_t system[MAX_PATH];
    QVERIFY(GetSystemDirectoryW(system, MAX_PATH) > 0);
    const QString drive = QString(QChar(system[0]).toUpper()) + QLatin1Char(':');
    const QString title = QStringLiteral("Elija");
    const QString expected[] = {HandedBack(drive + QLatin1Char('\\')),
                                QString(261, QLatin1Char(' ')), QStringLiteral("unchanged")};
    for (int choice = 0; choice < 3; ++choice) { // the drive, the computer, cancel
        QString problem;
        std::thread driver([&] {
            HWND dialog = waitForPicker();
            const auto titled = reinterpret_cast<LPCWSTR>(title.utf16());
            if (!dialog || GetWindow(dialog, GW_OWNER) ||
                !FindWindowExW(dialog, nullptr, nullptr, titled))
                problem = QStringLiteral("not shown, owned, or without its title");
            HWND tree = dialog ? FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr) : nullptr;
            HTREEITEM item = tree && choice < 2 ? findDrive(tree, drive) : nullptr;
            if (item)
                TreeView_SelectItem(tree, choice == 0 ? item : TreeView_GetParent(tree, item));
            else if (choice < 2)
                problem += QStringLiteral(" no drive ") + drive;
            if (dialog)
                PostMessageW(dialog, WM_COMMAND, item ? IDOK : IDCANCEL, 0);
        });
        QString path = QStringLiteral("unchanged");
        const bool chosen = dazu::files::BrowseForFolder(path, title);
        driver.join();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(chosen, choice == 0);
        QCOMPARE(path, expected[choice]);
    }
}
