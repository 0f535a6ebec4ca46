#pragma once

#include <string>

namespace dazu::cli {

// Whether a path (UTF-8) names a device where a file is expected. On Windows the names NUL,
// CON, COM1 and their like name a device in every folder, which the C runtime's file status
// does not tell; on Linux a device shows as one in its status, and the answer is false.
bool NamesDevice(const std::string& path);

} // namespace dazu::cli
