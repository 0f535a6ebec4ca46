#pragma once

#include <optional>
#include <QByteArray>
#include <QString>
#include <QTest>
#include <utility>

namespace dazu::e2e {

// Why a step of a scenario could not be done, in words for the test report.
struct Failure {
    QString why;
};

// What a harness step yields: its value, or the failure that stopped it. The harness never
// throws, because Qt Test reports an escaped exception without its message and then aborts.
template <typename T> class [[nodiscard]] Outcome {
public:
    Outcome(T value)
        : value_(std::move(value)) {}
    Outcome(Failure failure)
        : why_(failure.why.toUtf8()) {}

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const char* why() const { return why_.constData(); }
    Failure failure() const { return {QString::fromUtf8(why_)}; }

private:
    std::optional<T> value_;
    QByteArray why_;
};

template <> class [[nodiscard]] Outcome<void> {
public:
    Outcome() = default;
    Outcome(Failure failure)
        : failed_(true)
        , why_(failure.why.toUtf8()) {}

    explicit operator bool() const { return !failed_; }
    const char* why() const { return why_.constData(); }
    Failure failure() const { return {QString::fromUtf8(why_)}; }

private:
    bool failed_ = false;
    QByteArray why_;
};

} // namespace dazu::e2e

// Ends the running scenario with the step's reason when the step failed.
// Reports the scenarios as skipped, with the reason, where the outcome says they cannot run
// (no X server could start here).
#define E2E_SKIP_UNLESS(outcome)                                                                   \
    do {                                                                                           \
        const auto& e2eOutcome = (outcome);                                                        \
        if (!e2eOutcome)                                                                           \
            QSKIP(e2eOutcome.why());                                                               \
    } while (false)

#define E2E_VERIFY(outcome)                                                                        \
    do {                                                                                           \
        const auto& e2eOutcome = (outcome);                                                        \
        if (!e2eOutcome)                                                                           \
            QFAIL(e2eOutcome.why());                                                               \
    } while (false)
