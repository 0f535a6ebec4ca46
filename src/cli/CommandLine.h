#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dazu::cli {

// What the command line asks for, before the command checks its own operands.
struct Invocation {
    std::string command; // empty when none was given
    std::vector<std::string> operands;
    std::optional<std::string> dir;
    bool json = false;
    bool help = false;
};

// Options may stand anywhere; "--" makes every later word an operand, so that a file name
// beginning with "-" can be given. Throws UsageError.
Invocation ParseCommandLine(const std::vector<std::string>& arguments);

} // namespace dazu::cli
