#include "XServer.h"

#include "Tool.h"

#include <QDeadlineTimer>

namespace dazu::e2e {

namespace {

// Begins the reason for skipping where no X server can run; CTest reports a skip on seeing it.
const char* const kNoXServer = DAZU_E2E_NO_X_SERVER;

QString ErrorOutput(QProcess& process) {
    return QString::fromLocal8Bit(process.readAllStandardError().trimmed());
}

} // namespace

XServer::~XServer() {
    EndProcess(windowManager_);
    EndProcess(server_);
}

Outcome<void> XServer::start() {
    const auto started = startServer();
    if (!started)
        return Failure{
            QStringLiteral("%1: %2").arg(QLatin1String(kNoXServer), started.failure().why)};
    return started;
}

Outcome<void> XServer::startServer() {
    // -displayfd makes the server pick a free display and print its number once it accepts
    // clients; -noreset keeps it from resetting whenever its last client leaves.
    const QString screen =
        QStringLiteral("%1x%2x24").arg(kScreenSize.width()).arg(kScreenSize.height());
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), screen, QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                   QStringLiteral("-noreset")});
    if (!server_.waitForStarted())
        return Failure{
            QStringLiteral("cannot run Xvfb (Debian package xvfb): %1").arg(server_.errorString())};

    QByteArray printed;
    const QDeadlineTimer deadline(15s);
    while (!printed.contains('\n')) {
        if (!server_.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return Failure{
                QStringLiteral("Xvfb gave no display number: %1").arg(ErrorOutput(server_))};
        printed += server_.readAllStandardOutput();
    }
    display_ = QLatin1Char(':') + QString::fromLatin1(printed.trimmed());
    return {};
}

QProcessEnvironment XServer::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Whatever desktop the tests are started from: Qt's own style, fonts and dialogs (no
    // platform theme, such as one that hands the folder dialog to another toolkit), at the
    // design's scale, so that the window looks and answers the same on every machine.
    for (const char* setting :
         {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
          "GNOME_DESKTOP_SESSION_ID", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
          "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING"})
        environment.remove(QLatin1String(setting));
    return environment;
}

Outcome<void> XServer::startWindowManager() {
    windowManager_.setProcessEnvironment(environment());
    // Its own settings, not a user's: the same frame and buttons on every machine.
    windowManager_.start(QStringLiteral("jwm"),
                         {QStringLiteral("-f"), QStringLiteral(DAZU_E2E_WINDOW_MANAGER_SETTINGS)});
    if (!windowManager_.waitForStarted())
        return Failure{QStringLiteral("cannot run jwm (Debian package jwm): %1")
                           .arg(windowManager_.errorString())};
    return waitForWindowManager();
}

// A window manager announces itself with a property on the root window.
Outcome<void> XServer::waitForWindowManager() {
    const QDeadlineTimer deadline(15s);
    for (;;) {
        const auto root =
            RunToolChecked(environment(), QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        if (!root)
            return root.failure();
        if (root->contains("window id"))
            return {};
        if (deadline.hasExpired())
            return Failure{QStringLiteral("jwm did not take over the screen within 15 s")};
        if (windowManager_.waitForFinished(50))
            return Failure{
                QStringLiteral("jwm ended at once: %1").arg(ErrorOutput(windowManager_))};
    }
}

} // namespace dazu::e2e
