#pragma once

#include "FoldedKeys.h"
#include "Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace SQLite {
class Database;
class Statement;
} // namespace SQLite

namespace dazu::config {

struct TableSpec;
class Recordset;

enum class RecordsetType { Dynaset, Table };

// One field of the current record: Fields("FILE").Value().
class Field {
public:
    Variant Value() const;
    // Only between AddNew or Edit and Update; converted to the field's kind on Update.
    void SetValue(const Variant& value);

private:
    friend class Recordset;
    Field(Recordset& rs, std::size_t column)
        : rs_(rs)
        , column_(column) {}
    Recordset& rs_;
    std::size_t column_;
};

// A cursor over one table with the record operations the dialog relies on. It never keeps
// a statement open between calls, so it holds no lock on the file while the user works.
// Every failure throws Error or SQLite::Exception carrying the engine's description.
class Recordset {
public:
    Recordset(std::shared_ptr<SQLite::Database> connection, const TableSpec& table,
              RecordsetType type);
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    std::int64_t RecordCount() const;
    void MoveFirst();
    void MoveNext();
    // True when the position lies past the last record (EOF itself is the C library's macro).
    bool Eof() const { return eof_; }

    Field Fields(std::string_view name);

    void AddNew();
    void Edit();
    // Stores the record begun by AddNew or Edit in one statement: all of it or none. When the
    // engine refuses a value, the error named is that of the first refused field in the order
    // the fields were set.
    void Update();
    void Delete();

    // Hands the text of one field of every record to `visit`, in the table's order, in one
    // statement and without making any record current: a whole list is read at a fraction of
    // the cost of moving through it. `visit` must not change the table.
    void ForEachText(std::string_view field, const std::function<void(std::string_view)>& visit);

    // Chooses the index that orders the table and that Seek uses (table access only).
    void Index(std::string_view name);
    // Comparison "=" with one key: makes current the record holding the very bytes of the key,
    // or else one equal to it under the letter-case rule of LetterCase.h, or sets NoMatch.
    void Seek(std::string_view comparison, const Variant& key);
    bool NoMatch() const { return noMatch_; }

private:
    friend class Field;
    struct Row {
        std::int64_t rowid = 0;
        std::vector<Variant> values;
    };
    enum class EditMode { None, Edit, AddNew };

    std::size_t columnOf(std::string_view name) const;
    const Row& current() const;
    void fetchPage(const Row* after);
    Row readRow(SQLite::Statement& query) const;
    void bindField(SQLite::Statement& statement, int index, std::size_t column,
                   const Variant& value) const;
    using Assignments = std::vector<std::pair<std::size_t, Variant>>;
    [[noreturn]] void throwFirstRefusal(const Assignments& assigned, std::int64_t rowid);
    std::string orderKey() const;
    std::string selectList() const;
    // Statements are prepared once per recordset and reset after every use.
    SQLite::Statement& prepared(const std::string& sql) const;

    std::shared_ptr<SQLite::Database> db_;
    const TableSpec* table_;
    RecordsetType type_;
    bool indexed_ = false;

    // Records of the current page in the table's order, and the position among them.
    std::vector<Row> page_;
    std::size_t pos_ = 0;
    std::size_t pageSize_ = 0;
    bool pageIsLast_ = true;
    bool eof_ = true;
    bool hasCurrent_ = false;
    bool noMatch_ = false;

    EditMode mode_ = EditMode::None;
    std::vector<std::optional<Variant>> pending_;
    std::vector<std::size_t> setOrder_; // the columns of pending_ in the order they were set

    FoldedKeys folded_; // of a list table, for the names its index cannot decide

    mutable std::unordered_map<std::string, std::unique_ptr<SQLite::Statement>> statements_;
};

} // namespace dazu::config
