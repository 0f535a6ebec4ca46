#include "Platform.h"

#include <stdexcept>
#include <windows.h>

namespace dazu::files {

QChar PathSeparator() {
    return QLatin1Char('\\');
}

// A search for normal files only: directories, hidden and system files are not found.
bool IsNormalFile(const QString& path) noexcept {
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_DEVICE)) == 0;
}

void FileCopy(const QString& source, const QString& destination) {
    // CopyFileW with bFailIfExists never replaces an existing file.
    if (CopyFileW(reinterpret_cast<LPCWSTR>(source.utf16()),
                  reinterpret_cast<LPCWSTR>(destination.utf16()), TRUE))
        return;
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<LPWSTR>(&message), 0, nullptr);
    const QString text = QString::fromWCharArray(message ? message : L"").trimmed();
    LocalFree(message);
    throw std::runtime_error((destination + QStringLiteral(": ") + text).toStdString());
}

} // namespace dazu::files
