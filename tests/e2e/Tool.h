#pragma once

#include "Outcome.h"

#include <chrono>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace dazu::e2e {

using namespace std::chrono_literals;

// How a command ended and what it printed.
struct ToolRun {
    int exitCode = 0;
    QByteArray output;
    QByteArray errors;
};

// Runs a command to its end. It fails when the command cannot start, crashes, or is still
// running at the timeout (it is then killed); the caller judges the exit code.
Outcome<ToolRun> RunTool(const QProcessEnvironment& environment, const QString& program,
                         const QStringList& arguments, std::chrono::milliseconds timeout = 10s);

// The same for a command that must succeed: what it printed, or a failure that names the
// command, its exit code and its error output.
Outcome<QByteArray> RunToolChecked(const QProcessEnvironment& environment, const QString& program,
                                   const QStringList& arguments,
                                   std::chrono::milliseconds timeout = 10s);

// The command line as a person would type it, for failure messages.
QString CommandLine(const QString& program, const QStringList& arguments);

// Asks a process to end, then kills it if it has not ended within a few seconds.
void EndProcess(QProcess& process) noexcept;

} // namespace dazu::e2e
