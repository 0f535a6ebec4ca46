#include "Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace dazu::files {

QChar PathSeparator() {
    return QLatin1Char('/');
}

bool MakeCurrentDirectory(const QString& directory) {
    return QDir::setCurrent(directory);
}

// Linux has no hidden attribute: a name that begins with a dot is the hidden file here.
bool IsNormalFile(const QString& path) noexcept {
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.isEmpty() || encoded.contains('\0'))
        return false;
    const QString name = QFileInfo(path).fileName();
    if (name.startsWith(QLatin1Char('.')))
        return false;
    struct stat st {};
    return ::stat(encoded.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

[[noreturn]] void throwError(const QString& what, const QString& path, const QString& why) {
    throw std::runtime_error(
        (what + QLatin1Char(' ') + path + QStringLiteral(": ") + why).toStdString());
}

[[noreturn]] void throwSystemError(const QString& what, const QString& path, int error) {
    throwError(what, path, QString::fromLocal8Bit(std::strerror(error)));
}

// Closes a descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// The copy in progress, removed unless it was published.
struct Temporary {
    QByteArray path;
    bool published = false;
    ~Temporary() {
        if (!path.isEmpty() && !published)
            ::unlink(path.constData());
    }
};

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// A copy cut short (the program killed, the power cut) leaves its temporary file behind. The
// caller holds the installation lock, so no living copy of this target is in progress.
void removeLeftovers(const QByteArray& destination) {
    const QByteArray folder = folderOf(destination);
    const QByteArray prefix = nameOf(destination) + ".partial-";
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.constData(), static_cast<size_t>(prefix.size())) ==
            0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// The undo journal or log that a database engine kept beside an earlier file of this name
// belongs to a file that is gone; left there, it would be applied to the new copy.
void removeStaleCompanions(const QByteArray& destination) {
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        ::unlink((destination + suffix).constData());
}

// Puts the finished copy under the destination's name without ever replacing a file there.
// Returns false when a file of that name appeared meanwhile.
bool publish(const QByteArray& temporary, const QByteArray& destination, bool locked) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, destination.constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
#endif
    // Without an exclusive rename (older kernels, NFS, file systems under FUSE), a link keeps
    // the same promise.
    if (::link(temporary.constData(), destination.constData()) == 0) {
        ::unlink(temporary.constData());
        return true;
    }
    if (errno == EEXIST)
        return false;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
        return false;
    // FAT and exFAT have neither. Under the installation lock no other instance of the
    // program publishes this name, so the check and the rename cannot be split by one.
    if (!locked) {
        errno = EOPNOTSUPP;
        return false;
    }
    struct stat st {};
    if (::lstat(destination.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(temporary.constData(), destination.constData()) == 0;
}

// Another instance holds the lock only while it copies a small file; a program that keeps it
// longer must not hold the start up for ever.
bool lockWithin(int fd, int milliseconds) {
    for (int waited = 0;; waited += 10) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (waited >= milliseconds)
            return false;
        ::usleep(10000);
    }
}

void syncFolder(const QByteArray& path) {
    Descriptor folder;
    folder.fd = ::open(folderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder.fd >= 0)
        ::fsync(folder.fd);
}

} // namespace

void FileCopy(const QString& source, const QString& destination) {
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(destination);
    const QString cannotRead = QStringLiteral("No se puede leer");
    const QString cannotCreate = QStringLiteral("No se puede crear");
    const QString cannotWrite = QStringLiteral("No se puede escribir");

    // Non-blocking, so that a pipe or a device put in the template's place cannot hold the
    // start up; only a regular file is copied.
    Descriptor in;
    in.fd = ::open(from.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (in.fd < 0)
        throwSystemError(cannotRead, source, errno);
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        throwSystemError(cannotRead, source, errno);
    if (!S_ISREG(st.st_mode))
        throwError(cannotRead, source, QStringLiteral("no es un archivo normal"));

    // Every instance that installs this file locks its template first, so only one copies at
    // a time; the kernel gives the lock up when a process dies. Where the file system has no
    // locks, the copy still never replaces a file, by the exclusive publish below.
    const bool locked = lockWithin(in.fd, 10000);
    if (!locked && errno == EWOULDBLOCK)
        throwSystemError(cannotCreate, destination, errno);
    struct stat existing {};
    if (::lstat(to.constData(), &existing) == 0) {
        if (S_ISREG(existing.st_mode))
            return; // another instance installed it meanwhile: that copy counts
        throwSystemError(cannotCreate, destination, EEXIST);
    }
    if (locked)
        removeLeftovers(to);

    Temporary temporary;
    Descriptor out;
    // The owner may always write the copy: a read-only template gives a writable file.
    const mode_t mode = (st.st_mode & 0777) | S_IRUSR | S_IWUSR;
    // A leftover that could not be removed (no lock) may carry a repeated process id.
    const QByteArray stem = to + ".partial-" + QByteArray::number(::getpid());
    for (int attempt = 0; out.fd < 0; ++attempt) {
        const QByteArray name = attempt ? stem + '-' + QByteArray::number(attempt) : stem;
        out.fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (out.fd >= 0)
            temporary.path = name;
        else if (errno != EEXIST || attempt == 100)
            throwSystemError(cannotCreate, destination, errno);
    }

    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(cannotRead, source, errno);
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.fd, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                throwSystemError(cannotWrite, destination, errno);
            done += w;
        }
    }
    if (::fsync(out.fd) != 0 || ::close(std::exchange(out.fd, -1)) != 0)
        throwSystemError(cannotWrite, destination, errno);

    removeStaleCompanions(to);
    if (!publish(temporary.path, to, locked)) {
        if (errno == EEXIST)
            return; // another instance installed it meanwhile: that copy counts
        throwSystemError(cannotCreate, destination, errno);
    }
    temporary.published = true;
    // The new name itself must survive a power cut, not only the file's bytes.
    syncFolder(to);
}

} // namespace dazu::files
