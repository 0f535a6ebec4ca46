// The second program of the reliability tests. Modes:
//   lock write|read DATABASE MS  holds a lock on the database for MS milliseconds, or until
//                                its standard input closes when MS is negative
//   churn DATABASE               rewrites the settings row and the names until it is killed
//   startup FOLDER [UID]         runs the start-up sequence there, as UID when given, and
//                                prints each message box as "title|style|prompt"
#include "Churn.h"
#include "FailurePath.h"
#include "MsgBox.h"
#include "SecondProgram.h"
#include "Startup.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <QCoreApplication>
#include <SQLiteCpp/Database.h>
#include <string_view>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace {

// However the test ends, its helpers end with it.
void dieWithParent() {
    ::prctl(PR_SET_PDEATHSIG, static_cast<unsigned long>(SIGKILL));
}

void report(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

int holdLock(std::string_view kind, const char* path, int holdMs) {
    SQLite::Database db(path, SQLite::OPEN_READWRITE, 10000);
    if (kind == "write") {
        db.exec("BEGIN IMMEDIATE");
    } else {
        // A read inside an open transaction keeps the shared lock until the transaction ends.
        db.exec("BEGIN");
        db.execAndGet("SELECT count(*) FROM Setup");
    }
    report(dazu::test::kLockedLine);
    if (holdMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
    } else {
        while (std::fgetc(stdin) != EOF) {
        }
    }
    // Taken before the lock is given up, so that whoever waited for it finishes after it.
    const std::int64_t releasedAt = dazu::test::MonotonicNanoseconds();
    db.exec("COMMIT");
    std::printf("%s%lld\n", dazu::test::kReleasedLine, static_cast<long long>(releasedAt));
    return EXIT_SUCCESS;
}

// Bounded so that a helper whose test has gone still ends.
constexpr std::int64_t kMostGenerations = 20000;

int churn(const char* path) {
    auto tables = dazu::config::OpenConfiguration(path);
    tables.Files.Index("FILE");
    tables.Setup.MoveFirst();
    const std::int64_t first = dazu::test::ChurnGeneration(tables.Setup);
    if (first < 0) {
        std::fprintf(stderr, "the settings row mixes generations\n");
        return 3;
    }
    report(dazu::test::kReadyLine);
    for (std::int64_t n = first + 1; n <= first + kMostGenerations; ++n)
        dazu::test::ChurnStep(tables, n);
    return EXIT_SUCCESS;
}

int startAs(int argc, char** argv, const char* folder, const char* uid) {
    if (uid) {
        const auto id = static_cast<uid_t>(std::strtoul(uid, nullptr, 10));
        if (::setgroups(0, nullptr) != 0 || ::setgid(id) != 0 || ::setuid(id) != 0 ||
            ::geteuid() == 0) {
            std::fprintf(stderr, "cannot become user %s: %s\n", uid, std::strerror(errno));
            return dazu::test::kCannotDropPrivileges;
        }
        dieWithParent(); // a change of user clears it
    }
    QCoreApplication application(argc, argv);
    dazu::app::SetMsgBoxPresenter([](const QString& prompt, int style, const QString& title) {
        std::printf("%s|%d|%s\n", qUtf8Printable(title), style, qUtf8Printable(prompt));
        std::fflush(stdout);
    });
    dazu::app::Guarded([&] { dazu::app::RunStartup(QString::fromLocal8Bit(folder)); });
    return dazu::app::HasFailed() ? EXIT_FAILURE : EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv) {
    dieWithParent();
    const std::string_view mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "lock" && argc == 5)
            return holdLock(argv[2], argv[3], std::atoi(argv[4]));
        if (mode == "churn" && argc == 3)
            return churn(argv[2]);
        if (mode == "startup" && (argc == 3 || argc == 4))
            return startAs(argc, argv, argv[2], argc == 4 ? argv[3] : nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    std::fprintf(stderr,
                 "usage: %s lock write|read DATABASE MS | churn DATABASE | startup "
                 "FOLDER [UID]\n",
                 argv[0]);
    return 64;
}
