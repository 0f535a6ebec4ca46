// Arbitrary bytes as DAZU.CFG through the program's own open path: opening the database and
// its tables, writing the default row, then reading everything as the window's loader does.
// Every input loads or is refused with an exception that carries a description; nothing
// else may happen (no crash, hang, leak or undefined behaviour).
#include "DefaultRow.h"
#include "LoaderRead.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// The application folder of the whole run, removed when the fuzzer ends normally.
class RunFolder {
public:
    RunFolder() {
        std::string pattern = (fs::temp_directory_path() / "dazu-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~RunFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& runFolder() {
    static const RunFolder folder;
    return folder.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path database = runFolder() / "DAZU.CFG";
    // Each input stands alone: no journal of an earlier one may be rolled into it.
    for (const char* companion : {"DAZU.CFG-journal", "DAZU.CFG-wal", "DAZU.CFG-shm"})
        fs::remove(runFolder() / companion);
    {
        std::ofstream file(database, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!file)
            std::abort();
    }
    try {
        auto tables = dazu::config::OpenConfiguration(database.string());
        dazu::config::WriteDefaultRow(tables.Setup, runFolder().string());
        dazu::test::ReadEverything(tables);
    } catch (const std::exception&) {
        // Refused with a description: the program shows it to the user and stops.
    }
    return 0;
}
