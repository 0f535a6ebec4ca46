#pragma once

#include "Database.h"

#include <string>
#include <string_view>
#include <vector>

namespace dazu::cli {

// "hh-pc" is the list Files, from the hand-held to the PC; "pc-hh" is FPCHH, the other way.
// UsageError for any other direction.
std::string_view ListTableName(std::string_view direction);

// The list's table with its index "FILE" current, as the window holds it.
config::Recordset& OpenList(config::Configuration& tables, std::string_view tableName);

std::vector<std::string> ListNames(config::Recordset& list);
// Seeks the name first, as the window does, and refuses one already there: "Entrada ya existe".
void AddName(config::Recordset& list, const std::string& name);
void RemoveName(config::Recordset& list, const std::string& name);
void RemoveAllNames(config::Recordset& list);

} // namespace dazu::cli
