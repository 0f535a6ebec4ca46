#pragma once

#include "Database.h"
#include "Variant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dazu::test {

// Generation n of the settings row that the crash test writes again and again: every field
// tells n, so a row mixed from two generations is told apart. The texts are long enough for
// the row to span several pages of the file, so that one Update writes several pages.
std::vector<std::pair<std::string_view, config::Variant>> ChurnSettings(std::int64_t n);

// The list name that generation n adds to Files.
std::string ChurnName(std::int64_t n);

// The generation whose list name this is, or -1 when it is no such name (or only part of one).
std::int64_t ChurnNameGeneration(const std::string& name);

// One generation: the whole settings row in one Edit and Update, then the new name added to
// Files and every other name deleted. Files must have its index set.
void ChurnStep(config::Configuration& tables, std::int64_t n);

// The generation the first settings row belongs to, or -1 when its fields are not all of one.
// Only the given fields are looked at when some are given (the window stores only the fields
// it shows).
std::int64_t ChurnGeneration(config::Recordset& setup,
                             const std::vector<std::string_view>& fields = {});

} // namespace dazu::test
