#pragma once

#include <QString>

namespace dazu::files {

// True when path, trimmed of spaces, names an existing normal file; false otherwise and on
// any error. Never throws and shows nothing.
bool FileExists(const QString& path) noexcept;

} // namespace dazu::files
