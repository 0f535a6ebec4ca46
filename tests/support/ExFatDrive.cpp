#include "ExFatDrive.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QThread>
#include <unistd.h>

namespace dazu::test {

namespace {
// Runs a tool; its standard output, or the reason it failed in why.
QString run(const QString& program, const QStringList& arguments, QString* why) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *why = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
               QStringLiteral(": ") +
               QString::fromLocal8Bit(process.readAllStandardError()).trimmed() +
               process.errorString();
        return {};
    }
    *why = QString();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool isFuseMount(const QString& path) {
    return QStorageInfo(path).rootPath() == path;
}
} // namespace

ExFatDrive::ExFatDrive() {
    const QString image = base_.filePath(QStringLiteral("drive.img"));
    mountPoint_ = base_.filePath(QStringLiteral("drive"));
    QFile file(image);
    if (!QDir(base_.path()).mkdir(QStringLiteral("drive")) || !file.open(QIODevice::WriteOnly) ||
        !file.resize(32 << 20)) {
        whyNot_ = QStringLiteral("cannot make the image file");
        return;
    }
    file.close();
    QString why;
    run(QStringLiteral("mkfs.exfat"), {image}, &why);
    if (!why.isEmpty()) {
        whyNot_ = why;
        return;
    }
    // As root, exfat-fuse wants a block device; an ordinary user's FUSE mounts the image.
    QString device = image;
    if (::geteuid() == 0) {
        loopDevice_ = run(QStringLiteral("losetup"),
                          {QStringLiteral("-f"), QStringLiteral("--show"), image}, &why);
        if (loopDevice_.isEmpty()) {
            whyNot_ = why;
            return;
        }
        device = loopDevice_;
    }
    run(QStringLiteral("mount.exfat-fuse"), {device, mountPoint_}, &why);
    mounted_ = why.isEmpty() && isFuseMount(mountPoint_);
    if (!mounted_)
        whyNot_ = why.isEmpty() ? QStringLiteral("the image did not appear mounted") : why;
}

ExFatDrive::~ExFatDrive() {
    QString why;
    if (mounted_) {
        // A start that failed may have left the current directory on the drive.
        if (QDir::currentPath().startsWith(mountPoint_))
            QDir::setCurrent(base_.path());
        run(QStringLiteral("fusermount3"), {QStringLiteral("-u"), mountPoint_}, &why);
        if (!why.isEmpty())
            run(QStringLiteral("umount"), {QStringLiteral("-l"), mountPoint_}, &why);
        // The daemon lets the image go a moment after the file system is gone.
        const QDeadlineTimer deadline(10000);
        while (isFuseMount(mountPoint_) && !deadline.hasExpired())
            QThread::msleep(20);
    }
    if (!loopDevice_.isEmpty())
        run(QStringLiteral("losetup"), {QStringLiteral("-d"), loopDevice_}, &why);
}

} // namespace dazu::test
