#include "SecondProgram.h"

#include <QDirIterator>
#include <QFile>
#include <unistd.h>

namespace dazu::test {

namespace {
// The user that runs a start when the tests run as root: nobody, who owns nothing else.
constexpr uid_t kUnprivilegedId = 65534;
constexpr int kStartTimeoutMs = 10000;

bool handOver(const QString& path) {
    return ::lchown(QFile::encodeName(path).constData(), kUnprivilegedId, kUnprivilegedId) == 0;
}
} // namespace

QString HelperPath() {
    return QStringLiteral(DAZU_RELIABILITY_HELPER);
}

LockHolder::LockHolder(Kind kind, const std::string& databasePath, int holdMs,
                       const QString& sqlBeforeCommit) {
    QStringList arguments{QStringLiteral("lock"),
                          kind == Write ? QStringLiteral("write") : QStringLiteral("read"),
                          QString::fromStdString(databasePath), QString::number(holdMs)};
    if (!sqlBeforeCommit.isEmpty())
        arguments << sqlBeforeCommit;
    process_.start(HelperPath(), arguments);
    while (process_.waitForReadyRead(kStartTimeoutMs)) {
        if (process_.canReadLine()) {
            output_ += QString::fromUtf8(process_.readLine());
            holding_ = output_.startsWith(QLatin1String(kLockedLine));
            break;
        }
    }
    if (!holding_)
        output_ += QString::fromUtf8(process_.readAllStandardError());
}

LockHolder::~LockHolder() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

std::int64_t LockHolder::Release() {
    process_.closeWriteChannel();
    process_.waitForFinished(kStartTimeoutMs);
    output_ += QString::fromUtf8(process_.readAllStandardOutput());
    output_ += QString::fromUtf8(process_.readAllStandardError());
    const qsizetype at = output_.indexOf(QLatin1String(kReleasedLine));
    if (process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != 0 || at < 0)
        return -1;
    const qsizetype from = at + qsizetype(sizeof kReleasedLine) - 1;
    return output_.mid(from).section(QLatin1Char('\n'), 0, 0).toLongLong();
}

HelperRun Finish(QProcess& helper, int timeoutMs) {
    HelperRun run;
    helper.waitForFinished(timeoutMs);
    if (helper.state() != QProcess::NotRunning) {
        helper.kill();
        helper.waitForFinished();
    } else if (helper.exitStatus() == QProcess::NormalExit) {
        run.exitCode = helper.exitCode();
    }
    const QString printed = QString::fromUtf8(helper.readAllStandardOutput());
    run.output = printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.errorOutput = QString::fromUtf8(helper.readAllStandardError());
    return run;
}

HelperRun RunAsUnprivilegedUser(const QString& applicationDirectory, QStringList arguments) {
    if (::geteuid() == 0) {
        // Root ignores permission bits: the program runs as a user that the bits bind.
        bool handedOver = handOver(applicationDirectory);
        QDirIterator entries(applicationDirectory,
                             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext())
            handedOver = handOver(entries.next()) && handedOver;
        if (!handedOver) {
            HelperRun refused;
            refused.errorOutput = QStringLiteral("cannot hand the folder over");
            refused.exitCode = kCannotDropPrivileges;
            return refused;
        }
        arguments =
            QStringList{QStringLiteral("--as"), QString::number(kUnprivilegedId)} + arguments;
    }
    QProcess helper;
    helper.start(HelperPath(), arguments);
    return Finish(helper, kStartTimeoutMs);
}

} // namespace dazu::test
