#pragma once

#include <QString>

namespace dazu::files {

// True when path, trimmed of spaces, names an existing normal file; false otherwise and on
// any error. Never throws and shows nothing.
bool FileExists(const QString& path) noexcept;

// Shows the folder chooser with the title. True when the user chose a folder with a
// file-system path: `path` then holds the 261-character buffer the path comes back in, the
// path, one NUL and fill spaces. False when the user cancelled (`path` unchanged) or chose
// a place without a file-system path, or one too long for the buffer.
bool BrowseForFolder(QString& path, const QString& title);

} // namespace dazu::files
