// A user edits the two lists of file names on the tab "Archivos": every name added or deleted
// is stored at once, while the window is still open, and a name already listed is refused.
#include "DazuRun.h"
#include "SettingsWindow.h"
#include "TestSupport.h"
#include "XServer.h"

#include <QDeadlineTimer>
#include <QThread>

using namespace dazu::e2e;
using dazu::test::AppFolder;

namespace {

// One list with its table, its buttons and the title of the box that refuses a name.
struct FileList {
    const char* table;
    const char* list;
    const char* add;
    const char* remove;
    QString duplicateTitle;
};
const FileList kLists[] = {
    {"Files", "List1", "cmmagregar", "cmmborrar", QStringLiteral("Vozu Rodari")},
    {"FPCHH", "List2", "cmmagregar2", "cmmborrar2", QStringLiteral("DAZU")},
};

void AddListRows() {
    QTest::addColumn<int>("list");
    QTest::newRow("hand-held to PC") << 0;
    QTest::newRow("PC to hand-held") << 1;
}

// Waits until a file list holds exactly these names, in the order of its index, as the
// program stores them while its window is open.
Outcome<void> WaitForStoredNames(const QString& databasePath, const std::string& table,
                                 const QStringList& names) {
    const QDeadlineTimer deadline(5s);
    for (QStringList stored;; QThread::msleep(20)) {
        try {
            stored = dazu::test::ListNames(databasePath.toStdString(), table);
        } catch (const std::exception& error) {
            return Failure{
                QStringLiteral("cannot read the names of %1: %2")
                    .arg(QString::fromStdString(table), QString::fromLocal8Bit(error.what()))};
        }
        if (stored == names)
            return {};
        if (deadline.hasExpired())
            return Failure{QStringLiteral("%1 holds [%2], not [%3]")
                               .arg(QString::fromStdString(table),
                                    stored.join(QStringLiteral(", ")),
                                    names.join(QStringLiteral(", ")))};
    }
}

QString Database(const AppFolder& folder) {
    return folder.file(QStringLiteral("DAZU.CFG"));
}

} // namespace

class tst_FileLists : public QObject {
    Q_OBJECT

    XServer x_;

    // "Agregar", the name, Enter.
    static Outcome<void> AddName(const SettingsWindow& window, const FileList& list,
                                 const QString& name) {
        if (const auto clicked = window.click(list.add); !clicked)
            return clicked;
        if (const auto typed = window.typeText(name); !typed)
            return typed;
        return window.pressKeys({QStringLiteral("Return")});
    }

    static void CloseWithoutSaving(const SettingsWindow& window) {
        const auto status = window.closeWith(QStringLiteral("alt+c"));
        E2E_VERIFY(status);
        QCOMPARE(*status, 0);
    }

private Q_SLOTS:
    void initTestCase() { E2E_SKIP_UNLESS(x_.start()); }

    void addAndDeleteNames_data() { AddListRows(); }
    void addAndDeleteNames() {
        QFETCH(int, list);
        const FileList& edited = kLists[list];
        AppFolder folder(AppFolder::CopyOfDist);
        DazuRun dazu(x_, folder.path());
        const auto window = SettingsWindow::Start(x_, dazu);
        E2E_VERIFY(window);
        E2E_VERIFY(window->clickTab(Tab::Archivos));

        E2E_VERIFY(AddName(*window, edited, QStringLiteral("pedidos.txt")));
        E2E_VERIFY(
            WaitForStoredNames(Database(folder), edited.table, {QStringLiteral("pedidos.txt")}));
        E2E_VERIFY(AddName(*window, edited, QStringLiteral("clientes.txt")));
        E2E_VERIFY(
            WaitForStoredNames(Database(folder), edited.table,
                               {QStringLiteral("clientes.txt"), QStringLiteral("pedidos.txt")}));
        // The list shows the names in the order they were added.
        E2E_VERIFY(window->clickFirstItem(edited.list));
        E2E_VERIFY(window->click(edited.remove));
        E2E_VERIFY(
            WaitForStoredNames(Database(folder), edited.table, {QStringLiteral("clientes.txt")}));

        CloseWithoutSaving(*window);
        E2E_VERIFY(
            WaitForStoredNames(Database(folder), edited.table, {QStringLiteral("clientes.txt")}));
        E2E_VERIFY(WaitForStoredNames(Database(folder), kLists[1 - list].table, {}));
    }

    void addANameAlreadyListed_data() { AddListRows(); }
    void addANameAlreadyListed() {
        QFETCH(int, list);
        const FileList& edited = kLists[list];
        AppFolder folder(AppFolder::CopyOfDist);
        folder.seed({});
        folder.addNames(edited.table, {QStringLiteral("pedidos.txt")});
        DazuRun dazu(x_, folder.path());
        const auto window = SettingsWindow::Start(x_, dazu);
        E2E_VERIFY(window);
        E2E_VERIFY(window->clickTab(Tab::Archivos));

        // Names are compared without regard to letter case.
        E2E_VERIFY(AddName(*window, edited, QStringLiteral("PEDIDOS.TXT")));
        const auto box = dazu.waitForWindow(edited.duplicateTitle);
        E2E_VERIFY(box);
        E2E_VERIFY(dazu.desktop().pressKeys(*box, {QStringLiteral("Return")}));
        E2E_VERIFY(dazu.waitForWindowToClose(edited.duplicateTitle));

        // The editor is idle again: "Agregar" opens an empty entry box for the next name.
        E2E_VERIFY(AddName(*window, edited, QStringLiteral("otro.txt")));
        E2E_VERIFY(WaitForStoredNames(Database(folder), edited.table,
                                      {QStringLiteral("otro.txt"), QStringLiteral("pedidos.txt")}));
        CloseWithoutSaving(*window);
    }
};

QTEST_GUILESS_MAIN(tst_FileLists)
#include "tst_filelists.moc"
