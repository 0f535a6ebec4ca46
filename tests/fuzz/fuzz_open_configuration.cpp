// Arbitrary bytes as DAZU.CFG through the program's own open path: opening the database and
// its tables, writing the default row, then reading everything as the window's loader does.
// Every input loads or is refused with an exception that carries a description; nothing
// else may happen (no crash, hang, leak or undefined behaviour).
#include "DefaultRow.h"
#include "FuzzInput.h"
#include "LoaderRead.h"

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto database = dazu::test::StoreAsDatabase(data, size);
    try {
        auto tables = dazu::config::OpenConfiguration(database.string());
        dazu::config::WriteDefaultRow(tables, dazu::test::FuzzFolder().string());
        dazu::test::ReadEverything(tables);
    } catch (const std::exception&) {
        // Refused with a description: the program shows it to the user and stops.
    }
    return 0;
}
