// The second program of the reliability tests:
//   dazu_reliability_helper [--as UID] MODE ARGUMENTS
// runs as user UID when given (so that permission bits bind a test that runs as root). Modes:
//   lock write|read DATABASE MS [SQL]
//                                holds a lock on the database for MS milliseconds, or until
//                                its standard input closes when MS is negative; runs the SQL
//                                just before it gives the lock up
//   churn DATABASE               rewrites the settings row and the names until it is killed
//   startup FOLDER [wait]        runs the start-up sequence there; with wait, reports "ready"
//                                and waits for a line on standard input first
//   window FOLDER STEP...        opens the window on the folder (offscreen) and works it as a
//                                user, step by step: add1|add2|delete1|delete2 NAME in the
//                                list of Files or FPCHH, accept ("&Aceptar"), wait (reports
//                                "ready", then waits for a line on standard input); stops at
//                                the first failure, then prints each list's items
//                                as "item|LIST|name"
//   windowchurn FOLDER           stores generation after generation through the window until
//                                it is killed; reports "ready" after the first
// Every message box is printed as "title|style|prompt". The exit status is the program's: 1
// after a failure.
#include "Churn.h"
#include "FailurePath.h"
#include "MsgBox.h"
#include "SecondProgram.h"
#include "Startup.h"
#include "WindowChurn.h"
#include "WindowUser.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <QApplication>
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

bool becomeUser(const char* uid) {
    const auto id = static_cast<uid_t>(std::strtoul(uid, nullptr, 10));
    if (::setgroups(0, nullptr) != 0 || ::setgid(id) != 0 || ::setuid(id) != 0 ||
        ::geteuid() == 0) {
        std::fprintf(stderr, "cannot become user %s: %s\n", uid, std::strerror(errno));
        return false;
    }
    dieWithParent(); // a change of user clears it
    return true;
}

void printMessageBoxes() {
    dazu::test::WatchMessageBoxes([](const QString& prompt, int style, const QString& title) {
        std::printf("%s|%d|%s\n", qUtf8Printable(title), style, qUtf8Printable(prompt));
        std::fflush(stdout);
    });
}

int exitStatus() {
    return dazu::test::FailureShown() ? EXIT_FAILURE : EXIT_SUCCESS;
}

int holdLock(std::string_view kind, const char* path, int holdMs, const char* sqlBeforeCommit) {
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
    if (sqlBeforeCommit)
        db.exec(sqlBeforeCommit);
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

int startup(const char* folder, bool waitForGo) {
    if (waitForGo) {
        report(dazu::test::kReadyLine);
        std::fgetc(stdin);
    }
    dazu::app::Guarded([&] { dazu::app::RunStartup(QString::fromLocal8Bit(folder)); });
    return exitStatus();
}

int windowSteps(const QString& folder, char** step, char** end) {
    const auto window = dazu::test::LoadWindow(folder);
    const auto listOf = [](char digit) {
        return digit == '1' ? dazu::test::kFilesList : dazu::test::kFpchhList;
    };
    for (; step != end && !dazu::test::FailureShown(); ++step) {
        const std::string_view verb = *step;
        if (verb == "accept") {
            dazu::test::Accept(*window);
        } else if (verb == "wait") {
            report(dazu::test::kReadyLine);
            std::fgetc(stdin);
        } else if (step + 1 != end && (verb == "add1" || verb == "add2")) {
            dazu::test::AddName(*window, listOf(verb.back()), QString::fromLocal8Bit(*++step));
        } else if (step + 1 != end && (verb == "delete1" || verb == "delete2")) {
            dazu::test::DeleteName(*window, listOf(verb.back()), QString::fromLocal8Bit(*++step));
        } else {
            std::fprintf(stderr, "unknown step %s\n", *step);
            return 64;
        }
    }
    for (const auto* list : {&dazu::test::kFilesList, &dazu::test::kFpchhList})
        for (const QString& name : dazu::test::ListedNames(*window, *list))
            std::printf("item|%s|%s\n", list->controls.list, qUtf8Printable(name));
    return exitStatus();
}

int windowChurn(const QString& folder) {
    const std::int64_t first = [&] {
        auto tables = dazu::config::OpenConfiguration(folder.toStdString() + "/DAZU.CFG");
        tables.Setup.MoveFirst();
        return dazu::test::ChurnGeneration(tables.Setup, dazu::test::ShownFields());
    }();
    if (first < 0) {
        std::fprintf(stderr, "the settings row mixes generations\n");
        return 3;
    }
    // Ready once a whole generation is stored, however slowly this build works the window:
    // every run moves the stored generation on, and the kill falls in one of the next.
    for (std::int64_t n = first + 1; n <= first + kMostGenerations; ++n) {
        if (!dazu::test::WindowChurnRound(folder, n))
            return exitStatus();
        if (n == first + 1)
            report(dazu::test::kReadyLine);
    }
    return EXIT_SUCCESS;
}

int usage(const char* program) {
    std::fprintf(
        stderr,
        "usage: %s [--as UID] lock write|read DATABASE MS [SQL] | churn DATABASE | startup "
        "FOLDER [wait] | window FOLDER STEP... | windowchurn FOLDER\n",
        program);
    return 64;
}

} // namespace

int main(int argc, char** argv) {
    dieWithParent();
    char** arg = argv + 1;
    char** const end = argv + argc;
    if (end - arg >= 2 && std::string_view(*arg) == "--as") {
        if (!becomeUser(arg[1]))
            return dazu::test::kCannotDropPrivileges;
        arg += 2;
    }
    const std::string_view mode = arg != end ? *arg : "";
    const auto count = end - arg;
    try {
        if (mode == "lock" && (count == 4 || count == 5))
            return holdLock(arg[1], arg[2], std::atoi(arg[3]), count == 5 ? arg[4] : nullptr);
        if (mode == "churn" && count == 2)
            return churn(arg[1]);
        if (mode != "startup" && mode != "window" && mode != "windowchurn")
            return usage(argv[0]);
        if (count < 2 || (mode == "windowchurn" && count != 2) ||
            (mode == "startup" &&
             (count > 3 || (count == 3 && std::string_view(arg[2]) != "wait"))))
            return usage(argv[0]);
        // The window is drawn offscreen: no display is needed.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        int qtArgc = 1; // the steps are not Qt's options
        QApplication application(qtArgc, argv);
        printMessageBoxes();
        const QString folder = QString::fromLocal8Bit(arg[1]);
        if (mode == "startup")
            return startup(arg[1], count == 3);
        if (mode == "window")
            return windowSteps(folder, arg + 2, end);
        return windowChurn(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
}
