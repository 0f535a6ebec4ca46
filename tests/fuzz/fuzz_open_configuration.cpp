// Arbitrary bytes as DAZU.CFG through the program's own open path: opening the database and
// its tables, writing the default row, then reading everything as the window's loader does,
// each value in its field's kind (only a nullable field may be Null), then both lists in
// "FILE" index order. Every input loads or is refused with an exception that carries a
// description; nothing else may happen (no crash, hang, leak or undefined behaviour).
#include "Database.h"
#include "DefaultRow.h"
#include "FuzzInput.h"
#include "Schema.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto database = dazu::test::StoreAsDatabase(data, size);
    try {
        auto tables = dazu::config::OpenConfiguration(database.string());
        dazu::config::WriteDefaultRow(tables, dazu::test::FuzzFolder().string());
        tables.Setup.MoveFirst();
        for (const dazu::config::FieldSpec& field : dazu::config::SetupTable().fields) {
            const dazu::config::Variant value = tables.Setup.Fields(field.name).Value();
            if (field.kind == dazu::config::Kind::Text && !(field.nullable && value.isNull()))
                value.toText();
            if (field.kind == dazu::config::Kind::YesNo)
                value.toBool();
            if (field.kind == dazu::config::Kind::Whole)
                value.toInt();
        }
        for (dazu::config::Recordset* list : {&tables.Files, &tables.FPCHH}) {
            list->Index("FILE");
            for (list->MoveFirst(); !list->Eof(); list->MoveNext())
                list->Fields("FILE").Value().toText();
        }
    } catch (const std::exception&) {
        // Refused with a description: the program shows it to the user and stops.
    }
    return 0;
}
