#include "DazuRun.h"

#include "TestSupport.h"
#include "Tool.h"
#include "XServer.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>

namespace dazu::e2e {

DazuRun::DazuRun(const XServer& server, const QString& applicationFolder)
    : desktop_(server.desktop()) {
    const QString program = QDir(applicationFolder).filePath(test::ProgramFile("dazu"));
    if (test::UnderWine()) {
        process_.setProgram(qEnvironmentVariable("DAZU_TEST_WINDOWS_LAUNCHER"));
        process_.setArguments({program});
    } else {
        process_.setProgram(program);
    }
    process_.setProcessEnvironment(server.environment());
    process_.setWorkingDirectory(QDir::rootPath()); // the program must find its folder itself
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

DazuRun::~DazuRun() {
    if (process_.state() == QProcess::NotRunning)
        return;
    if (QTest::currentTestFailed())
        static_cast<void>(
            desktop_.screenshot(QStringLiteral("%1-%2-failed")
                                    .arg(QCoreApplication::applicationName(),
                                         QString::fromUtf8(QTest::currentTestFunction()))));
    EndProcess(process_);
}

Outcome<void> DazuRun::start() {
    process_.start();
    if (!process_.waitForStarted())
        return Failure{
            QStringLiteral("cannot start %1: %2").arg(process_.program(), process_.errorString())};
    return {};
}

Outcome<WindowId> DazuRun::startShowing(const QString& title) {
    if (const auto started = start(); !started)
        return started.failure();
    return waitForWindow(title);
}

// How the program ended and what it printed, for a failure message.
QString DazuRun::ending() {
    const QString printed = QString::fromLocal8Bit(process_.readAll().trimmed());
    const QString how = process_.exitStatus() == QProcess::CrashExit
                            ? QStringLiteral("crashed")
                            : QStringLiteral("ended with status %1").arg(process_.exitCode());
    return printed.isEmpty() ? how : QStringLiteral("%1, printing: %2").arg(how, printed);
}

Outcome<QList<std::pair<WindowId, QString>>> DazuRun::shownWindows() const {
    const auto windows = desktop_.windowsOf(process_.processId());
    if (!windows)
        return windows.failure();
    QList<std::pair<WindowId, QString>> shown;
    for (const WindowId& window : *windows) {
        // A window that closes between the search and this question has no title.
        const auto windowTitle = desktop_.title(window);
        shown.append({window, windowTitle ? *windowTitle : QString::fromUtf8(windowTitle.why())});
    }
    return shown;
}

Outcome<WindowId> DazuRun::waitForWindow(const QString& title, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        const auto windows = shownWindows();
        if (!windows)
            return windows.failure();
        QStringList titles;
        for (const auto& [window, windowTitle] : *windows) {
            if (windowTitle == title)
                return window;
            titles << windowTitle;
        }
        if (process_.state() == QProcess::NotRunning || process_.waitForFinished(100))
            return Failure{
                QStringLiteral("dazu %1 before showing a window titled '%2'").arg(ending(), title)};
        if (deadline.hasExpired())
            return Failure{QStringLiteral("no window titled '%1' within %2 ms; dazu shows: [%3]")
                               .arg(title)
                               .arg(timeout.count())
                               .arg(titles.join(QStringLiteral(", ")))};
    }
}

Outcome<void> DazuRun::waitForWindowToClose(const QString& title,
                                            std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        const auto windows = shownWindows();
        if (!windows)
            return windows.failure();
        if (std::none_of(windows->cbegin(), windows->cend(),
                         [&](const auto& shown) { return shown.second == title; }))
            return {};
        if (deadline.hasExpired())
            return Failure{QStringLiteral("the window titled '%1' was still open %2 ms later")
                               .arg(title)
                               .arg(timeout.count())};
        if (process_.state() == QProcess::Running)
            process_.waitForFinished(50); // a wait that ends early if the program ends
    }
}

Outcome<int> DazuRun::waitForExit(std::chrono::milliseconds timeout) {
    if (process_.state() != QProcess::NotRunning &&
        !process_.waitForFinished(static_cast<int>(timeout.count())))
        return Failure{QStringLiteral("dazu was still running %1 ms later").arg(timeout.count())};
    if (process_.exitStatus() == QProcess::CrashExit)
        return Failure{QStringLiteral("dazu %1").arg(ending())};
    return process_.exitCode();
}

} // namespace dazu::e2e
