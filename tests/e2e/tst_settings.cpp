// A user changes settings on the three tabs and stores them with Alt+A ("&Aceptar"), types a
// value that the database refuses, and chooses the destination folder with "...".
#include "DazuRun.h"
#include "SettingsWindow.h"
#include "TestSupport.h"
#include "XServer.h"

#include <QDir>

using namespace dazu::e2e;
using dazu::config::Variant;
using dazu::test::AppFolder;

namespace {

const QString kDatabase = QStringLiteral("DAZU.CFG");
const QString kFolderDialogTitle =
    QStringLiteral("Seleccione el directorio donde quiere dejar los archivos");

} // namespace

class tst_Settings : public QObject {
    Q_OBJECT

    XServer x_;

private Q_SLOTS:
    void initTestCase() {
        E2E_SKIP_UNLESS(x_.start());
        // The window in its frame, as users see it.
        E2E_VERIFY(x_.startWindowManager());
    }

    void changeSettingsOnEveryTabThenAccept() {
        AppFolder folder(AppFolder::CopyOfDist);
        // A destination other than the default, which Aceptar must keep.
        folder.seed({{"pathdest", Variant("/home/usuario/recibidos/")}});
        const QStringList before = dazu::test::StoredRow(folder.databasePath());
        {
            DazuRun dazu(x_, folder.path());
            const auto window = SettingsWindow::Start(x_, dazu);
            E2E_VERIFY(window);
            E2E_VERIFY(window->click("chkprogramapc"));
            E2E_VERIFY(window->replaceText("Txtprogramapc", QStringLiteral("c:\\dazu\\pasar.exe")));
            E2E_VERIFY(window->click("chkunirarchivos"));
            E2E_VERIFY(window->replaceText("txtfilehost", QStringLiteral("c:\\datos\\ventas.txt")));
            E2E_VERIFY(window->click("chkotrohh"));

            E2E_VERIFY(window->clickTab(Tab::Comunicaciones));
            E2E_VERIFY(window->click("ChkLectura"));
            E2E_VERIFY(window->replaceText("txtintervalo", QStringLiteral("45")));
            // The port picked from the open list by its first key, the speed typed.
            E2E_VERIFY(window->click("cmbpuerto"));
            E2E_VERIFY(window->pressKeys(
                {QStringLiteral("alt+Down"), QStringLiteral("3"), QStringLiteral("Return")}));
            E2E_VERIFY(window->replaceText("cmbvelocidad", QStringLiteral("19200")));

            E2E_VERIFY(window->clickTab(Tab::Archivos));
            E2E_VERIFY(window->click("chkborrarhornet"));
            E2E_VERIFY(window->click("chkborrarhornet2"));

            const auto status = window->closeWith(QStringLiteral("alt+a"));
            E2E_VERIFY(status);
            QCOMPARE(*status, 0);
        }
        const QStringList after = dazu::test::StoredRow(folder.databasePath());
        QCOMPARE(after,
                 dazu::test::WithChanges(before, {{"correrprogramapc", Variant(true)},
                                                  {"programapc", Variant("c:\\dazu\\pasar.exe")},
                                                  {"unirarchivos", Variant(true)},
                                                  {"filehost", Variant("c:\\datos\\ventas.txt")},
                                                  {"askother", Variant(true)},
                                                  {"modolectura", Variant(false)},
                                                  {"intervalo", Variant(45)},
                                                  {"Puerto", Variant(3)},
                                                  {"baudios", Variant(19200)},
                                                  {"borrarhornet", Variant(true)},
                                                  {"borrarpc", Variant(true)}}));
    }

    void typeLettersIntoTheIntervalThenAccept() {
        AppFolder folder(AppFolder::CopyOfDist);
        folder.seed({});
        const QStringList before = dazu::test::StoredRow(folder.databasePath());

        DazuRun dazu(x_, folder.path());
        const auto window = SettingsWindow::Start(x_, dazu);
        E2E_VERIFY(window);
        E2E_VERIFY(window->clickTab(Tab::Comunicaciones));
        E2E_VERIFY(window->replaceText("txtintervalo", QStringLiteral("cinco")));
        E2E_VERIFY(window->pressKeys({QStringLiteral("alt+a")}));

        // The box's text, the database's description of the refusal, cannot be read through
        // X; the window's own tests check it.
        const auto box = dazu.waitForWindow(QStringLiteral("DAZU"));
        E2E_VERIFY(box);
        E2E_VERIFY(dazu.desktop().pressKeys(*box, {QStringLiteral("Return")}));
        const auto status = dazu.waitForExit();
        E2E_VERIFY(status);
        QVERIFY2(*status != 0, "dazu ended with status 0 after the database refused a value");
        const QStringList after = dazu::test::StoredRow(folder.databasePath());
        QCOMPARE(after, before);
    }

    void chooseTheDestinationFolderWithTheKeyboard() {
        AppFolder folder(AppFolder::CopyOfDist);
        const QString chosen = folder.file(QStringLiteral("recibidos"));
        QVERIFY(QDir().mkdir(chosen));

        DazuRun dazu(x_, folder.path());
        const auto window = SettingsWindow::Start(x_, dazu);
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

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
