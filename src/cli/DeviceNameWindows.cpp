#include "DeviceName.h"

#include <windows.h>

namespace dazu::cli {

bool NamesDevice(const std::string& path) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), nullptr, 0);
    if (size <= 0)
        return false;
    std::wstring name(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), name.data(), size);
    // The system completes a device name, also in a folder or with an extension, to the
    // device namespace: "\\.\NUL".
    const DWORD length = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return false;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(name.c_str(), length, full.data(), nullptr);
    return written >= 4 && written < length && full.compare(0, 4, L"\\\\.\\") == 0;
}

} // namespace dazu::cli
