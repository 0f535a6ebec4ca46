// FileExists answers true for a normal file only, and never fails; BrowseForFolder hands the
// chosen folder back in the fixed 261-character buffer, from the platform's own picker: the
// shell's on Windows, Qt's elsewhere.
#include "FolderChooser.h"
#include "ModFiles.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>
#ifdef Q_OS_WIN
#include <thread>
#include <tuple>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

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
#endif

// What BrowseForFolder leaves in its 261-character buffer for a chosen folder.
static QString handedBack(const QString& folder) {
    return (QDir::toNativeSeparators(folder) + QChar(0)).leftJustified(261);
}

class tst_Files : public QObject {
    Q_OBJECT

    dazu::test::AppFolder folder;

private Q_SLOTS:
    void initTestCase() {
        folder.write(QStringLiteral("normal.bat"), "rem\r\n");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
    }
    void cleanup() { dazu::files::SetFolderChooser({}); }

    void fileExists_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        const QString sep = QDir::separator();
        const auto at = [this](const char* name) {
            return QDir::toNativeSeparators(folder.file(QLatin1String(name)));
        };
        QTest::newRow("only spaces") << QStringLiteral("    ") << false;
        QTest::newRow("normal file") << at("normal.bat") << true;
        QTest::newRow("spaces around") << "  " + at("normal.bat") + "  " << true;
        QTest::newRow("tab is part of the name") << at("normal.bat") + "\t" << false;
        QTest::newRow("trailing separator") << at("folder") + sep << false;
        QTest::newRow("directory") << at("folder") << false;
        QTest::newRow("missing") << at("missing.bat") << false;
        QTest::newRow("embedded NUL") << at("normal.bat") + QChar(0) << false;
#ifdef Q_OS_WIN
        // The attributes are the file system's own: hidden and system files are not normal
        // files, read-only and archive ones are; a device name is no file.
        const std::tuple<const char*, DWORD, bool> files[] = {
            {"hidden.bat", FILE_ATTRIBUTE_HIDDEN, false},
            {"system.bat", FILE_ATTRIBUTE_SYSTEM, false},
            {"read-only.bat", FILE_ATTRIBUTE_READONLY, true},
            {"archive.bat", FILE_ATTRIBUTE_ARCHIVE, true},
        };
        for (const auto& [name, attributes, exists] : files) {
            folder.write(QLatin1String(name), "x");
            QVERIFY(SetFileAttributesW(at(name).toStdWString().c_str(), attributes));
            QTest::newRow(name) << at(name) << exists;
        }
        QTest::newRow("forward slashes") << folder.file(QStringLiteral("normal.bat")) << true;
        QTest::newRow("device") << QStringLiteral("NUL") << false;
        QTest::newRow("drive that is not there") << QStringLiteral("Q:\\DAZU.CFG") << false;
#else
        // No hidden attribute: a leading dot hides a file. A link counts as what it names.
        folder.write(QStringLiteral(".hidden"), "x");
        QVERIFY(QFile::link(at("normal.bat"), at("link.bat")));
        QTest::newRow("hidden") << at(".hidden") << false;
        QTest::newRow("link to a file") << at("link.bat") << true;
        QTest::newRow("device") << QStringLiteral("/dev/null") << false;
#endif
    }
    void fileExists() {
        QFETCH(QString, path);
        QTEST(dazu::files::FileExists(path), "exists");
    }

    // Cancel leaves the buffer as it was; a choice without a path that fits leaves spaces. (That
    // the title reaches the picker, realPicker sees.)
    void handsBack_data() {
        QTest::addColumn<QUrl>("chosen");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("buffer");
        const QString root = QDir::rootPath(), longest = "/" + QString(259, QLatin1Char('x'));
        const QString spaces(261, QLatin1Char(' '));
        QTest::newRow("cancel") << QUrl() << false << "unchanged";
        QTest::newRow("root") << QUrl::fromLocalFile(root) << true << handedBack(root);
        QTest::newRow("260 chars") << QUrl::fromLocalFile(longest) << true << handedBack(longest);
        QTest::newRow("261 chars") << QUrl::fromLocalFile(longest + "x") << false << spaces;
        QTest::newRow("no file-system path") << QUrl(QStringLiteral("trash:/")) << false << spaces;
    }
    void handsBack() {
        QFETCH(QUrl, chosen);
        dazu::files::SetFolderChooser([&](const QString&) { return chosen; });
        QString path = QStringLiteral("unchanged");
        QTEST(dazu::files::BrowseForFolder(path, QString()), "result");
        QTEST(path, "buffer");
    }

#ifdef Q_OS_WIN
    // The shell's picker, driven from a second thread while it shows: it has no owner and
    // shows the title; the system drive chosen in the tree comes back with one separator, the
    // computer and cancel give false. Finding the drive two levels down shows the tree starts
    // at its top.
    void realPicker() {
        wchar_t system[MAX_PATH];
        QVERIFY(GetSystemDirectoryW(system, MAX_PATH) > 0);
        const QString drive = QString(QChar(system[0]).toUpper()) + QLatin1Char(':');
        const QString title = QStringLiteral("Elija"), unchanged = QStringLiteral("unchanged");
        const QString expected[] = {handedBack(drive + QLatin1Char('\\')),
                                    QString(261, QLatin1Char(' ')), unchanged};
        for (int choice = 0; choice < 3; ++choice) { // the drive, the computer, cancel
            QString problem;
            std::thread driver([&] {
                const HWND dialog = waitForPicker();
                if (!dialog || GetWindow(dialog, GW_OWNER) ||
                    !FindWindowExW(dialog, nullptr, nullptr,
                                   reinterpret_cast<LPCWSTR>(title.utf16())))
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
#else
    // Qt's widget dialog, driven as a user would: it opens at the top of the tree with the
    // title and no owner, and a pasted folder is chosen (typing would meet the completer). Its
    // cancel is Qt's own empty answer, which handsBack gives BrowseForFolder.
    void realPicker() {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        const QTemporaryDir chosen;
        const QString title = QStringLiteral("Elija");
        QStringList opened;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !opened.isEmpty())
                return;
            opened << dialog->directory().absolutePath() << dialog->windowTitle()
                   << (dialog->parentWidget() ? QStringLiteral("owned") : QString());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(chosen.path());
            QTest::keyClick(name, Qt::Key_Return);
        });
        driver.start(20);
        QString path;
        QVERIFY(dazu::files::BrowseForFolder(path, title));
        QCOMPARE(opened, (QStringList{QDir::rootPath(), title, QString()}));
        QCOMPARE(path, handedBack(chosen.path()));
    }
#endif
};

QTEST_MAIN(tst_Files)
#include "tst_files.moc"
