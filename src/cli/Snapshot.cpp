#include "Snapshot.h"

#include "FileList.h"
#include "Lists.h"
#include "Settings.h"

namespace dazu::cli {

Snapshot ReadSnapshot(config::Configuration& tables) {
    Snapshot snapshot;
    MoveToSettingsRow(tables.Setup);
    for (const config::FieldSpec& f : config::SetupTable().fields)
        snapshot.settings.emplace_back(f.name, tables.Setup.Fields(f.name).Value());
    snapshot.files = config::FileNames(OpenList(tables, "Files"));
    snapshot.fpchh = config::FileNames(OpenList(tables, "FPCHH"));
    return snapshot;
}

} // namespace dazu::cli
