#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace dazu::test {

// The application folder of the whole fuzzing run, removed when the fuzzer ends normally.
inline const std::filesystem::path& FuzzFolder() {
    static const struct Folder {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("dazu-fuzz-" + std::to_string(::getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored; // a destructor never throws
            std::filesystem::remove_all(path, ignored);
        }
    } folder;
    return folder.path;
}

// Puts one input in the folder as DAZU.CFG, alone: no journal of an earlier input is left to
// be rolled into it. Returns the database's path.
inline std::filesystem::path StoreAsDatabase(const std::uint8_t* data, std::size_t size) {
    for (const char* companion : {"DAZU.CFG-journal", "DAZU.CFG-wal", "DAZU.CFG-shm"})
        std::filesystem::remove(FuzzFolder() / companion);
    std::ofstream file(FuzzFolder() / "DAZU.CFG", std::ios::binary | std::ios::trunc);
    if (!file.write(reinterpret_cast<const char*>(data), std::streamsize(size)).flush())
        std::abort();
    return FuzzFolder() / "DAZU.CFG";
}

} // namespace dazu::test
