#include "Database.h"

#include "BusyTimeout.h"
#include "Error.h"
#include "LetterCase.h"
#include "Schema.h"

#include <atomic>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace dazu::config {

namespace {
std::atomic<int> busyTimeoutMs{kBusyTimeoutMs};
}

void SetBusyTimeoutMs(int milliseconds) {
    busyTimeoutMs = milliseconds;
}

Database::Database(std::shared_ptr<SQLite::Database> connection)
    : connection_(std::move(connection)) {}

std::vector<std::string> Database::IntegrityCheck() {
    SQLite::Statement check(*connection_, "PRAGMA integrity_check");
    std::vector<std::string> problems;
    while (check.executeStep()) {
        std::string line = check.getColumn(0).getString();
        if (line != "ok")
            problems.push_back(std::move(line));
    }
    return problems;
}

void Database::VerifySchema() {
    for (const char* list : {"Files", "FPCHH"})
        VerifyIndex(*connection_, *FindTable(list));
    config::VerifySchema(*connection_);
}

Recordset Database::OpenRecordset(std::string_view table, RecordsetType type) {
    const TableSpec* definition = FindTable(table);
    if (!definition)
        throw Error("No existe la tabla " + std::string(table) + " en la base de datos");
    VerifyTable(*connection_, *definition);
    return Recordset(connection_, *definition, type);
}

Database OpenDatabase(const std::string& path) {
    std::shared_ptr<SQLite::Database> connection;
    try {
        // Read and write, never create: a missing file is a failure, not a new database.
        // One thread uses a connection, so the engine need not lock it for every column read.
        connection = std::make_shared<SQLite::Database>(
            path, SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX, busyTimeoutMs.load());
    } catch (const std::exception& e) {
        throw Error(std::string(e.what()) + ": " + path);
    }
    // A damaged or hostile file must not run code from its schema.
    connection->exec("PRAGMA trusted_schema = OFF");
    RegisterSameName(*connection);
    VerifyDatabase(*connection);
    // A stored change must survive a power cut, not only a killed program. The file keeps the
    // rollback journal it is made with: a log (WAL) needs shared memory, which a network
    // folder or a second machine cannot share, and leaves -wal and -shm files that hold stored
    // changes, lost when the folder or the stick is copied without them. In that mode FULL
    // syncs the file but not the deletion of the journal, which a power cut can undo,
    // bringing the journal back to roll the change out; EXTRA syncs the folder too. Set once
    // the file is known to be this program's: the setting reads the schema.
    connection->exec("PRAGMA synchronous = EXTRA");
    return Database(std::move(connection));
}

void CreateDatabase(const std::string& path) {
    SQLite::Database db(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    CreateSchema(db);
}

Configuration OpenConfiguration(const std::string& path) {
    Database database = OpenDatabase(path);
    Recordset setup = database.OpenRecordset("Setup", RecordsetType::Dynaset);
    Recordset files = database.OpenRecordset("Files");
    Recordset fpchh = database.OpenRecordset("FPCHH");
    // Only a file this program made is changed: no trigger of another program runs on a
    // change, and the list indexes keep every name once, which reading a list relies on.
    database.VerifySchema();
    return {std::move(database), std::move(setup), std::move(files), std::move(fpchh)};
}

} // namespace dazu::config
