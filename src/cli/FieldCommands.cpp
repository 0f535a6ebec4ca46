#include "Commands.h"
#include "Database.h"
#include "Settings.h"

namespace dazu::cli {

void RunGet(const Invocation& call, Context& context) {
    const config::FieldSpec& field = SettingsField(call.operands[0]);
    auto tables = config::OpenConfiguration(context.databasePath);
    MoveToSettingsRow(tables.Setup);
    context.out << DisplayText(tables.Setup.Fields(field.name).Value()) << "\n";
}

void RunSet(const Invocation& call, Context& context) {
    const config::FieldSpec& field = SettingsField(call.operands[0]);
    const config::Variant value = ValueFromText(field, call.operands[1]);
    auto tables = config::OpenConfiguration(context.databasePath);
    MoveToSettingsRow(tables.Setup);
    WriteSetting(tables.Setup, field, value);
}

} // namespace dazu::cli
