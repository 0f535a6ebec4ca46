#include "Commands.h"
#include "ConfigJson.h"
#include "PlainText.h"
#include "Snapshot.h"

namespace dazu::cli {

void RunShow(const Invocation& call, Context& context) {
    auto tables = config::OpenConfiguration(context.databasePath);
    const Snapshot snapshot = ReadSnapshot(tables);
    // Formatted whole before printing, so that a failure prints nothing half-way.
    const std::string text =
        call.json ? ToDocument(snapshot).dump(2) + "\n" : FormatPlain(snapshot);
    context.out << text;
}

} // namespace dazu::cli
