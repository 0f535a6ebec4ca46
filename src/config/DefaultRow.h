#pragma once

#include "Variant.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dazu::config {

struct Configuration;

// The settings row written into an empty Setup table, field by field in the order written.
// pathdest is the application directory exactly as given.
std::vector<std::pair<std::string_view, Variant>>
DefaultSettings(const std::string& applicationDirectory);

// Writes the default row when Setup holds no record; a table with a row is left alone. The
// count and the row are one transaction under the write lock, so two programs starting
// together on a fresh file write one row between them.
void WriteDefaultRow(Configuration& opened, const std::string& applicationDirectory);

} // namespace dazu::config
