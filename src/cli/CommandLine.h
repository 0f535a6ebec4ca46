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
// beginning with "-" can be given, and any other word with a single dash ("-5") is an operand
// too. Throws UsageError. Parsed here rather than by QCommandLineParser, which reads "-5" as
// an unknown option and words its errors in English: keeping both would take more code.
Invocation ParseCommandLine(const std::vector<std::string>& arguments);

} // namespace dazu::cli
