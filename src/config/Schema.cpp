#include "Schema.h"

#include "Error.h"

#include <algorithm>
#include <iterator>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <tuple>

namespace dazu::config {

namespace {

const TableSpec kSetup{"Setup", {std::begin(kSetupFields), std::end(kSetupFields)}, {}};
const TableSpec kFiles{"Files", {{"FILE", Kind::Text, false}}, "FILE"};
const TableSpec kFpchh{"FPCHH", {{"FILE", Kind::Text, false}}, "FILE"};

// STRICT tables make the engine itself refuse a text that denotes no number, and the CHECKs
// keep Yes/No to 0/1 and whole numbers to 32 bits. The constraint names are what the
// engine's message quotes when it refuses a value.
std::string columnDefinition(const FieldSpec& f) {
    const std::string name = SqlName(f.name);
    std::string def = name;
    switch (f.kind) {
    case Kind::Text:
        def += " TEXT";
        break;
    case Kind::YesNo:
        def += " INTEGER CONSTRAINT " + SqlName(std::string(f.name) + ": Sí/No") + " CHECK (" +
               name + " IN (0, 1))";
        break;
    case Kind::Whole:
        def += " INTEGER CONSTRAINT " + SqlName(std::string(f.name) + ": entero de 32 bits") +
               " CHECK (" + name + " BETWEEN -2147483648 AND 2147483647)";
        break;
    }
    if (!f.nullable)
        def += " NOT NULL";
    return def;
}

std::string createTable(const TableSpec& t) {
    std::string sql = "CREATE TABLE " + SqlName(t.name) + " (";
    for (std::size_t i = 0; i < t.fields.size(); ++i)
        sql += (i ? ", " : "") + columnDefinition(t.fields[i]);
    return sql + ") STRICT";
}

// The index is unique under NOCASE, the part of the letter-case rule (LetterCase.h) that the
// engine knows by itself, so that any SQLite tool keeps a name from being stored twice in A-Z
// letter case; the rest of the rule is the program's own, applied before every addition.
std::string createIndex(const TableSpec& t) {
    return "CREATE UNIQUE INDEX " + SqlName(StoredIndexName(t)) + " ON " + SqlName(t.name) + " (" +
           SqlName(t.fields.front().name) + " COLLATE NOCASE)";
}

} // namespace

std::string SqlName(std::string_view identifier) {
    std::string out = "\"";
    for (char c : identifier)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

const TableSpec& SetupTable() {
    return kSetup;
}

namespace {
char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool sameName(std::string_view a, std::string_view b, NameCase nameCase) {
    if (nameCase == NameCase::Exact)
        return a == b;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}
} // namespace

const FieldSpec* FindField(const TableSpec& table, std::string_view name, NameCase nameCase) {
    for (const FieldSpec& field : table.fields)
        if (sameName(field.name, name, nameCase))
            return &field;
    return nullptr;
}

const TableSpec* FindTable(std::string_view name) {
    for (const TableSpec* t : {&kSetup, &kFiles, &kFpchh})
        if (t->name == name)
            return t;
    return nullptr;
}

std::string StoredIndexName(const TableSpec& table) {
    return std::string(table.name) + "_" + std::string(table.indexName);
}

void CreateSchema(SQLite::Database& db) {
    SQLite::Transaction transaction(db);
    for (const TableSpec* t : {&kSetup, &kFiles, &kFpchh}) {
        db.exec(createTable(*t));
        if (!t->indexName.empty())
            db.exec(createIndex(*t));
    }
    db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
    db.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.commit();
}

void VerifyDatabase(SQLite::Database& db) {
    // The first read of the header: a file that is not SQLite fails here with the
    // engine's own description ("file is not a database").
    const auto applicationId = db.execAndGet("PRAGMA application_id").getInt64();
    if (applicationId != kApplicationId)
        throw Error("El archivo " + db.getFilename() +
                    " no es una base de datos de configuración de DAZU");
    const auto version = db.execAndGet("PRAGMA user_version").getInt64();
    if (version != kSchemaVersion)
        throw Error("La base de datos " + db.getFilename() + " tiene la versión de esquema " +
                    std::to_string(version) + "; esta versión de DAZU usa la " +
                    std::to_string(kSchemaVersion));
}

void VerifyTable(SQLite::Database& db, const TableSpec& table) {
    SQLite::Statement columns(db, "SELECT name FROM pragma_table_info(?)");
    columns.bind(1, std::string(table.name));
    std::vector<std::string> present;
    while (columns.executeStep())
        present.push_back(columns.getColumn(0).getString());
    if (present.empty())
        throw Error("Falta la tabla " + std::string(table.name) + " en la base de datos");
    for (const FieldSpec& f : table.fields)
        if (std::find(present.begin(), present.end(), f.name) == present.end())
            throw Error("Falta el campo " + std::string(f.name) + " en la tabla " +
                        std::string(table.name));
}

namespace {
struct SchemaEntry {
    std::string type, name, table, sql;
    bool operator<(const SchemaEntry& o) const {
        return std::tie(type, name) < std::tie(o.type, o.name);
    }
};
std::vector<SchemaEntry> schemaOf(SQLite::Database& db) {
    SQLite::Statement rows(db, "SELECT type, name, tbl_name, ifnull(sql, '') FROM sqlite_schema "
                               "WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type, name");
    std::vector<SchemaEntry> entries;
    while (rows.executeStep())
        entries.push_back({rows.getColumn(0).getString(), rows.getColumn(1).getString(),
                           rows.getColumn(2).getString(), rows.getColumn(3).getString()});
    return entries;
}
std::string described(const SchemaEntry& entry) {
    if (entry.type == "trigger")
        return "el disparador " + entry.name;
    if (entry.type == "view")
        return "la vista " + entry.name;
    if (entry.type == "index")
        return "el índice " + entry.name + " de la tabla " + entry.table;
    return "la tabla " + entry.name;
}
} // namespace

void VerifySchema(SQLite::Database& db) {
    SQLite::Database own(":memory:", SQLite::OPEN_READWRITE);
    CreateSchema(own);
    const std::vector<SchemaEntry> expected = schemaOf(own);
    const std::vector<SchemaEntry> present = schemaOf(db);
    for (const SchemaEntry& entry : present) {
        const auto match = std::lower_bound(expected.begin(), expected.end(), entry);
        if (match == expected.end() || match->type != entry.type || match->name != entry.name)
            throw Error("La base de datos tiene " + described(entry) + ", que DAZU no usa");
        if (match->table != entry.table || match->sql != entry.sql)
            throw Error("La base de datos tiene " + described(entry) +
                        " con otra definición que la de DAZU: " + entry.sql);
    }
    for (const SchemaEntry& entry : expected)
        if (!std::binary_search(present.begin(), present.end(), entry))
            throw Error("A la base de datos le falta " + described(entry));
}

void VerifyIndex(SQLite::Database& db, const TableSpec& table) {
    SQLite::Statement index(db, "SELECT 1 FROM pragma_index_list(?) WHERE name = ?");
    index.bind(1, std::string(table.name));
    index.bind(2, StoredIndexName(table));
    if (!index.executeStep())
        throw Error("Falta el índice " + std::string(table.indexName) + " en la tabla " +
                    std::string(table.name));
}

} // namespace dazu::config
