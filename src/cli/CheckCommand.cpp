#include "Commands.h"
#include "Error.h"
#include "Lists.h"

namespace dazu::cli {

void RunCheck(const Invocation&, Context& context) {
    // Opening verifies the file's mark, version, tables and fields; choosing the index of each
    // list verifies that it exists. What the engine finds wrong below that is its own check's.
    auto tables = config::OpenConfiguration(context.databasePath);
    OpenList(tables, "Files");
    OpenList(tables, "FPCHH");
    const std::vector<std::string> problems = tables.database.IntegrityCheck();
    if (!problems.empty()) {
        std::string text = "La base de datos " + context.databasePath + " está dañada:";
        for (const std::string& problem : problems)
            text += "\n  " + problem;
        throw config::Error(text);
    }
    context.out << context.databasePath << ": correcta\n";
}

} // namespace dazu::cli
