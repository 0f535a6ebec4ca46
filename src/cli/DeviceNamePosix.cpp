#include "DeviceName.h"

namespace dazu::cli {

bool NamesDevice(const std::string&) {
    return false;
}

} // namespace dazu::cli
