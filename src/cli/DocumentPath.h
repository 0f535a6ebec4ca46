#pragma once

#include <filesystem>
#include <string>

namespace dazu::cli {

// A path given to import or export, as the file system takes it. The words of the command line
// are UTF-8 on Windows, where a narrow path would be read in the ANSI code page and name
// another file as soon as it holds a letter beyond ASCII; on Linux they are the bytes given.
std::filesystem::path DocumentPath(const std::string& path);

// Whether a path names a device where a file is expected. On Windows the names NUL, CON, COM1
// and their like name a device in every folder, which the C runtime's file status does not
// tell; on Linux a device shows as one in its status, and the answer is false.
bool NamesDevice(const std::string& path);

} // namespace dazu::cli
