#pragma once

#include <stdexcept>
#include <string>

namespace dazu::config {

// A failure of the configuration database. what() is the description the user is shown:
// the engine's own message for SQLite failures, our own for schema and cursor misuse.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace dazu::config
