#pragma once

#include <memory>

namespace SQLite {
class Database;
class Transaction;
} // namespace SQLite

namespace dazu::config {

class Database;

// Makes the record operations on one database, and on the recordsets opened from it, count
// as one change: stored together by Commit, or all undone when the transaction ends without
// it. It begins by taking the write lock, waiting for other programs as any write does, so
// that no operation inside fails for want of the lock halfway through.
class Transaction {
public:
    explicit Transaction(Database& database);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    // Rolls back when not committed; never throws.
    ~Transaction();

    void Commit();

private:
    std::shared_ptr<SQLite::Database> connection_;
    std::unique_ptr<SQLite::Transaction> transaction_;
};

} // namespace dazu::config
