#pragma once

#include <exception>
#include <QString>

namespace dazu::app {

// Where every untrapped failure ends: the user is shown the error's description in a box
// titled "DAZU", and the program ends with a non-zero status. What the database stored
// before stays stored.
void Fail(const QString& description);

QString DescriptionOf(const std::exception& error);

// Runs a handler and catches whatever it throws, so that no exception crosses a Qt slot.
// Returns false when the handler failed.
template <typename Handler> bool Guarded(Handler&& handler) noexcept {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        Fail(DescriptionOf(error));
    } catch (...) {
        Fail(QStringLiteral("Error desconocido"));
    }
    return false;
}

} // namespace dazu::app
