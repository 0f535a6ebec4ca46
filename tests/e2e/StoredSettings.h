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

// A reading of the row with some fields changed, to compare with a later reading.
QStringList WithChanges(QStringList row, const SettingsChanges& changes);

// Gives an application folder its DAZU.CFG before the program first starts there: the
// shipped template holding the default row, with the given fields changed.
Outcome<void> SeedSettings(const test::AppFolder& folder, const SettingsChanges& changes);
// Adds names to a file list (table Files or FPCHH) of a seeded DAZU.CFG.
Outcome<void> SeedNames(const test::AppFolder& folder, const std::string& table,
                        const QStringList& names);

// Waits until a file list (table Files or FPCHH) holds exactly these names, in the order of
// its index, as the program stores them while its window is open.
Outcome<void> WaitForStoredNames(const QString& databasePath, const std::string& table,
                                 const QStringList& names);

} // namespace dazu::e2e
