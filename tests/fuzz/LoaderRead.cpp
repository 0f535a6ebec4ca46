#include "LoaderRead.h"

#include "Schema.h"

namespace dazu::test {

void ReadEverything(config::Configuration& tables) {
    tables.Setup.MoveFirst();
    for (const config::FieldSpec& field : config::SetupTable().fields) {
        const config::Variant value = tables.Setup.Fields(field.name).Value();
        if (field.nullable && value.isNull())
            continue;
        switch (field.kind) {
        case config::Kind::Text:
            value.toText();
            break;
        case config::Kind::YesNo:
            value.toBool();
            break;
        case config::Kind::Whole:
            value.toInt();
            break;
        }
    }
    for (config::Recordset* list : {&tables.Files, &tables.FPCHH}) {
        list->Index("FILE");
        for (list->MoveFirst(); !list->Eof(); list->MoveNext())
            list->Fields("FILE").Value().toText();
    }
}

} // namespace dazu::test
