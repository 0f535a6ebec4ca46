#include "Run.h"

#include "Commands.h"
#include "Failures.h"
#include "Help.h"

#include <filesystem>

namespace dazu::cli {

namespace {

const CommandSpec& checkedCommand(const Invocation& call) {
    if (call.command.empty())
        throw UsageError("Falta el comando");
    const CommandSpec* command = FindCommand(call.command);
    if (!command)
        throw UsageError("Comando desconocido: " + call.command);
    if (call.help)
        return *command;
    if (call.json && !command->takesJson)
        throw UsageError("La opción --json no sirve para " + call.command);
    if (call.operands.size() < command->minOperands)
        throw UsageError("Faltan argumentos para " + call.command);
    if (call.operands.size() > command->maxOperands)
        throw UsageError("Sobran argumentos para " + call.command);
    return *command;
}

} // namespace

int Run(const std::vector<std::string>& arguments, const std::string& ownFolder, std::ostream& out,
        std::ostream& err) {
    std::string command;
    try {
        const Invocation call = ParseCommandLine(arguments);
        command = call.command;
        if (call.help && call.command.empty()) {
            out << ToolHelp();
            return kSuccess;
        }
        const CommandSpec& definition = checkedCommand(call);
        if (call.help) {
            out << CommandHelp(definition);
            return kSuccess;
        }
        // Without --dir, the tool's own folder: never a relative one, which would be the
        // current directory's DAZU.CFG and not the tool's.
        if (!call.dir && (ownFolder.empty() || !std::filesystem::path(ownFolder).is_absolute()))
            throw Refusal("No se puede saber la carpeta de dazucfg; indíquela con --dir");
        std::string folder = call.dir.value_or(ownFolder);
        if (!folder.empty() && folder.back() != std::filesystem::path::preferred_separator)
            folder += static_cast<char>(std::filesystem::path::preferred_separator);
        Context context{folder + "DAZU.CFG", out};
        definition.run(call, context);
        return kSuccess;
    } catch (const UsageError& e) {
        err << "dazucfg: " << e.what() << "\n" << HelpHint(command) << "\n";
        return kWrongUsage;
    } catch (const std::exception& e) {
        err << "dazucfg: " << e.what() << "\n";
        return kFailed;
    }
}

} // namespace dazu::cli
