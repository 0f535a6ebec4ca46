#pragma once

#include <chrono>
#include <cstdint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

namespace dazu::test {

// The reliability tests' second program (helper_main.cpp) and the lines it reports.
QString HelperPath();
inline constexpr char kLockedLine[] = "locked";
inline constexpr char kReadyLine[] = "ready";
inline constexpr char kReleasedLine[] = "released ";
// Exit status of a start that could not take on the unprivileged user.
inline constexpr int kCannotDropPrivileges = 77;

// The system-wide monotonic clock in nanoseconds, comparable between processes.
inline std::int64_t MonotonicNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Another program holding a lock on the database: a write lock, as a program in the middle of
// storing, or a read lock, as one in the middle of reading. It gives the lock up after holdMs,
// or when Release() is called if holdMs is negative, and always when destroyed. Under a write
// lock, it runs the given SQL just before it commits.
class LockHolder {
public:
    enum Kind { Write, Read };
    LockHolder(Kind kind, const std::string& databasePath, int holdMs,
               const QString& sqlBeforeCommit = {});
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    // True once the other program reported the lock taken.
    bool IsHolding() const { return holding_; }
    // Waits until the lock is given up and returns the monotonic time just before it was, or
    // -1 when the other program failed (see Output()).
    std::int64_t Release();
    QString Output() const { return output_; }

private:
    QProcess process_;
    bool holding_ = false;
    QString output_;
};

// How a run of the second program ended, and what it printed.
struct HelperRun {
    int exitCode = -1;  // -1 when it crashed or did not end in time
    QStringList output; // message boxes as "title|style|prompt", list items as "item|LIST|name"
    QString errorOutput;
};
// Waits for the second program to end and collects what it printed.
HelperRun Finish(QProcess& helper, int timeoutMs);

// Runs the second program with the given arguments (whose folder is given too), as an
// unprivileged user when this process runs as root, so that permission bits hold; the folder
// and everything in it is handed over to that user first.
HelperRun RunAsUnprivilegedUser(const QString& applicationDirectory, QStringList arguments);

} // namespace dazu::test
