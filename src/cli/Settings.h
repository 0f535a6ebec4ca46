#pragma once

#include "Recordset.h"
#include "Schema.h"
#include "Variant.h"

#include <string>
#include <string_view>

namespace dazu::cli {

// The Setup field of that name, found without regard to letter case; UsageError when none.
const config::FieldSpec& SettingsField(std::string_view name);
// Every field with its kind, one per line, for the help of get and set.
std::string FieldListText();

// Makes the settings row, Setup's first record, current; fails when Setup holds none,
// since only DAZU writes that row.
void MoveToSettingsRow(config::Recordset& setup);

// The value that a text typed on the command line writes into a field, as the window writes
// its controls: Yes/No words become truth values; any other text goes to the engine as it
// is, which turns it into a number or refuses it.
config::Variant ValueFromText(const config::FieldSpec& field, const std::string& text);

// A value as people read it: "Sí"/"No", decimal digits, the text itself, or "Null".
std::string DisplayText(const config::Variant& value);

// Stores one field of the current settings row at once; a refused value leaves it unchanged.
void WriteSetting(config::Recordset& setup, const config::FieldSpec& field,
                  const config::Variant& value);

} // namespace dazu::cli
