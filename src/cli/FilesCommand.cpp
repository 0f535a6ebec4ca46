#include "Commands.h"
#include "Failures.h"
#include "FileList.h"
#include "Lists.h"

namespace dazu::cli {

void RunFiles(const Invocation& call, Context& context) {
    const std::string& action = call.operands[0];
    const std::size_t wanted = action == "list" ? 2 : 3;
    if (action != "list" && action != "add" && action != "remove")
        throw UsageError("Acción desconocida: " + action + " (use list, add o remove)");
    if (call.operands.size() != wanted)
        throw UsageError(action == "list" ? "files list solo lleva la lista"
                                          : "files " + action + " lleva la lista y un nombre");
    const std::string_view table = ListTableName(call.operands[1]);

    auto tables = config::OpenConfiguration(context.databasePath);
    config::Recordset& list = OpenList(tables, table);
    if (action == "add") {
        AddName(list, call.operands[2]);
    } else if (action == "remove") {
        RemoveName(list, call.operands[2]);
    } else {
        std::string text;
        for (const std::string& name : config::FileNames(list))
            text += name + "\n";
        context.out << text;
    }
}

} // namespace dazu::cli
