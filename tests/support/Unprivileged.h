#pragma once

#include <QProcess>
#ifndef Q_OS_WIN
#include <sys/fsuid.h>
#include <unistd.h>

namespace dazu::test {

// While it lives, this thread reaches the files of the folder as the user "nobody" (who owns
// nothing else) when the tests run as root, which ignores permission bits: so that a fault
// made with them binds. The folder and all in it are handed over to nobody first. `binds` is
// false when the tests run as root and could not become nobody.
struct AsNobody {
    static constexpr uid_t kNobody = 65534;
    bool binds = true;

    explicit AsNobody(const QString& folder) {
        if (::geteuid() != 0)
            return;
        const bool handedOver = QProcess::execute("chown", {"-R", "65534:65534", folder}) == 0;
        ::setfsgid(kNobody);
        ::setfsuid(kNobody);
        binds = handedOver && ::setfsuid(kNobody) == int(kNobody);
    }
    ~AsNobody() {
        ::setfsuid(0);
        ::setfsgid(0);
    }
};

} // namespace dazu::test
#endif
