#pragma once

#include "Desktop.h"
#include "Outcome.h"

#include <chrono>
#include <QList>
#include <QProcess>
#include <utility>

namespace dazu::e2e {

using namespace std::chrono_literals;

class XServer;

// One run of the shipped program, started as a user starts it: the program file of an
// application folder, from another current folder, on the display of a test X server.
// A run still going when the scenario ends is killed; when the scenario failed by then, the
// screen is saved first (<test>-<scenario>-failed.png) to show what went wrong.
class DazuRun {
public:
    DazuRun(const XServer& server, const QString& applicationFolder);
    ~DazuRun();
    DazuRun(const DazuRun&) = delete;
    DazuRun& operator=(const DazuRun&) = delete;

    Outcome<void> start();
    // Starts the program and waits until it shows a window with exactly this title.
    Outcome<WindowId> startShowing(const QString& title);
    // Waits until the program shows a window with exactly this title.
    Outcome<WindowId> waitForWindow(const QString& title, std::chrono::milliseconds timeout = 20s);
    // Waits until the program shows no window with this title any more.
    Outcome<void> waitForWindowToClose(const QString& title,
                                       std::chrono::milliseconds timeout = 10s);
    // Waits for the program to end by itself; gives its exit status.
    Outcome<int> waitForExit(std::chrono::milliseconds timeout = 10s);

    const Desktop& desktop() const { return desktop_; }

private:
    QString ending();
    // The program's visible windows with their titles.
    Outcome<QList<std::pair<WindowId, QString>>> shownWindows() const;

    Desktop desktop_;
    QProcess process_;
};

} // namespace dazu::e2e
