#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace SQLite {
class Database;
}

namespace dazu::config {

// The value kinds of the settings database.
enum class Kind { Text, YesNo, Whole };

struct FieldSpec {
    std::string_view name;
    Kind kind;
    bool nullable; // only Setup.pathdest may hold no value
};

struct TableSpec {
    std::string_view name;
    std::vector<FieldSpec> fields;
    // The one index the record operations know, "FILE", or empty for none.
    std::string_view indexName;
};

// Marks a file as this program's, so that any other SQLite file is told apart.
inline constexpr std::int32_t kApplicationId = 0x44415A55; // "DAZU"
inline constexpr int kSchemaVersion = 1;

const TableSpec& SetupTable();
const TableSpec& FilesTable();
const TableSpec& FpchhTable();
// nullptr when the database has no table of that name.
const TableSpec* FindTable(std::string_view name);

// An identifier quoted for SQL, whatever characters it holds.
std::string SqlName(std::string_view identifier);

// SQLite index names are global to a file, yet both list tables carry an index "FILE":
// each is stored under the table's name followed by the index name.
std::string StoredIndexName(const TableSpec& table);

// Writes the whole schema into an empty database; used to build the shipped template.
void CreateSchema(SQLite::Database& db);

// Throws Error naming what is wrong when the file is not a database of this program.
void VerifyDatabase(SQLite::Database& db);
void VerifyTable(SQLite::Database& db, const TableSpec& table);
void VerifyIndex(SQLite::Database& db, const TableSpec& table);

} // namespace dazu::config
