#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dazu::cli {

enum ExitStatus : int { kSuccess = 0, kFailed = 1, kWrongUsage = 2 };

// Runs one command line (without the program's name) on the DAZU.CFG of --dir, or else of
// ownFolder. Normal output goes to out, messages to err; returns the exit status.
int Run(const std::vector<std::string>& arguments, const std::string& ownFolder, std::ostream& out,
        std::ostream& err);

} // namespace dazu::cli
