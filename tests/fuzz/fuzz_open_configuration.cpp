// Arbitrary bytes as DAZU.CFG through the program's own open path: opening the database and
// its tables, writing the default row, then reading every value of the row and both lists in
// "FILE" index order, as the window's loader does (its conversions of the values are fuzzed
// through the window's load handler). Every input loads or is refused with an exception that
// carries a description; nothing else may happen (no crash, hang, leak or undefined behaviour).
#include "Database.h"
#include "DefaultRow.h"
#include "FileList.h"
#include "FuzzInput.h"
#include "Schema.h"

#include <exception>

using namespace dazu::config;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        auto tables = OpenConfiguration(StoreAsDatabase(data, size));
        WriteDefaultRow(tables, FuzzFolder().toStdString());
        tables.Setup.MoveFirst();
        for (const FieldSpec& field : SetupTable().fields)
            tables.Setup.Fields(field.name).Value();
        for (Recordset* list : {&tables.Files, &tables.FPCHH}) {
            list->Index("FILE");
            FileNames(*list);
        }
    } catch (const std::exception&) {
        // Refused with a description: the program shows it to the user and stops.
    }
    return 0;
}
