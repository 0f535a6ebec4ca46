#pragma once

#include <QChar>
#include <QString>

// The few file-system facts that differ between Windows and Linux; each platform's answers
// live in its own source file beside this one.
namespace dazu::files {

// The separator that joins the application directory and a file name: "\" on Windows.
QChar PathSeparator();

// The directory of the running executable, in native form, without a trailing separator.
QString ApplicationDirectory();

// Makes directory the current directory of the process; where paths have drive letters, the
// current drive stays as it was. False when that is not possible.
bool MakeCurrentDirectory(const QString& directory);

// True for an existing normal file, also through a symbolic link. Directories, devices,
// pipes, sockets and hidden or system files are not normal files. Never throws.
bool IsNormalFile(const QString& path) noexcept;

// Copies a regular file to destination on any writable file system (FAT and exFAT too). The
// copy appears whole or not at all, holds the source's bytes and is writable by its owner; an
// existing destination is never replaced, and one that another program installed meanwhile
// counts as the copy. Leftovers of copies cut short and the undo journal or log that a
// database engine left beside an earlier file of the destination's name are removed first.
// Never blocks on a pipe or a device. A failure throws std::runtime_error with the system's
// description.
void FileCopy(const QString& source, const QString& destination);

} // namespace dazu::files
