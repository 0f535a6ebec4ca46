#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace SQLite {
class Database;
} // namespace SQLite

namespace dazu::config {

// The foldings of the names one list table holds, kept so that a name the index cannot decide
// under the letter-case rule costs no scan of the list when nobody stored its folding: an
// addition then costs the same at any list size. It holds every stored folding and perhaps a
// few more (a name deleted since, an addition rolled back), so "absent" is certain and
// "present" is checked against the table itself. It is read again from the table whenever the
// file changed in a way it did not see: by another connection (PRAGMA data_version) or by
// another cursor on this one (the connection's count of changes).
class FoldedKeys {
public:
    // False when no record holds a name in `field` of `table` whose folding is `folded`.
    bool mayHold(SQLite::Database& db, const std::string& table, const std::string& field,
                 std::string_view folded);
    // This cursor has just stored one record holding `name`.
    void stored(SQLite::Database& db, std::string_view name);

private:
    struct Seen {
        std::int64_t dataVersion;
        std::int64_t totalChanges;
    };
    std::optional<Seen> seen_;
    std::vector<std::uint64_t> hashes_; // sorted; equal hashes are checked against the table
};

} // namespace dazu::config
