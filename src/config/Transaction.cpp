#include "Transaction.h"

#include "Database.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>

namespace dazu::config {

Transaction::Transaction(Database& database)
    : connection_(database.connection_)
    , transaction_(std::make_unique<SQLite::Transaction>(*connection_,
                                                         SQLite::TransactionBehavior::IMMEDIATE)) {}

// SQLite::Transaction rolls back in its destructor and swallows a failure to do so.
Transaction::~Transaction() = default;

void Transaction::Commit() {
    transaction_->commit();
}

} // namespace dazu::config
