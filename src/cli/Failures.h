#pragma once

#include <stdexcept>

// How dazucfg fails besides the database's own configuration errors (status 1).
namespace dazu::cli {

// The command line itself is wrong (unknown command, field or option, missing operand): the
// tool ends with status 2 and points to its help, and nothing is opened.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command was understood but is refused for a reason outside the database (a name already
// listed, a value that fits no field, a file that cannot be read or written, a bad JSON
// document): the tool ends with status 1 and has changed nothing.
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace dazu::cli
