#include "FoldedKeys.h"

#include "LetterCase.h"

#include <algorithm>
#include <functional>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace dazu::config {

namespace {

std::uint64_t hashOf(std::string_view folded) {
    return std::hash<std::string_view>{}(folded);
}

std::int64_t dataVersion(SQLite::Database& db) {
    return db.execAndGet("PRAGMA data_version").getInt64();
}

} // namespace

bool FoldedKeys::mayHold(SQLite::Database& db, const std::string& table, const std::string& field,
                         std::string_view folded) {
    const Seen now{dataVersion(db), sqlite3_total_changes64(db.getHandle())};
    if (!seen_ || seen_->dataVersion != now.dataVersion ||
        seen_->totalChanges != now.totalChanges) {
        seen_.reset();
        hashes_.clear();
        SQLite::Statement names(db, "SELECT " + field + " FROM " + table);
        while (names.executeStep()) {
            const auto* text = static_cast<const char*>(names.getColumn(0).getBlob());
            const auto size = static_cast<std::size_t>(names.getColumn(0).getBytes());
            hashes_.push_back(hashOf(FoldedName(std::string_view(text ? text : "", size))));
        }
        std::sort(hashes_.begin(), hashes_.end());
        seen_ = now;
    }
    return std::binary_search(hashes_.begin(), hashes_.end(), hashOf(folded));
}

void FoldedKeys::stored(SQLite::Database& db, std::string_view name) {
    if (!seen_)
        return;
    // Only this one record may have changed since the last look; anything more is read again.
    const std::int64_t totalChanges = sqlite3_total_changes64(db.getHandle());
    if (totalChanges != seen_->totalChanges + 1) {
        seen_.reset();
        return;
    }
    seen_->totalChanges = totalChanges;
    const std::uint64_t hash = hashOf(FoldedName(name));
    hashes_.insert(std::upper_bound(hashes_.begin(), hashes_.end(), hash), hash);
}

} // namespace dazu::config
