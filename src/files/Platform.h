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

// True for an existing normal file, also through a symbolic link. Directories, devices,
// pipes, sockets and hidden or system files are not normal files. Never throws.
bool IsNormalFile(const QString& path) noexcept;

// Copies source to destination, which must not exist. The copy appears whole or not at all;
// a failure throws std::runtime_error with the system's description.
void FileCopy(const QString& source, const QString& destination);

} // namespace dazu::files
