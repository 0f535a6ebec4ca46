#include "Tool.h"

namespace dazu::e2e {

QString CommandLine(const QString& program, const QStringList& arguments) {
    return (QStringList{program} + arguments).join(QLatin1Char(' '));
}

Outcome<ToolRun> RunTool(const QProcessEnvironment& environment, const QString& program,
                         const QStringList& arguments, std::chrono::milliseconds timeout) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const QString command = CommandLine(program, arguments);
    if (!process.waitForStarted())
        return Failure{QStringLiteral("cannot run '%1': %2").arg(command, process.errorString())};
    if (!process.waitForFinished(static_cast<int>(timeout.count()))) {
        EndProcess(process);
        return Failure{
            QStringLiteral("'%1' did not end within %2 ms").arg(command).arg(timeout.count())};
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return Failure{QStringLiteral("'%1' crashed").arg(command)};
    return ToolRun{process.exitCode(), process.readAllStandardOutput(),
                   process.readAllStandardError()};
}

Outcome<QByteArray> RunToolChecked(const QProcessEnvironment& environment, const QString& program,
                                   const QStringList& arguments,
                                   std::chrono::milliseconds timeout) {
    const auto run = RunTool(environment, program, arguments, timeout);
    if (!run)
        return run.failure();
    if (run->exitCode != 0)
        return Failure{QStringLiteral("'%1' ended with status %2: %3")
                           .arg(CommandLine(program, arguments))
                           .arg(run->exitCode)
                           .arg(QString::fromLocal8Bit(run->errors.trimmed()))};
    return run->output;
}

void EndProcess(QProcess& process) noexcept {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace dazu::e2e
