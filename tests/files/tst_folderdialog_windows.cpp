// The shell's folder picker behind BrowseForFolder, driven as a user would from a second
// thread while it shows: it has no owner and shows the title; a drive chosen in the tree comes
// back in the 261-character buffer, a virtual item and cancel give false.
#include "ModFiles.h"

#include <QDeadlineTimer>
#include <QTest>
#include <thread>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

namespace {

const QString kTitle = QStringLiteral("Seleccione el directorio donde quiere dejar los archivos");

// The picker this process shows: a dialog window with a tree of folders.
HWND findPicker() {
    struct Search {
        DWORD process;
        HWND found;
    } search{GetCurrentProcessId(), nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != s->process || !IsWindowVisible(window) ||
                !FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

QString windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return QString::fromWCharArray(text);
}

bool showsText(HWND dialog, const QString& text) {
    struct Search {
        QString text;
        bool found;
    } search{text, false};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            s->found = windowText(child) == s->text;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

QString itemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return QString::fromWCharArray(text);
}

// The item of the system drive, looked for among the children of the top items, which the
// shell fills in when they are first expanded. Its parent is the computer, a virtual item.
HTREEITEM findDrive(HWND tree, QChar letter) {
    const QString name = QString(letter) + QLatin1Char(':');
    for (HTREEITEM top = TreeView_GetRoot(tree); top; top = TreeView_GetNextSibling(tree, top))
        for (HTREEITEM item = TreeView_GetChild(tree, top); item;
             item = TreeView_GetNextSibling(tree, item)) {
            TreeView_Expand(tree, item, TVE_EXPAND);
            for (HTREEITEM drive = TreeView_GetChild(tree, item); drive;
                 drive = TreeView_GetNextSibling(tree, drive))
                if (itemText(tree, drive).contains(name, Qt::CaseInsensitive))
                    return drive;
        }
    return nullptr;
}

enum class Choice { Cancel, Drive, Computer };

// What the driver saw of the picker before it closed it.
struct Seen {
    bool shown = false;
    bool owned = false;
    bool title = false;
    QString problem;
};

Seen drivePicker(Choice choice, QChar driveLetter) {
    Seen seen;
    const QDeadlineTimer deadline(20000);
    HWND dialog = nullptr;
    while (!(dialog = findPicker()) && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!dialog) {
        seen.problem = QStringLiteral("the picker did not show");
        return seen;
    }
    seen.shown = true;
    seen.owned = GetWindow(dialog, GW_OWNER) != nullptr;
    seen.title = showsText(dialog, kTitle);
    if (choice != Choice::Cancel) {
        HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
        HTREEITEM drive = findDrive(tree, driveLetter);
        if (!drive) {
            seen.problem = QStringLiteral("no drive %1: in the tree").arg(driveLetter);
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return seen;
        }
        TreeView_SelectItem(tree,
                            choice == Choice::Drive ? drive : TreeView_GetParent(tree, drive));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    } else {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    return seen;
}

} // namespace

Q_DECLARE_METATYPE(Choice)

class tst_FolderDialogWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picker_data() {
        QTest::addColumn<Choice>("choice");
        QTest::addColumn<bool>("result");
        QTest::newRow("cancel") << Choice::Cancel << false;
        QTest::newRow("drive root") << Choice::Drive << true;
        QTest::newRow("computer, no file-system path") << Choice::Computer << false;
    }
    void picker() {
        QFETCH(Choice, choice);
        QFETCH(bool, result);
        wchar_t system[MAX_PATH];
        QVERIFY(GetSystemDirectoryW(system, MAX_PATH) > 0);
        const QChar letter = QChar(system[0]).toUpper();

        Seen seen;
        std::thread driver([&] { seen = drivePicker(choice, letter); });
        QString path = QStringLiteral("unchanged");
        const bool chosen = dazu::files::BrowseForFolder(path, kTitle);
        driver.join();

        QVERIFY2(seen.problem.isEmpty(), qPrintable(seen.problem));
        QVERIFY(seen.shown);
        QVERIFY(!seen.owned);
        QVERIFY(seen.title);
        QCOMPARE(chosen, result);
        if (choice == Choice::Cancel) {
            QCOMPARE(path, QStringLiteral("unchanged"));
        } else if (result) {
            const QString root = QString(letter) + QStringLiteral(":\\");
            QCOMPARE(path.size(), 261);
            QCOMPARE(path.left(root.size() + 1), root + QChar(0));
            QCOMPARE(path.mid(root.size() + 1), QString(261 - root.size() - 1, QLatin1Char(' ')));
        } else {
            QCOMPARE(path, QString(261, QLatin1Char(' ')));
        }
    }
};

QTEST_MAIN(tst_FolderDialogWindows)
#include "tst_folderdialog_windows.moc"
