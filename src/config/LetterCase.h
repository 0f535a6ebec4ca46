#pragma once

#include <string>
#include <string_view>

namespace SQLite {
class Database;
}

// The one letter-case rule for file names, in the window and in dazucfg alike: two names are
// the same when they are equal after Unicode's simple case folding of every letter ("año.txt"
// and "AÑO.TXT", "straße" and "STRAẞE"), as the file systems of both sides of a transfer treat
// names. Everything else counts; bytes that are not UTF-8 are compared as they are. A name
// holds no NUL character (AddFileName refuses one).
namespace dazu::config {

std::string FoldedName(std::string_view name);

// Whether the text is well-formed UTF-8, as the rule decodes it.
bool IsUtf8(std::string_view text);

// Makes the rule available to SQL on this connection as dazu_same_name(name, folded), true
// when name folds to the already folded text. Queries only use it: the schema never does, so
// any SQLite tool still reads and writes the file.
void RegisterSameName(SQLite::Database& db);

} // namespace dazu::config
