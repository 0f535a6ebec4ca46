#pragma once

#include <stdexcept>

namespace dazu::cli {

// The command was understood but is refused for a reason outside the database (a name already
// listed, a value that fits no field, a file that cannot be read or written, a bad JSON
// document): the tool ends with status 1 and has changed nothing.
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace dazu::cli
