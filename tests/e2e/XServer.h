#pragma once

#include "Desktop.h"
#include "Outcome.h"

#include <QProcess>
#include <QSize>

namespace dazu::e2e {

// The one screen of every test server: larger than the window, as a user's screen is.
inline constexpr QSize kScreenSize{1280, 1024};

// A private X server (Xvfb) on a display no one else uses, optionally with a window manager.
// Both are ended when the object goes, whatever the scenario's outcome.
class XServer {
public:
    XServer() = default;
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Starts Xvfb on the first free display. Where no X server can run here it fails with a
    // reason that CTest recognises, so that the scenarios count as skipped.
    Outcome<void> start();
    // Starts a small window manager (JWM) and waits until it manages the screen: from then on
    // windows get a frame with a title bar and the buttons that each window asks for. (JWM
    // honours a window's request to leave out minimize and maximize; some others do not.)
    Outcome<void> startWindowManager();

    // The environment of a program shown on this server: its display, Qt's X11 platform
    // without a desktop's theme, and a UTF-8 locale so that the X tools print titles as they
    // are.
    QProcessEnvironment environment() const;
    Desktop desktop() const {
        return Desktop(environment(), windowManager_.state() != QProcess::NotRunning);
    }

private:
    Outcome<void> startServer();
    Outcome<void> waitForWindowManager();

    QProcess server_;
    QProcess windowManager_;
    QString display_;
};

} // namespace dazu::e2e
