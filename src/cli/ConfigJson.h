#pragma once

#include "Database.h"

#include <nlohmann/json.hpp>
#include <string>

namespace dazu::cli {

// The whole configuration as one document, in the database's own names and kinds:
// {"Setup": {"programapc": "...", "modolectura": true, "Puerto": 1, ..., "pathdest": null},
//  "Files": ["..."], "FPCHH": ["..."]}. Keys keep their order, so the document reads like
// the table.
using Document = nlohmann::ordered_json;

struct Snapshot;

Document ToDocument(const Snapshot& snapshot);

// Writes what the document holds: each Setup field it names, and each list it carries in
// place of the stored one. Stops at the first bad entry, naming its place in the document
// ("/Setup/Puerto", "/Files/2"); the caller's transaction undoes what went before.
void ImportDocument(const Document& document, config::Configuration& tables);

// Parses the text of a document; a syntax error names the line and column in `source`.
Document ParseDocument(const std::string& text, const std::string& source);

} // namespace dazu::cli
