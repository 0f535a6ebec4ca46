#pragma once

#include "Database.h"

#include <string>
#include <string_view>

namespace dazu::cli {

// "hh-pc" is the list Files, from the hand-held to the PC; "pc-hh" is FPCHH, the other way.
// UsageError for any other direction.
std::string_view ListTableName(std::string_view direction);

// The list's table with its index "FILE" current, as the window holds it.
config::Recordset& OpenList(config::Configuration& tables, std::string_view tableName);

// Refusal "Entrada ya existe" for a name already listed, as the window refuses it.
void AddName(config::Recordset& list, const std::string& name);
// Refusal for a name not listed.
void RemoveName(config::Recordset& list, const std::string& name);
void RemoveAllNames(config::Recordset& list);

} // namespace dazu::cli
