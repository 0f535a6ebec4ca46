#include "DocumentPath.h"

namespace dazu::cli {

std::filesystem::path DocumentPath(const std::string& path) {
    return path;
}

bool NamesDevice(const std::string&) {
    return false;
}

} // namespace dazu::cli
