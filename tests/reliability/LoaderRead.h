#pragma once

#include "Database.h"
#include "Variant.h"

#include <string>
#include <vector>

namespace dazu::test {

// Reads the whole database as the window's loader reads it, each value in its field's kind:
// every field of the first settings row (only pathdest may be Null), then both lists in
// "FILE" index order. Throws whatever it meets.
void ReadEverything(config::Configuration& tables);

// Every field of the first settings row as stored, read through a connection of its own.
std::vector<config::Variant> StoredSettings(const std::string& databasePath);

} // namespace dazu::test
