#pragma once

#include "Layout.h"
#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>
#include <stdexcept>

namespace dazu::e2e {

// A step that cannot be done throws; the test reports why. (Qt Test would abort on an
// exception leaving a test function, without its message.)
struct Failure : std::runtime_error {
    explicit Failure(const QString& why)
        : std::runtime_error(why.toStdString()) {}
};

// Polls until ready() holds; the limit allows for two cores busy with builds.
template <typename Ready> void WaitFor(const QString& what, Ready ready, int ms = 30000) {
    for (const QDeadlineTimer deadline(ms); !ready(); QThread::msleep(50))
        if (deadline.hasExpired())
            throw Failure(QStringLiteral("%1: not within %2 ms").arg(what).arg(ms));
}

// A private X server (Xvfb) on a free display with a small window manager (JWM, which closes
// the active window on Alt+F4), seen and driven through the X tools: input goes through the
// XTEST extension, as from a real keyboard and mouse.
class Desktop {
public:
    Desktop() {
        // -displayfd: the server picks a free display and prints it once it accepts clients.
        server_.start("Xvfb",
                      {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        QByteArray display;
        while (!display.endsWith('\n') && server_.waitForReadyRead(15000))
            display += server_.readAllStandardOutput();
        if (!display.endsWith('\n'))
            throw Failure(DAZU_E2E_NO_X_SERVER ": Xvfb: " + server_.errorString());
        // Qt's own style, fonts and dialogs at the design's scale, whatever desktop the tests
        // are started from; a UTF-8 locale, so that the tools give titles as they are.
        for (const char* name : {"QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR"})
            environment_.remove(QLatin1String(name));
        environment_.insert("DISPLAY", ':' + QString::fromLatin1(display.trimmed()));
        environment_.insert("QT_QPA_PLATFORM", "xcb");
        environment_.insert("LC_ALL", "C.UTF-8");
        windowManager_.setProcessEnvironment(environment_);
        windowManager_.start("jwm", {"-f", DAZU_E2E_WINDOW_MANAGER});
        WaitFor("jwm", [this] {
            return tool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        });
    }

    // Runs a tool to its end; what it printed. An exit status above `ok` fails.
    QByteArray tool(const QString& program, const QStringList& arguments, int ok = 0) const {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() > ok)
            throw Failure(program + ' ' + arguments.join(' ') + ": " + process.errorString() + ' ' +
                          QString::fromLocal8Bit(process.readAllStandardError()));
        return process.readAllStandardOutput();
    }
    // xdotool's commands, one after the other: windowactivate, key, type, mousemove, ...
    void xdotool(const QStringList& commands) const { tool("xdotool", commands); }

    // The shipped program of the folder, started from another directory; under Wine, through
    // the launcher of scripts/windows.
    void start(QProcess& program, const QString& folder) const {
        const QString file = QDir(folder).filePath(test::ProgramFile("dazu"));
        program.setProcessEnvironment(environment_);
        program.setWorkingDirectory(QDir::rootPath());
        program.setProcessChannelMode(QProcess::MergedChannels);
        if (test::UnderWine())
            program.start(qEnvironmentVariable("DAZU_TEST_WINDOWS_LAUNCHER"), {file});
        else
            program.start(file, {});
    }
    // Waits until the program shows a window with this title, or, when `shown` is false, no
    // more; gives its id.
    QString window(QProcess& program, const QString& title, bool shown = true) const {
        QStringList found;
        WaitFor(title, [&] {
            found = QString::fromLatin1(
                        tool("xdotool",
                             {"search", "--all", "--onlyvisible", "--pid",
                              QString::number(program.processId()), "--name", '^' + title + '$'},
                             1))
                        .split('\n', Qt::SkipEmptyParts);
            return found.isEmpty() != shown || program.state() == QProcess::NotRunning;
        });
        if (found.isEmpty() == shown)
            throw Failure("dazu ended: " + QString::fromLocal8Bit(program.readAll()));
        return found.value(0);
    }

    // Where the window's design puts a control: its place within each container around it.
    // Containers come before what they hold.
    static QRect Place(const char* control) {
        QRect place;
        for (const dialog::ControlSpec* c = dialog::Controls().end();
             c-- != dialog::Controls().begin();)
            if (qstrcmp(c->name, control) == 0) {
                const QRect own = dialog::ToPixels(c->twips);
                place = place.isNull() ? own : place.translated(own.topLeft());
                control = c->container.name;
            }
        return place;
    }

private:
    QProcess server_, windowManager_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
};

} // namespace dazu::e2e
