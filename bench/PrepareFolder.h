#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace dazu::bench {

// The name stored at position `index` of a prepared list: distinct for every index, so that
// names added later by the benchmark (another prefix) never collide with them.
std::string ListName(std::size_t index);

// Makes `folder` an application folder as the program finds it on a later start: the
// templates of the portable folder, the files installed from them, and a DAZU.CFG that holds
// the default settings row and `namesPerList` names in each of Files and FPCHH. The names go
// in through the record operations the window uses, in one transaction, so that a hundred
// thousand of them take a moment instead of a hundred thousand commits.
void PrepareApplicationFolder(const std::filesystem::path& distDirectory,
                              const std::filesystem::path& folder, std::size_t namesPerList);

} // namespace dazu::bench
