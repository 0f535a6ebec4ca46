// The shipped program on a private X server, driven by real keys and clicks: the first start,
// and what users do in the window as scenarios of steps with what is stored after them. The
// server (Xvfb) runs a small window manager (JWM), which activates windows as a desktop does;
// input goes through the server's XTEST extension, as from a real keyboard and mouse.
#include "Layout.h"
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using dazu::test::AppFolder;

class tst_E2E : public QObject {
    Q_OBJECT

    QProcess server_, windowManager_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();

    // Runs a tool to its end; what it printed. An exit status above `ok` fails the test.
    QByteArray tool(const QString& program, const QStringList& arguments, int ok = 0) const {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(program, arguments);
        const bool done = process.waitForFinished(30000) &&
                          process.exitStatus() == QProcess::NormalExit && process.exitCode() <= ok;
        const QString why = program + ' ' + arguments.join(' ') + ": " + process.errorString() +
                            ' ' + QString::fromLocal8Bit(process.readAllStandardError());
        QTest::qVerify(done, "tool", qPrintable(why), __FILE__, __LINE__);
        return process.readAllStandardOutput();
    }

    // The ids of the program's shown windows with this title; with `sync`, once there is one.
    QStringList windows(const QProcess& program, const QString& title, bool sync = false) const {
        const QString pid = QString::number(program.processId()), name = '^' + title + '$';
        QStringList search{"search", "--all", "--onlyvisible", "--pid", pid, "--name", name};
        if (sync)
            search.insert(1, "--sync");
        return QString::fromLatin1(tool("xdotool", search, 1)).split('\n', Qt::SkipEmptyParts);
    }

    // Starts the shipped program of the folder from another directory (under Wine, through the
    // launcher of scripts/windows), does the steps and waits for the program to end with
    // status 0; a step that cannot be done fails the test, named with what the program printed.
    // A step is a verb and what it acts on:
    //   click CONTROL        clicks the middle of a control, where the design puts it (of
    //                        SSTab1, the header of its first tab)
    //   box TITLE            waits for a message box with this title, answers it with Enter
    //   stored TABLE a,b     waits until the list holds exactly these names
    // Any other step is a command of xdotool's in the window: "key K…", "type TEXT". Waits
    // allow for two cores busy with builds.
    void play(const AppFolder& folder, const QString& steps) const {
        QProcess dazu;
        QStringList command{QDir(folder.path()).filePath(dazu::test::ProgramFile("dazu"))};
        if (dazu::test::UnderWine())
            command.prepend(qEnvironmentVariable("DAZU_TEST_WINDOWS_LAUNCHER"));
        dazu.setProcessEnvironment(environment_);
        dazu.setWorkingDirectory(QDir::rootPath());
        dazu.setProcessChannelMode(QProcess::MergedChannels);
        dazu.start(command.takeFirst(), command);
        const QString window = windows(dazu, "DAZU - Configuración", true).value(0);
        for (const QString& next : steps.split('|')) {
            const QString step = next.trimmed(), verb = step.section(' ', 0, 0);
            const QString object = step.section(' ', 1, 1), rest = step.section(' ', 1);
            if (verb == u"click") {
                // Where the window's design puts the control: its place within each container
                // around it. Containers come before what they hold.
                QRect place;
                QByteArray name = object.toLatin1();
                for (auto c = dazu::dialog::Controls().end();
                     c-- != dazu::dialog::Controls().begin();)
                    if (name == c->name) {
                        const QRect own = dazu::dialog::ToPixels(c->twips);
                        place = place.isNull() ? own : place.translated(own.topLeft());
                        name = c->container.name;
                    }
                const QPoint at =
                    object == u"SSTab1" ? place.topLeft() + QPoint(10, 8) : place.center();
                tool("xdotool", {"mousemove", "--window", window, QString::number(at.x()),
                                 QString::number(at.y()), "click", "1"});
            } else if (verb == u"box") {
                tool("xdotool", {"windowactivate", "--sync", windows(dazu, rest, true).value(0),
                                 "key", "Return"});
                QTRY_VERIFY_WITH_TIMEOUT(windows(dazu, rest).isEmpty(), 30000);
            } else if (verb == u"stored") {
                QTRY_COMPARE_WITH_TIMEOUT(
                    dazu::test::ListNames(folder.databasePath(), object.toStdString()),
                    step.section(' ', 2).split(',', Qt::SkipEmptyParts), 30000);
            } else {
                tool("xdotool", QStringList{"windowactivate", "--sync", window} + step.split(' '));
            }
            QVERIFY2(!QTest::currentTestFailed(),
                     qPrintable(step + ": " + QString::fromLocal8Bit(dazu.readAll())));
        }
        QVERIFY2(dazu.waitForFinished(10000) && dazu.exitStatus() == QProcess::NormalExit &&
                     dazu.exitCode() == 0,
                 dazu.readAll());
    }

private Q_SLOTS:
    void initTestCase() {
        // -displayfd: the server picks a free display and prints it once it accepts clients.
        // -noreset: a server that resets when its last client leaves refuses the next one
        // meanwhile, which could be the window manager.
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten",
                               "tcp", "-noreset"});
        QByteArray display;
        while (!display.endsWith('\n') && server_.waitForReadyRead(15000))
            display += server_.readAllStandardOutput();
        if (!display.endsWith('\n'))
            QSKIP(qPrintable(DAZU_E2E_NO_X_SERVER ": Xvfb: " + server_.errorString()));
        // Qt's own style, fonts and dialogs at the design's scale, whatever desktop the tests
        // are started from; a UTF-8 locale, so that the tools give titles as they are.
        for (const char* name : {"QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR"})
            environment_.remove(QLatin1String(name));
        environment_.insert("DISPLAY", ':' + QString::fromLatin1(display.trimmed()));
        environment_.insert("QT_QPA_PLATFORM", "xcb");
        environment_.insert("LC_ALL", "C.UTF-8");
        windowManager_.setProcessEnvironment(environment_);
        windowManager_.start("jwm", {"-f", DAZU_E2E_WINDOW_MANAGER});
        QTRY_VERIFY_WITH_TIMEOUT(
            tool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"), 30000);
    }

    // In a folder holding only what is shipped, started from another directory, the program
    // finds its folder, installs its files there and shows its window.
    void firstStart() {
        AppFolder folder(AppFolder::CopyOfDist);
        play(folder, QStringLiteral("key alt+c"));
        QVERIFY(folder.exists("DudodeZI410.bat") && folder.exists("VavodidedER410.bat"));
        QCOMPARE(dazu::test::SetupField(folder.databasePath(), "pathdest"),
                 dazu::config::Variant(dazu::test::ProgramPath(folder.path()).toStdString()));
    }

    // Every row starts from a folder whose destination is not the default, which every save
    // must keep, and gives the readings of the stored row that differ after the program ended.
    void scenarios_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("changed");
        // clang-format off
        // Tabs change by Ctrl+Tab and by a click on a header; the port is stepped to with the
        // arrow key, the speed typed. (A click right after a choice in an open list can reach
        // the list before it closes, under Wine's slower windows.)
        QTest::newRow("settings on every tab, Aceptar")
            << "click chkprogramapc | click Txtprogramapc | key ctrl+a | type c:\\dazu\\pasar.exe |"
               "click chkunirarchivos | click txtfilehost | key ctrl+a |"
               "type c:\\datos\\ventas.txt | click chkotrohh | key ctrl+Tab | click ChkLectura |"
               "click txtintervalo | key ctrl+a | type 45 | click cmbpuerto | key Down Down |"
               "click cmbvelocidad | key ctrl+a | type 19200 | key ctrl+Tab |"
               "click chkborrarhornet | click chkborrarhornet2 | click SSTab1 |"
               "click chkprogramatm | key alt+a"
            << "programapc = \"c:\\dazu\\pasar.exe\";modolectura = False;Puerto = 3;"
               "baudios = 19200;intervalo = 45;correrprogramapc = True;correrprogramatm = False;"
               "filehost = \"c:\\datos\\ventas.txt\";borrarhornet = True;borrarpc = True;"
               "unirarchivos = True;askother = True";
        // Each name added or deleted is stored at once, while the window is open; one already
        // listed, in any letter case, is refused. The focus starts on the tab strip; after
        // Enter it is on "Agregar", so that Enter again starts the next name. The first name
        // listed is the first added. The other list stays empty. (The window's own test works
        // both lists alike.)
        QTest::newRow("Files: names added and deleted by keyboard, then Cancelar")
            << "key ctrl+Tab ctrl+Tab Tab Tab space | type pedidos.txt | key Return |"
               "stored Files pedidos.txt | key Return | type PEDIDOS.TXT | key Return |"
               "box Vozu Rodari | key Return | type clientes.txt | key Return |"
               "stored Files clientes.txt,pedidos.txt | key Tab space shift+Tab shift+Tab space |"
               "stored Files clientes.txt | stored FPCHH | click chkborrarhornet | key alt+c"
            << QString();
        // clang-format on
    }
    void scenarios() {
        QFETCH(QString, steps);
        QFETCH(QString, changed);
        AppFolder folder(AppFolder::CopyOfDist);
        folder.seed({{"pathdest", dazu::config::Variant("/home/usuario/recibidos/")}});
        const QStringList before = dazu::test::StoredRow(folder.databasePath());
        play(folder, steps);
        const QStringList after = dazu::test::StoredRow(folder.databasePath());
        QCOMPARE(dazu::test::ChangedReadings(before, after).join(';'), changed);
    }
};

QTEST_GUILESS_MAIN(tst_E2E)
#include "tst_e2e.moc"
