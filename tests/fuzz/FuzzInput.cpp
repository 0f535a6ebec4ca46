#include "FuzzInput.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace dazu::test {

namespace fs = std::filesystem;

namespace {
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
} // namespace

const fs::path& FuzzFolder() {
    static const RunFolder folder;
    return folder.path();
}

fs::path StoreAsDatabase(const std::uint8_t* data, std::size_t size) {
    const fs::path database = FuzzFolder() / "DAZU.CFG";
    for (const char* companion : {"DAZU.CFG-journal", "DAZU.CFG-wal", "DAZU.CFG-shm"})
        fs::remove(FuzzFolder() / companion);
    std::ofstream file(database, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    if (!file)
        std::abort();
    return database;
}

} // namespace dazu::test
