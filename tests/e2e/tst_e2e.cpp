// The shipped program on a private X server, driven by real keys and clicks: the first start,
// and what users do in the window as scenarios of steps with what is stored after them.
#include "Desktop.h"

#include <optional>
#include <QTest>

using dazu::test::AppFolder;

class tst_E2E : public QObject {
    Q_OBJECT

    std::optional<dazu::e2e::Desktop> desktop_;

    // Starts the program on the folder and does the steps; why one could not be done, or
    // nothing. A step is a verb and what it acts on:
    //   click CONTROL        clicks the middle of a control, where the design puts it
    //   header               clicks the header of the first tab
    //   replace CONTROL TEXT clicks into a box, selects what it holds and types the text over it
    //   type TEXT, keys K…   types, presses keys in the window
    //   box TITLE            waits for a message box with this title, answers it with Enter
    //   stored TABLE a,b     waits until the list holds exactly these names
    //   exit N               waits for the program to end with this status
    QString play(const AppFolder& folder, const QString& steps) const {
        QProcess dazu;
        QString step = QStringLiteral("start");
        try {
            desktop_->start(dazu, folder.path());
            const QString window = desktop_->window(dazu, QStringLiteral("DAZU - Configuración"));
            for (const QString& next : steps.split('|')) {
                step = next.trimmed();
                const QString verb = step.section(' ', 0, 0), object = step.section(' ', 1, 1);
                const QString rest = step.section(' ', 1), text = step.section(' ', 2);
                if (verb == u"click" || verb == u"replace" || verb == u"header") {
                    const QRect place = dazu::e2e::Desktop::Place(
                        verb == u"header" ? "SSTab1" : qPrintable(object));
                    const QPoint at =
                        verb == u"header" ? place.topLeft() + QPoint(10, 8) : place.center();
                    desktop_->xdotool({"mousemove", "--window", window, QString::number(at.x()),
                                       QString::number(at.y()), "click", "1"});
                    if (verb == u"replace")
                        desktop_->xdotool({"windowactivate", "--sync", window, "key", "ctrl+a",
                                           "type", "--", text});
                } else if (verb == u"keys" || verb == u"type") {
                    desktop_->xdotool(QStringList{"windowactivate", "--sync", window} +
                                      (verb == u"keys" ? QStringList{"key"} + rest.split(' ')
                                                       : QStringList{"type", "--", rest}));
                } else if (verb == u"box") {
                    desktop_->xdotool({"windowactivate", "--sync", desktop_->window(dazu, rest),
                                       "key", "Return"});
                    desktop_->window(dazu, rest, false);
                } else if (verb == u"stored") {
                    dazu::e2e::WaitFor(step, [&] {
                        return dazu::test::ListNames(folder.databasePath(), object.toStdString()) ==
                               text.split(',', Qt::SkipEmptyParts);
                    });
                } else if (verb == u"exit") {
                    if (!dazu.waitForFinished(10000) || dazu.exitStatus() != QProcess::NormalExit ||
                        dazu.exitCode() != object.toInt())
                        throw std::runtime_error("ended: " + dazu.readAll().toStdString());
                } else {
                    throw std::invalid_argument("no such step");
                }
            }
            return {};
        } catch (const std::exception& failure) {
            return step + QStringLiteral(": ") + QString::fromUtf8(failure.what());
        }
    }

private Q_SLOTS:
    void initTestCase() {
        try {
            desktop_.emplace();
        } catch (const std::exception& failure) {
            if (QByteArray(failure.what()).startsWith(DAZU_E2E_NO_X_SERVER))
                QSKIP(failure.what());
            QFAIL(failure.what());
        }
    }

    // In a folder holding only what is shipped, started from another directory, the program
    // finds its folder, installs its files there and shows its window.
    void firstStart() {
        AppFolder folder(AppFolder::CopyOfDist);
        const QString failed = play(folder, QStringLiteral("keys alt+c | exit 0"));
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QVERIFY(folder.exists("DudodeZI410.bat") && folder.exists("VavodidedER410.bat"));
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 dazu::config::Variant(dazu::test::ProgramPath(folder.path()).toStdString()));
    }

    // Every row starts from a folder whose destination is not the default, which every save
    // must keep, and gives the readings of the stored row that differ after the program ended.
    void scenarios_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("changed");
        // clang-format off
        // Tabs change by Ctrl+Tab and by a click on a header; the port is stepped to with the
        // arrow key, the speed typed. (A click right after a choice in an open list can reach
        // the list before it closes, under Wine's slower windows.)
        QTest::newRow("settings on every tab, Aceptar")
            << "click chkprogramapc | replace Txtprogramapc c:\\dazu\\pasar.exe | click chkunirarchivos |"
               "replace txtfilehost c:\\datos\\ventas.txt | click chkotrohh | keys ctrl+Tab | click ChkLectura |"
               "replace txtintervalo 45 | click cmbpuerto | keys Down Down | replace cmbvelocidad 19200 |"
               "keys ctrl+Tab | click chkborrarhornet | click chkborrarhornet2 | header | click chkprogramatm |"
               "keys alt+a | exit 0"
            << QStringList{"programapc = \"c:\\dazu\\pasar.exe\"", "modolectura = False", "Puerto = 3",
                           "baudios = 19200", "intervalo = 45", "correrprogramapc = True", "correrprogramatm = False",
                           "filehost = \"c:\\datos\\ventas.txt\"", "borrarhornet = True", "borrarpc = True",
                           "unirarchivos = True", "askother = True"};
        QTest::newRow("changes, then Alt+F4 to the window manager")
            << "click chkprogramapc | replace txtfilehost x | keys alt+F4 | exit 0" << QStringList();
        // Each name added or deleted is stored at once, while the window is open; one already
        // listed, in any letter case, is refused. The focus starts on the tab strip; after
        // Enter it is on "Agregar", so that Enter again starts the next name. The first name
        // listed is the first added.
        QTest::newRow("Files: names added and deleted by keyboard, then Cancelar")
            << "keys ctrl+Tab ctrl+Tab Tab Tab space | type pedidos.txt | keys Return | stored Files pedidos.txt |"
               "keys Return | type PEDIDOS.TXT | keys Return | box Vozu Rodari | keys Return | type clientes.txt |"
               "keys Return | stored Files clientes.txt,pedidos.txt | keys Tab space shift+Tab shift+Tab space |"
               "stored Files clientes.txt | click chkborrarhornet | keys alt+c | exit 0 | stored FPCHH"
            << QStringList();
        QTest::newRow("FPCHH: names added and deleted by keyboard, then Cancelar")
            << "keys ctrl+Tab ctrl+Tab shift+Tab shift+Tab space | type pedidos.txt | keys Return |"
               "stored FPCHH pedidos.txt | keys Return | type PEDIDOS.TXT | keys Return | box DAZU | keys Return |"
               "type clientes.txt | keys Return | stored FPCHH clientes.txt,pedidos.txt |"
               "keys shift+Tab space Tab Tab space | stored FPCHH clientes.txt | click chkborrarhornet2 |"
               "keys alt+c | exit 0 | stored Files"
            << QStringList();
        // clang-format on
    }
    void scenarios() {
        QFETCH(QString, steps);
        QFETCH(QStringList, changed);
        AppFolder folder(AppFolder::CopyOfDist);
        folder.seed({{"pathdest", dazu::config::Variant("/home/usuario/recibidos/")}});
        const QStringList before = dazu::test::StoredRow(folder.databasePath());
        const QString failed = play(folder, steps);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QStringList after = dazu::test::StoredRow(folder.databasePath());
        after.removeIf([&](const QString& reading) { return before.contains(reading); });
        QCOMPARE(after.join(u'\n'), changed.join(u'\n')); // a difference names its field
    }
};

QTEST_GUILESS_MAIN(tst_E2E)
#include "tst_e2e.moc"
