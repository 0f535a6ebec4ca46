#pragma once

#include <string>

namespace dazu::cli {

struct Snapshot;

// The configuration as people read it: one field a line with the values in one column,
// then each list under its direction.
std::string FormatPlain(const Snapshot& snapshot);

} // namespace dazu::cli
