#pragma once

#include "Database.h"
#include "Variant.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dazu::cli {

// Everything the configuration holds, read at once: what show prints and export writes.
struct Snapshot {
    std::vector<std::pair<std::string_view, config::Variant>> settings; // in the table's order
    std::vector<std::string> files;                                     // hh-pc, in index order
    std::vector<std::string> fpchh;                                     // pc-hh, in index order
};

Snapshot ReadSnapshot(config::Configuration& tables);

} // namespace dazu::cli
