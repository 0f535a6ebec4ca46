#pragma once

#include "Database.h"

namespace dazu::test {

// Reads the whole database as the window's loader reads it, each value in its field's kind,
// without the window, so that many inputs a second can be tried: every field of the first
// settings row (only pathdest may be Null), then both lists in "FILE" index order. Throws
// whatever it meets.
void ReadEverything(config::Configuration& tables);

} // namespace dazu::test
