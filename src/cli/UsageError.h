#pragma once

#include <stdexcept>

namespace dazu::cli {

// The command line itself is wrong (unknown command, field or option, missing operand): the
// tool ends with status 2 and points to its help, and nothing is opened.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace dazu::cli
