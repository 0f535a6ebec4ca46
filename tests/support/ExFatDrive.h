#pragma once

#include <QString>
#include <QTemporaryDir>

namespace dazu::test {

// A small exFAT file system, as on a USB stick, made in an image file and mounted through
// FUSE for the life of the object. Needs exfatprogs and exfat-fuse, and root (for a loop
// device) or a FUSE that an ordinary user may mount; otherwise it stays unmounted and says why.
class ExFatDrive {
public:
    ExFatDrive();
    ~ExFatDrive();
    ExFatDrive(const ExFatDrive&) = delete;
    ExFatDrive& operator=(const ExFatDrive&) = delete;

    bool isMounted() const { return mounted_; }
    QString whyNotMounted() const { return whyNot_; }
    QString path() const { return mountPoint_; }

private:
    QTemporaryDir base_;
    QString mountPoint_;
    QString loopDevice_;
    QString whyNot_;
    bool mounted_ = false;
};

} // namespace dazu::test
