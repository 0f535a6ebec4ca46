#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace dazu::test {

// The application folder of the whole fuzzing run, removed when the fuzzer ends normally.
const std::filesystem::path& FuzzFolder();

// Puts one input in the folder as DAZU.CFG, alone: no journal of an earlier input is left to
// be rolled into it. Returns the database's path.
std::filesystem::path StoreAsDatabase(const std::uint8_t* data, std::size_t size);

} // namespace dazu::test
