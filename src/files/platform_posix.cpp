#include "Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace dazu::files {

QChar PathSeparator() {
    return QLatin1Char('/');
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

[[noreturn]] void throwSystemError(const QString& what, const QString& path, int error) {
    throw std::runtime_error((what + QLatin1Char(' ') + path + QStringLiteral(": ") +
                              QString::fromLocal8Bit(std::strerror(error)))
                                 .toStdString());
}

// Closes a descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

void FileCopy(const QString& source, const QString& destination) {
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(destination);
    // The copy is written under a temporary name and linked into place at the end, so a
    // copy cut short never leaves a partial file under the destination's name.
    const QByteArray temporary = to + ".partial-" + QByteArray::number(::getpid());

    Descriptor in;
    in.fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0)
        throwSystemError(QStringLiteral("No se puede leer"), source, errno);
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        throwSystemError(QStringLiteral("No se puede leer"), source, errno);

    Descriptor out;
    out.fd =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777);
    if (out.fd < 0)
        throwSystemError(QStringLiteral("No se puede crear"), destination, errno);

    const auto fail = [&](const QString& what, const QString& path) {
        const int error = errno;
        ::unlink(temporary.constData());
        throwSystemError(what, path, error);
    };
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(QStringLiteral("No se puede leer"), source);
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.fd, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                fail(QStringLiteral("No se puede escribir"), destination);
            done += w;
        }
    }
    if (::fsync(out.fd) != 0 || ::close(std::exchange(out.fd, -1)) != 0)
        fail(QStringLiteral("No se puede escribir"), destination);
    // link() refuses to replace an existing file: whatever appeared meanwhile is kept.
    if (::link(temporary.constData(), to.constData()) != 0)
        fail(QStringLiteral("No se puede crear"), destination);
    ::unlink(temporary.constData());
}

} // namespace dazu::files
