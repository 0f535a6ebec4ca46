#pragma once

#include "Outcome.h"
#include "TestSupport.h"
#include "Variant.h"

#include <QStringList>
#include <string>
#include <utility>
#include <vector>

namespace dazu::e2e {

// Every field of the stored settings row as "name = value", in the schema's order, so that
// two readings compare field by field and a difference names its field.
Outcome<QStringList> StoredSettingsRow(const QString& databasePath);

using SettingsChanges = std::vector<std::pair<std::string, config::Variant>>;

// Gives an application folder its DAZU.CFG before the program first starts there: the
// shipped template holding the default row, with the given fields changed.
Outcome<void> SeedSettings(const test::AppFolder& folder, const SettingsChanges& changes);

} // namespace dazu::e2e
