#pragma once

#include <string>

namespace dazu::cli {

struct CommandSpec;

std::string ToolHelp();
std::string CommandHelp(const CommandSpec& command);
// The line after a usage error that points to the right help.
std::string HelpHint(const std::string& command);

} // namespace dazu::cli
