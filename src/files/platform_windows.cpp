#include "Platform.h"

#include <QDir>
#include <stdexcept>
#include <string_view>
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
    void reset(HANDLE handle) {
        close();
        handle_ = handle;
    }
    bool close() {
        const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
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
        // The system completes a device name ("NUL", "COM1", also in a folder or with an
        // extension) to the device namespace, "\\.\NUL": a device is no file.
        wchar_t full[MAX_PATH];
        const DWORD length = GetFullPathNameW(name.c_str(), MAX_PATH, full, nullptr);
        if (length >= 4 && length < MAX_PATH && std::wstring_view(full, 4) == L"\\\\.\\")
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

namespace {

// The copy in progress, removed unless it was published.
struct Temporary {
    std::wstring path;
    bool published = false;
    ~Temporary() {
        if (!path.empty() && !published)
            DeleteFileW(path.c_str());
    }
};

// A copy cut short (the program killed, the power cut) leaves its temporary file behind. The
// caller holds the installation lock, so no living copy of this target is in progress.
void removeLeftovers(const std::wstring& destination) {
    const std::wstring folder = destination.substr(0, destination.find_last_of(L"\\/") + 1);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((destination + L".partial-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileW((folder + found.cFileName).c_str());
    while (FindNextFileW(search, &found));
    FindClose(search);
}

// The undo journal or log that a database engine kept beside an earlier file of this name
// belongs to a file that is gone; left there, it would be applied to the new copy.
void removeStaleCompanions(const std::wstring& destination) {
    for (const wchar_t* suffix : {L"-journal", L"-wal", L"-shm"})
        DeleteFileW((destination + suffix).c_str());
}

// Every instance that installs a file locks a byte of its template far past its end (reading
// is not hindered), so only one copies at a time; the system gives the lock up when a process
// dies. Another instance holds it only while it copies a small file: a program that keeps it
// longer must not hold the start up for ever.
bool lockWithin(HANDLE file, int milliseconds) {
    for (int waited = 0;; waited += 10) {
        OVERLAPPED range{};
        range.Offset = 0xFFFFFFFE;
        range.OffsetHigh = 0x7FFFFFFF;
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range))
            return true;
        if (GetLastError() != ERROR_LOCK_VIOLATION || waited >= milliseconds)
            return false;
        Sleep(10);
    }
}

} // namespace

void FileCopy(const QString& source, const QString& destination) {
    const QString cannotRead = QStringLiteral("No se puede leer");
    const QString cannotCreate = QStringLiteral("No se puede crear");
    const QString cannotWrite = QStringLiteral("No se puede escribir");
    std::wstring from, to;
    if (!toSystemPath(source, from))
        throwSystemError(cannotRead, source, ERROR_INVALID_NAME);
    if (!toSystemPath(destination, to))
        throwSystemError(cannotCreate, destination, ERROR_INVALID_NAME);

    Handle in(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.valid())
        throwSystemError(cannotRead, source, GetLastError());
    // Only a file on a disk is copied: a device or a pipe in the template's place could hold
    // the start up.
    if (GetFileType(in.get()) != FILE_TYPE_DISK)
        throw std::runtime_error(
            (cannotRead + QLatin1Char(' ') + source + QStringLiteral(": no es un archivo normal"))
                .toStdString());

    // Where the file system has no locks, the copy still never replaces a file, by the
    // exclusive rename below.
    const bool locked = lockWithin(in.get(), 10000);
    if (!locked && GetLastError() == ERROR_LOCK_VIOLATION)
        throwSystemError(cannotCreate, destination, ERROR_LOCK_VIOLATION);
    const DWORD existing = GetFileAttributesW(to.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if (!(existing & FILE_ATTRIBUTE_DIRECTORY))
            return; // another instance installed it meanwhile: that copy counts
        throwSystemError(cannotCreate, destination, ERROR_ALREADY_EXISTS);
    }
    if (locked)
        removeLeftovers(to);

    // Written under a temporary name and renamed into place at the end, so a copy cut short
    // never leaves a partial file under the destination's name. A new file is writable
    // whatever the template's attributes.
    Temporary temporary;
    const std::wstring stem = to + L".partial-" + std::to_wstring(GetCurrentProcessId());
    Handle out(INVALID_HANDLE_VALUE);
    for (int attempt = 0; !out.valid(); ++attempt) {
        const std::wstring name = attempt ? stem + L'-' + std::to_wstring(attempt) : stem;
        out.reset(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
        if (out.valid())
            temporary.path = name;
        else if (GetLastError() != ERROR_FILE_EXISTS || attempt == 100)
            throwSystemError(cannotCreate, destination, GetLastError());
    }

    char buffer[1 << 16];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(in.get(), buffer, sizeof buffer, &read, nullptr))
            throwSystemError(cannotRead, source, GetLastError());
        if (read == 0)
            break;
        DWORD written = 0;
        if (!WriteFile(out.get(), buffer, read, &written, nullptr) || written != read)
            throwSystemError(cannotWrite, destination, GetLastError());
    }
    if (!FlushFileBuffers(out.get()) || !out.close())
        throwSystemError(cannotWrite, destination, GetLastError());

    removeStaleCompanions(to);
    // Without MOVEFILE_REPLACE_EXISTING the rename refuses an existing file; write-through
    // makes the new name itself survive a power cut.
    if (!MoveFileExW(temporary.path.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
            if (!(GetFileAttributesW(to.c_str()) & FILE_ATTRIBUTE_DIRECTORY))
                return; // another instance installed it meanwhile: that copy counts
        }
        throwSystemError(cannotCreate, destination, error);
    }
    temporary.published = true;
}

} // namespace dazu::files
