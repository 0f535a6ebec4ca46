#pragma once

#include "Recordset.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace SQLite {
class Database;
}

namespace dazu::config {

// How long a record operation waits while another program holds a short lock on the file.
inline constexpr int kBusyTimeoutMs = 5000;

// An open configuration database. Copies share one connection, which closes with the last.
class Database {
public:
    // A dynaset sees the table in stored order; table access also offers Index and Seek.
    Recordset OpenRecordset(std::string_view table, RecordsetType type = RecordsetType::Table);
    // SQLite's own integrity check of the whole file: the problems it found, none when sound.
    std::vector<std::string> IntegrityCheck();
    // Throws Error naming the first table, index, trigger or view that differs from the
    // schema this program writes.
    void VerifySchema();

private:
    friend Database OpenDatabase(const std::string& path);
    friend class Transaction;
    explicit Database(std::shared_ptr<SQLite::Database> connection);
    std::shared_ptr<SQLite::Database> connection_;
};

// Opens an existing database of this program for shared reading and writing. Never creates
// a file: a missing file, or one that is not this program's database, throws Error.
Database OpenDatabase(const std::string& path);

// Writes a new database file holding the schema and empty tables (the shipped template).
void CreateDatabase(const std::string& path);

// The open database with its three tables, as the dialog holds them for its whole life.
struct Configuration {
    Database database;
    Recordset Setup;
    Recordset Files;
    Recordset FPCHH;
};

// The opening sequence: the database, then Setup as a dynaset, Files and FPCHH as tables.
Configuration OpenConfiguration(const std::string& path);

} // namespace dazu::config
