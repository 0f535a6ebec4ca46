#pragma once

#include <cstdint>
#include <stdexcept>
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

// Setup's fields in the order the default row writes them.
inline constexpr FieldSpec kSetupFields[] = {
    {"programapc", Kind::Text, false},        {"programatm", Kind::Text, false},
    {"modolectura", Kind::YesNo, false},      {"Puerto", Kind::Whole, false},
    {"baudios", Kind::Whole, false},          {"intervalo", Kind::Whole, false},
    {"correrprogramapc", Kind::YesNo, false}, {"correrprogramatm", Kind::YesNo, false},
    {"enable", Kind::YesNo, false},           {"filehost", Kind::Text, false},
    {"filetoappend", Kind::Text, false},      {"borrar", Kind::YesNo, false},
    {"limpiar", Kind::YesNo, false},          {"borrarhornet", Kind::YesNo, false},
    {"borrarpc", Kind::YesNo, false},         {"unirarchivos", Kind::YesNo, false},
    {"askother", Kind::YesNo, false},         {"pathdest", Kind::Text, true},
    {"pathori", Kind::Text, false},
};

// A field of Setup named in code. Used in a constant expression, a name that is no field of
// Setup does not compile.
constexpr const FieldSpec& SetupField(std::string_view name) {
    for (const FieldSpec& field : kSetupFields)
        if (field.name == name)
            return field;
    throw std::invalid_argument("Setup has no such field");
}

// Marks a file as this program's, so that any other SQLite file is told apart.
inline constexpr std::int32_t kApplicationId = 0x44415A55; // "DAZU"
inline constexpr int kSchemaVersion = 1;

const TableSpec& SetupTable();
// The field of that name, compared exactly or, for names a person types, without regard to
// the letter case of A-Z; nullptr when the table has none.
enum class NameCase { Exact, Ignored };
const FieldSpec* FindField(const TableSpec& table, std::string_view name,
                           NameCase nameCase = NameCase::Exact);
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
// Compares every table, index, trigger and view of the file with the schema this program
// writes: a column without its type or constraint, a list index that lets a name in twice, or
// a trigger or view of another program is refused, naming it.
void VerifySchema(SQLite::Database& db);

} // namespace dazu::config
