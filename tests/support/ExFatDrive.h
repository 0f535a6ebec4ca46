#pragma once

#include <QFile>
#include <QStorageInfo>
#include <QTest>

namespace dazu::test {

// A small exFAT file system, as on a USB stick: ctest mounts one for the tests that name it
// (tests/support/exfat-drive, through FUSE) and gives its folder in DAZU_TEST_EXFAT.
inline QString ExFatFolder() {
    return qEnvironmentVariable("DAZU_TEST_EXFAT");
}

// Why no exFAT drive is mounted there (the mount left its reason beside it), empty when one is.
inline QString WhyNoExFat() {
    QFile why(ExFatFolder() + QStringLiteral(".why"));
    return ExFatFolder().isEmpty() ? QStringLiteral("DAZU_TEST_EXFAT is not set: ctest mounts it")
           : QStorageInfo(ExFatFolder()).rootPath() == ExFatFolder() ? QString()
           : why.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(why.readAll())
                                           : QStringLiteral("not mounted");
}

} // namespace dazu::test

// Skips the test where no exFAT drive is mounted, saying why.
#define DAZU_SKIP_WITHOUT_EXFAT()                                                                  \
    if (const QString why = dazu::test::WhyNoExFat(); !why.isEmpty())                              \
    QSKIP(qPrintable(QStringLiteral("no exFAT file system is mounted: ") + why))
