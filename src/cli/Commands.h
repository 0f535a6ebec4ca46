#pragma once

#include "CommandLine.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace dazu::cli {

// What a command works on and where its normal output goes; failures are thrown.
struct Context {
    std::string databasePath;
    std::ostream& out;
};

struct CommandSpec {
    std::string_view name;
    std::string_view synopsis; // operands after the name, as the help shows them
    std::string_view summary;  // one line in the tool's help
    std::string_view details;  // the rest of the command's own help
    std::size_t minOperands;
    std::size_t maxOperands;
    bool takesJson;
    void (*run)(const Invocation&, Context&);
};

// Every command in the order the help lists them.
const std::vector<CommandSpec>& AllCommands();
// nullptr for an unknown name.
const CommandSpec* FindCommand(std::string_view name);

void RunShow(const Invocation& call, Context& context);
void RunGet(const Invocation& call, Context& context);
void RunSet(const Invocation& call, Context& context);
void RunFiles(const Invocation& call, Context& context);
void RunExport(const Invocation& call, Context& context);
void RunImport(const Invocation& call, Context& context);
void RunCheck(const Invocation& call, Context& context);

} // namespace dazu::cli
