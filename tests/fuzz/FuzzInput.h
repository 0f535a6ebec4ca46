#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace dazu::test {

// The application folder of the whole fuzzing run, removed when the fuzzer ends normally.
inline const std::filesystem::path& FuzzFolder() {
    static const struct RunFolder {
        std::filesystem::path path;
        RunFolder() {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "dazu-fuzz-XXXXXX").string();
            if (!::mkdtemp(pattern.data()))
                std::abort();
            path = pattern;
        }
        ~RunFolder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } folder;
    return folder.path;
}

// Puts one input in the folder as DAZU.CFG, alone: no journal of an earlier input is left to
// be rolled into it. Returns the database's path.
inline std::filesystem::path StoreAsDatabase(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path database = FuzzFolder() / "DAZU.CFG";
    for (const char* companion : {"DAZU.CFG-journal", "DAZU.CFG-wal", "DAZU.CFG-shm"})
        std::filesystem::remove(FuzzFolder() / companion);
    std::ofstream file(database, std::ios::binary | std::ios::trunc);
    if (!file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size))
             .flush())
        std::abort();
    return database;
}

} // namespace dazu::test
