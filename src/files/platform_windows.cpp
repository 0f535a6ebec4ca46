#include "Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <stdexcept>
#include <utility>
#include <windows.h>

namespace dazu::files {

QChar PathSeparator() {
    return QLatin1Char('\\');
}

namespace {

// The wide form of a path for the system, or nothing when the path holds a NUL: the system
// would read only the part before it, which names another file.
bool toSystemPath(const QString& path, std::wstring& out) {
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
    out = path.toStdWString();
    return true;
}

QString systemMessage(DWORD error) {
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<LPWSTR>(&message), 0, nullptr);
    const QString text = message ? QString::fromWCharArray(message).trimmed()
                                 : QStringLiteral("error %1").arg(error);
    LocalFree(message);
    return text;
}

[[noreturn]] void throwSystemError(const QString& what, const QString& path, DWORD error) {
    throw std::runtime_error(
        (what + QLatin1Char(' ') + path + QStringLiteral(": ") + systemMessage(error))
            .toStdString());
}

// Closes a file handle on every way out.
class Handle {
public:
    explicit Handle(HANDLE handle)
        : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        return std::exchange(handle_, INVALID_HANDLE_VALUE) == INVALID_HANDLE_VALUE ||
               CloseHandle(handle_) != 0;
    }

private:
    HANDLE handle_;
};

} // namespace

bool MakeCurrentDirectory(const QString& directory) {
    std::wstring target;
    if (!toSystemPath(directory, target))
        return false;
    // Each drive keeps its own current directory, in the hidden variable "=D:". A folder on
    // another drive becomes that drive's current directory, so the current drive stays.
    const QString current = QDir::currentPath();
    const bool hasDrive = target.size() >= 2 && target[1] == L':';
    const bool sameDrive =
        hasDrive && current.size() >= 2 && current.at(0).toUpper() == QChar(target[0]).toUpper();
    if (!hasDrive || sameDrive)
        return SetCurrentDirectoryW(target.c_str()) != 0;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const std::wstring variable = {L'=', wchar_t(towupper(target[0])), L':'};
    return SetEnvironmentVariableW(variable.c_str(), target.c_str()) != 0;
}

// A search for normal files only: directories, hidden and system files are not found.
bool IsNormalFile(const QString& path) noexcept {
    try {
        std::wstring name;
        if (!toSystemPath(path, name))
            return false;
        // A drive that is not ready answers with an error, not with a box asking for a disk.
        const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
        const DWORD attributes = GetFileAttributesW(name.c_str());
        SetErrorMode(previousMode);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return false;
        return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE)) == 0;
    } catch (...) {
        return false;
    }
}

void FileCopy(const QString& source, const QString& destination) {
    std::wstring from, to;
    if (!toSystemPath(source, from))
        throwSystemError(QStringLiteral("No se puede leer"), source, ERROR_INVALID_NAME);
    if (!toSystemPath(destination, to))
        throwSystemError(QStringLiteral("No se puede crear"), destination, ERROR_INVALID_NAME);
    // The copy is written under a temporary name and renamed into place at the end, so a
    // copy cut short never leaves a partial file under the destination's name.
    const std::wstring temporary =
        to + L".partial-" + std::to_wstring(QCoreApplication::applicationPid());

    Handle in(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.valid())
        throwSystemError(QStringLiteral("No se puede leer"), source, GetLastError());
    Handle out(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid())
        throwSystemError(QStringLiteral("No se puede crear"), destination, GetLastError());

    const auto fail = [&](const QString& what, const QString& path) {
        const DWORD error = GetLastError();
        out.close();
        DeleteFileW(temporary.c_str());
        throwSystemError(what, path, error);
    };
    char buffer[1 << 16];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(in.get(), buffer, sizeof buffer, &read, nullptr))
            fail(QStringLiteral("No se puede leer"), source);
        if (read == 0)
            break;
        DWORD written = 0;
        if (!WriteFile(out.get(), buffer, read, &written, nullptr) || written != read)
            fail(QStringLiteral("No se puede escribir"), destination);
    }
    if (!FlushFileBuffers(out.get()) || !out.close())
        fail(QStringLiteral("No se puede escribir"), destination);
    // Without MOVEFILE_REPLACE_EXISTING the rename refuses an existing file: whatever
    // appeared meanwhile is kept.
    if (!MoveFileExW(temporary.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        fail(QStringLiteral("No se puede crear"), destination);
}

} // namespace dazu::files
