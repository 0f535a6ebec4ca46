#include "DocumentPath.h"

#include <windows.h>

namespace dazu::cli {

namespace {

std::wstring Wide(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), size);
    return wide;
}

} // namespace

std::filesystem::path DocumentPath(const std::string& path) {
    return Wide(path);
}

bool NamesDevice(const std::string& path) {
    const std::wstring name = Wide(path);
    if (name.empty())
        return false;
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
