// The shipped program on a private X server, driven by real keys and clicks: the first start,
// the window in a window manager's frame, what users do in the window as scenarios of steps
// with what is stored after them, and the folder picker.
#include "DazuRun.h"
#include "SettingsWindow.h"
#include "TestSupport.h"
#include "XServer.h"

#include <optional>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

using namespace dazu::e2e;
using dazu::config::Variant;
using dazu::test::AppFolder;
using dazu::test::SettingsChanges;

Q_DECLARE_METATYPE(SettingsChanges)

namespace {

const QString kFolderDialogTitle =
    QStringLiteral("Seleccione el directorio donde quiere dejar los archivos");

// The frame is the title bar above the window and a border around it. The close box is the
// square at the right end of the title bar, as tall as the bar.
QPoint CloseBoxCentre(const QRect& clientArea, const QMargins& frame) {
    const int bar = frame.top() - frame.bottom();
    return {clientArea.right() - bar / 2, clientArea.top() - bar / 2};
}

// Waits until a file list holds exactly these names, in the order of its index, as the
// program stores them while its window is open.
Outcome<void> WaitForStoredNames(const AppFolder& folder, const std::string& table,
                                 const QStringList& names) {
    const QDeadlineTimer deadline(5s);
    for (QStringList stored;; QThread::msleep(20)) {
        try {
            stored = dazu::test::ListNames(folder.databasePath(), table);
        } catch (const std::exception& error) {
            return Failure{QString::fromLocal8Bit(error.what())};
        }
        if (stored == names)
            return {};
        if (deadline.hasExpired())
            return Failure{QStringLiteral("%1 holds [%2], not [%3]")
                               .arg(QString::fromStdString(table), stored.join(QLatin1Char(',')),
                                    names.join(QLatin1Char(',')))};
    }
}

QStringList NamesIn(const QString& list) {
    return list.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// One step of a scenario: a verb and what it acts on.
//   seed TABLE a,b       before the start: names in a file list
//   start                the program, until its window shows
//   tab N                clicks the header of tab N (0 Ejecución, 1 Comunicaciones, 2 Archivos)
//   click CONTROL        clicks the middle of a control, where the design puts it
//   first LIST           clicks the first line of a list box
//   replace CONTROL TEXT clicks into a box, selects all and types over it
//   type TEXT / keys K…  types into / presses keys in the window
//   box TITLE            waits for a message box, answers it with Enter, waits for it to close
//   closebox             clicks the window manager's close box
//   picture NAME         saves the window in its frame as NAME.png, for the README's pictures
//   stored TABLE a,b     waits until the list holds exactly these names
//   exit 0 / exit fail   waits for the program to end with status 0 / any other
class Scenario {
public:
    Scenario(const XServer& server, const AppFolder& folder)
        : server_(server)
        , folder_(folder)
        , dazu_(server, folder.path()) {}

    Outcome<void> run(const QString& step) {
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        const QString object = step.section(QLatin1Char(' '), 1, 1);
        const QString rest = step.section(QLatin1Char(' '), 1);
        const QByteArray control = object.toLatin1();
        if (verb == QLatin1String("seed")) {
            folder_.addNames(object.toStdString(), NamesIn(step.section(QLatin1Char(' '), 2)));
            return {};
        }
        if (verb == QLatin1String("start")) {
            auto started = SettingsWindow::Start(server_, dazu_);
            if (!started)
                return started.failure();
            window_.emplace(*started);
            return {};
        }
        if (verb == QLatin1String("stored"))
            return WaitForStoredNames(folder_, object.toStdString(),
                                      NamesIn(step.section(QLatin1Char(' '), 2)));
        if (verb == QLatin1String("box")) {
            const auto box = dazu_.waitForWindow(rest);
            if (!box)
                return box.failure();
            if (const auto answered = dazu_.desktop().pressKeys(*box, {QStringLiteral("Return")});
                !answered)
                return answered;
            return dazu_.waitForWindowToClose(rest);
        }
        if (verb == QLatin1String("exit")) {
            const auto status = dazu_.waitForExit();
            if (!status)
                return status.failure();
            if ((*status == 0) != (object == QLatin1String("0")))
                return Failure{QStringLiteral("dazu ended with status %1").arg(*status)};
            return {};
        }
        if (!window_)
            return Failure{QStringLiteral("'%1' before the start").arg(step)};
        const SettingsWindow& window = *window_;
        if (verb == QLatin1String("tab"))
            return window.clickTab(static_cast<Tab>(object.toInt()));
        if (verb == QLatin1String("click"))
            return window.click(control.constData());
        if (verb == QLatin1String("first"))
            return window.clickFirstItem(control.constData());
        if (verb == QLatin1String("replace"))
            return window.replaceText(control.constData(), step.section(QLatin1Char(' '), 2));
        if (verb == QLatin1String("type"))
            return window.typeText(rest);
        if (verb == QLatin1String("keys"))
            return window.pressKeys(rest.split(QLatin1Char(' ')));
        if (verb == QLatin1String("picture")) {
            const auto saved = dazu_.desktop().screenshotOf(window.id(), object);
            return saved ? Outcome<void>() : saved.failure();
        }
        if (verb == QLatin1String("closebox")) {
            const auto frame = dazu_.desktop().frameExtents(window.id());
            if (!frame)
                return frame.failure();
            return dazu_.desktop().clickAt(CloseBoxCentre(window.clientArea(), *frame));
        }
        return Failure{QStringLiteral("no such step: %1").arg(step)};
    }

private:
    const XServer& server_;
    const AppFolder& folder_;
    DazuRun dazu_;
    std::optional<SettingsWindow> window_;
};

} // namespace

class tst_E2E : public QObject {
    Q_OBJECT

    XServer bare_;    // no window manager: the program alone places its window
    XServer managed_; // as most users meet it, with a frame and a title bar

private Q_SLOTS:
    void initTestCase() {
        E2E_SKIP_UNLESS(bare_.start());
        E2E_VERIFY(managed_.start());
        E2E_VERIFY(managed_.startWindowManager());
    }

    // Started from another current folder, the program finds its own, installs there and
    // opens its window in the middle of the screen. What is installed is the start-up
    // sequence's test; here the stored destination shows that the program found its folder.
    void firstStartOpensTheWindowCentred() {
        AppFolder folder(AppFolder::CopyOfDist);
        DazuRun dazu(bare_, folder.path());
        const auto window = dazu.startShowing(kWindowTitle);
        E2E_VERIFY(window);
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 Variant(dazu::test::ProgramPath(folder.path()).toStdString()));
        const auto area = dazu.desktop().clientArea(*window);
        E2E_VERIFY(area);
        QCOMPARE(area->size(), kClientArea);
        const QPoint offCentre = area->center() - QRect(QPoint(), kScreenSize).center();
        QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
                 qPrintable(QStringLiteral("client area at %1,%2").arg(area->x()).arg(area->y())));
    }

    // One close box and nothing else: no resizing, no minimize, no maximize.
    void frameOffersOnlyTheCloseBox() {
        AppFolder folder(AppFolder::CopyOfDist);
        DazuRun dazu(managed_, folder.path());
        const auto window = dazu.startShowing(kWindowTitle);
        E2E_VERIFY(window);
        const auto frame = dazu.desktop().frameExtents(*window);
        E2E_VERIFY(frame);
        QVERIFY2(frame->top() > frame->bottom(), "the frame has no title bar above the window");
        const auto limits = dazu.desktop().sizeLimits(*window);
        E2E_VERIFY(limits);
        QCOMPARE(limits->minimum, kClientArea);
        QCOMPARE(limits->maximum, kClientArea);
        const auto actions = dazu.desktop().allowedActions(*window);
        E2E_VERIFY(actions);
        QVERIFY2(actions->contains(QStringLiteral("_NET_WM_ACTION_CLOSE")),
                 qPrintable(actions->join(QLatin1Char(' '))));
        for (const char* refused : {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MINIMIZE",
                                    "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
            QVERIFY2(!actions->contains(QLatin1String(refused)), refused);
    }

    // Every row starts from a folder whose destination is not the default, which every save
    // must keep, and compares the stored settings row after the program ended with the row
    // before it started, changed as given.
    void scenarios_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<SettingsChanges>("changes");
        QTest::newRow("settings on every tab, Aceptar")
            << QStringList{"seed Files clientes.txt,pedidos.txt",
                           "seed FPCHH articulos.txt,precios.txt", "start", "click chkprogramapc",
                           "replace Txtprogramapc c:\\dazu\\pasar.exe", "click chkunirarchivos",
                           "replace txtfilehost c:\\datos\\ventas.txt", "click chkotrohh",
                           "picture tab-ejecucion", "tab 1", "click ChkLectura",
                           "replace txtintervalo 45",
                           // the port picked from the open list by its first key, the speed typed
                           "click cmbpuerto", "keys alt+Down 3 Return",
                           "replace cmbvelocidad 19200", "picture tab-comunicaciones", "tab 2",
                           "click chkborrarhornet", "click chkborrarhornet2",
                           "picture tab-archivos", "keys alt+a", "exit 0"}
            << SettingsChanges{{"correrprogramapc", Variant(true)},
                               {"programapc", Variant("c:\\dazu\\pasar.exe")},
                               {"unirarchivos", Variant(true)},
                               {"filehost", Variant("c:\\datos\\ventas.txt")},
                               {"askother", Variant(true)},
                               {"modolectura", Variant(false)},
                               {"intervalo", Variant(45)},
                               {"Puerto", Variant(3)},
                               {"baudios", Variant(19200)},
                               {"borrarhornet", Variant(true)},
                               {"borrarpc", Variant(true)}};
        // The box's text, the database's description of the refusal, cannot be read through
        // X; the window's own tests check it.
        QTest::newRow("letters in the interval, Aceptar")
            << QStringList{"start",      "tab 1",    "replace txtintervalo cinco",
                           "keys alt+a", "box DAZU", "exit fail"}
            << SettingsChanges{};
        QTest::newRow("a change, then the close box")
            << QStringList{"start", "click chkprogramapc", "closebox", "exit 0"}
            << SettingsChanges{};

        // Each name added or deleted is stored at once, while the window is open; a name
        // already listed, in any letter case, is refused and the editor is idle again.
        const struct {
            const char* table;
            const char* other;
            const char* list;
            const char* add;
            const char* remove;
            const char* duplicateTitle;
        } lists[] = {{"Files", "FPCHH", "List1", "cmmagregar", "cmmborrar", "Vozu Rodari"},
                     {"FPCHH", "Files", "List2", "cmmagregar2", "cmmborrar2", "DAZU"}};
        const auto word = [](const char* text) { return QString::fromUtf8(text); };
        for (const auto& l : lists) {
            const QString add = QStringLiteral("click ") + word(l.add);
            const QString stored = QStringLiteral("stored ") + word(l.table) + QLatin1Char(' ');
            QTest::addRow("%s: add two names, delete the first listed", l.table)
                << QStringList{"start", "tab 2", add, "type pedidos.txt", "keys Return",
                               stored + "pedidos.txt", add, "type clientes.txt", "keys Return",
                               stored + "clientes.txt,pedidos.txt",
                               // the list shows the names in the order they were added
                               QStringLiteral("first ") + word(l.list),
                               QStringLiteral("click ") + word(l.remove), stored + "clientes.txt",
                               "keys alt+c", "exit 0", stored + "clientes.txt",
                               QStringLiteral("stored ") + word(l.other) + QLatin1Char(' ')}
                << SettingsChanges{};
            QTest::addRow("%s: a name already listed", l.table)
                << QStringList{QStringLiteral("seed ") + word(l.table) + " pedidos.txt",
                               "start",
                               "tab 2",
                               add,
                               "type PEDIDOS.TXT",
                               "keys Return",
                               QStringLiteral("box ") + word(l.duplicateTitle),
                               add,
                               "type otro.txt",
                               "keys Return",
                               stored + "otro.txt,pedidos.txt",
                               "keys alt+c",
                               "exit 0"}
                << SettingsChanges{};
        }
    }
    void scenarios() {
        QFETCH(QStringList, steps);
        QFETCH(SettingsChanges, changes);
        AppFolder folder(AppFolder::CopyOfDist);
        folder.seed({{"pathdest", Variant("/home/usuario/recibidos/")}});
        const QStringList before = dazu::test::StoredRow(folder.databasePath());
        {
            Scenario scenario(managed_, folder);
            for (const QString& step : steps) {
                const auto done = scenario.run(step);
                QVERIFY2(done,
                         qPrintable(step + QStringLiteral(": ") + QString::fromUtf8(done.why())));
            }
        }
        QCOMPARE(dazu::test::StoredRow(folder.databasePath()),
                 dazu::test::WithChanges(before, changes));
    }

    void chooseTheDestinationFolderWithTheKeyboard() {
        AppFolder folder(AppFolder::CopyOfDist);
        const QString chosen = folder.file(QStringLiteral("recibidos"));
        QVERIFY(QDir().mkdir(chosen));

        DazuRun dazu(managed_, folder.path());
        const auto window = SettingsWindow::Start(managed_, dazu);
        E2E_VERIFY(window);
        E2E_VERIFY(window->click("Command1"));
        const auto dialog = dazu.waitForWindow(kFolderDialogTitle);
        E2E_VERIFY(dialog);
        // Qt's own dialog, drawn through the program's own connection to the X server, not
        // one that a desktop's theme hands to another toolkit.
        const auto dialogLeader = dazu.desktop().clientLeader(*dialog);
        E2E_VERIFY(dialogLeader);
        const auto windowLeader = dazu.desktop().clientLeader(window->id());
        E2E_VERIFY(windowLeader);
        QCOMPARE(*dialogLeader, *windowLeader);

        // Typed with a separator at the end, the path names the folder's empty contents, so
        // no list of completions opens over the line to take the Enter.
        E2E_VERIFY(dazu.desktop().typeText(*dialog, chosen + QLatin1Char('/')));
        E2E_VERIFY(dazu.desktop().pressKeys(*dialog, {QStringLiteral("Return")}));
        E2E_VERIFY(dazu.waitForWindowToClose(kFolderDialogTitle));
        const auto status = window->closeWith(QStringLiteral("alt+a"));
        E2E_VERIFY(status);
        QCOMPARE(*status, 0);
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 Variant((chosen + QLatin1Char('/')).toStdString()));
    }
};

QTEST_GUILESS_MAIN(tst_E2E)
#include "tst_e2e.moc"
