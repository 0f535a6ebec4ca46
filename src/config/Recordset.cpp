#include "Recordset.h"

#include "Error.h"
#include "LetterCase.h"
#include "Schema.h"

#include <algorithm>
#include <sqlite3.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <utility>

namespace dazu::config {

namespace {

// Pages grow from small, so that a single step after a seek or a delete stays cheap, to
// large, so that reading a whole list of many names takes few statements.
constexpr std::size_t kFirstPage = 64;
constexpr std::size_t kLargestPage = 4096;

// Every statement is run to its end or reset on the way out, so no read lock outlives a call.
class StatementRun {
public:
    explicit StatementRun(SQLite::Statement& s)
        : s_(s) {}
    ~StatementRun() {
        s_.tryReset();
        try {
            s_.clearBindings();
        } catch (...) {
            // clearing bindings cannot fail on a prepared statement; nothing to report
        }
    }
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

private:
    SQLite::Statement& s_;
};

[[noreturn]] void noCurrentRecord() {
    throw Error("No hay registro actual");
}

} // namespace

Variant Field::Value() const {
    if (rs_.mode_ != Recordset::EditMode::None && rs_.pending_[column_])
        return *rs_.pending_[column_];
    if (rs_.mode_ == Recordset::EditMode::AddNew)
        return {};
    return rs_.current().values[column_];
}

void Field::SetValue(const Variant& value) {
    if (rs_.mode_ == Recordset::EditMode::None)
        throw Error("No se puede asignar el campo " +
                    std::string(rs_.table_->fields[column_].name) + " sin AddNew o Edit");
    if (!rs_.pending_[column_])
        rs_.setOrder_.push_back(column_);
    rs_.pending_[column_] = value;
}

Recordset::Recordset(std::shared_ptr<SQLite::Database> connection, const TableSpec& table,
                     RecordsetType type)
    : db_(std::move(connection))
    , table_(&table)
    , type_(type) {}

Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::~Recordset() = default;

SQLite::Statement& Recordset::prepared(const std::string& sql) const {
    auto& slot = statements_[sql];
    if (!slot)
        slot = std::make_unique<SQLite::Statement>(*db_, sql);
    return *slot;
}

std::string Recordset::selectList() const {
    std::string list = "rowid";
    for (const FieldSpec& f : table_->fields)
        list += ", " + SqlName(f.name);
    return list;
}

std::string Recordset::orderKey() const {
    return indexed_ ? SqlName(table_->fields.front().name) + " COLLATE NOCASE" : "rowid";
}

std::size_t Recordset::columnOf(std::string_view name) const {
    const FieldSpec* field = FindField(*table_, name);
    if (!field)
        throw Error("No existe el campo " + std::string(name) + " en la tabla " +
                    std::string(table_->name));
    return static_cast<std::size_t>(field - table_->fields.data());
}

const Recordset::Row& Recordset::current() const {
    if (!hasCurrent_)
        noCurrentRecord();
    return page_[pos_];
}

Recordset::Row Recordset::readRow(SQLite::Statement& query) const {
    Row row;
    row.rowid = query.getColumn(0).getInt64();
    row.values.reserve(table_->fields.size());
    for (std::size_t i = 0; i < table_->fields.size(); ++i) {
        const SQLite::Column column = query.getColumn(static_cast<int>(i + 1));
        if (column.isNull()) {
            row.values.emplace_back();
            continue;
        }
        const FieldSpec& field = table_->fields[i];
        // Only a file written by another program can hold a text where a number belongs.
        if (field.kind != Kind::Text && !column.isInteger())
            throw Error("El campo " + std::string(field.name) + " de la tabla " +
                        std::string(table_->name) + " contiene \"" + column.getString() +
                        "\", que no es un número entero");
        switch (field.kind) {
        case Kind::YesNo:
            row.values.emplace_back(column.getInt64() != 0);
            break;
        case Kind::Whole:
            row.values.emplace_back(column.getInt64());
            break;
        case Kind::Text:
            row.values.emplace_back(column.getString());
            break;
        }
    }
    return row;
}

void Recordset::bindField(SQLite::Statement& statement, int index, std::size_t column,
                          const Variant& value) const {
    const Kind kind = table_->fields[column].kind;
    value.visit([&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, Variant::Null>) {
            statement.bind(index);
        } else if constexpr (std::is_same_v<T, std::string>) {
            // Texts go to the engine as they are; it turns them into numbers or refuses them.
            statement.bind(index, v);
        } else if (kind == Kind::Text) {
            statement.bind(index, value.toText());
        } else if (kind == Kind::YesNo) {
            // Yes/No stores No for 0 and Yes for any other number.
            statement.bind(index, value.toInt() != 0 ? 1 : 0);
        } else {
            statement.bind(index, value.toInt());
        }
    });
}

void Recordset::fetchPage(const Row* after) {
    pageSize_ = after ? std::min(pageSize_ * 2, kLargestPage) : kFirstPage;
    std::string sql = "SELECT " + selectList() + " FROM " + SqlName(table_->name);
    if (after)
        sql += indexed_ ? " WHERE " + SqlName(table_->fields.front().name) + " > ? COLLATE NOCASE"
                        : std::string(" WHERE rowid > ?");
    sql += " ORDER BY " + orderKey() + " LIMIT ?";

    SQLite::Statement& query = prepared(sql);
    StatementRun run(query);
    int next = 1;
    if (after) {
        if (indexed_)
            query.bind(next++, after->values.front().toText());
        else
            query.bind(next++, after->rowid);
    }
    query.bind(next, static_cast<std::int64_t>(pageSize_));

    std::vector<Row> rows;
    rows.reserve(pageSize_);
    while (query.executeStep())
        rows.push_back(readRow(query));
    pageIsLast_ = rows.size() < pageSize_;
    page_ = std::move(rows);
    pos_ = 0;
    eof_ = page_.empty();
    hasCurrent_ = !eof_;
}

void Recordset::ForEachText(std::string_view field,
                            const std::function<void(std::string_view)>& visit) {
    const std::size_t column = columnOf(field);
    SQLite::Statement& query =
        prepared("SELECT " + SqlName(table_->fields[column].name) + " FROM " +
                 SqlName(table_->name) + " ORDER BY " + orderKey());
    StatementRun run(query);
    while (query.executeStep()) {
        const SQLite::Column value = query.getColumn(0);
        if (value.isNull())
            ThrowNullUse(); // as everywhere a Null is read as text
        const char* text = value.getText();
        visit(std::string_view(text, static_cast<std::size_t>(value.getBytes())));
    }
}

std::int64_t Recordset::RecordCount() const {
    SQLite::Statement& count = prepared("SELECT count(*) FROM " + SqlName(table_->name));
    StatementRun run(count);
    count.executeStep();
    return count.getColumn(0).getInt64();
}

void Recordset::MoveFirst() {
    mode_ = EditMode::None;
    noMatch_ = false;
    fetchPage(nullptr);
}

void Recordset::MoveNext() {
    mode_ = EditMode::None;
    if (eof_ || page_.empty())
        noCurrentRecord();
    if (pos_ + 1 < page_.size()) {
        ++pos_;
        hasCurrent_ = true;
    } else if (pageIsLast_) {
        page_.clear();
        eof_ = true;
        hasCurrent_ = false;
    } else {
        const Row last = page_.back();
        fetchPage(&last);
    }
}

Field Recordset::Fields(std::string_view name) {
    return Field(*this, columnOf(name));
}

void Recordset::AddNew() {
    mode_ = EditMode::AddNew;
    pending_.assign(table_->fields.size(), std::nullopt);
    setOrder_.clear();
}

void Recordset::Edit() {
    current();
    mode_ = EditMode::Edit;
    pending_.assign(table_->fields.size(), std::nullopt);
    setOrder_.clear();
}

void Recordset::Update() {
    if (mode_ == EditMode::None)
        throw Error("Update sin AddNew o Edit en la tabla " + std::string(table_->name));
    // Whatever happens below, the record begun is finished: stored, or discarded.
    const EditMode mode = std::exchange(mode_, EditMode::None);
    Assignments assigned;
    for (const std::size_t column : setOrder_)
        assigned.emplace_back(column, *pending_[column]);
    pending_.clear();
    setOrder_.clear();

    std::string sql;
    if (mode == EditMode::AddNew) {
        std::string names, marks;
        for (const auto& [column, value] : assigned) {
            names += (names.empty() ? "" : ", ") + SqlName(table_->fields[column].name);
            marks += marks.empty() ? "?" : ", ?";
        }
        sql = "INSERT INTO " + SqlName(table_->name) +
              (assigned.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
    } else {
        if (assigned.empty())
            return;
        std::string sets;
        for (const auto& [column, value] : assigned)
            sets += (sets.empty() ? "" : ", ") + SqlName(table_->fields[column].name) + " = ?";
        sql = "UPDATE " + SqlName(table_->name) + " SET " + sets + " WHERE rowid = ?";
    }

    SQLite::Statement& statement = prepared(sql);
    {
        StatementRun run(statement);
        int index = 1;
        for (const auto& [column, value] : assigned)
            bindField(statement, index++, column, value);
        if (mode == EditMode::Edit)
            statement.bind(index, page_[pos_].rowid);
        try {
            statement.exec();
        } catch (const SQLite::Exception& e) {
            // The engine checks the columns in the table's order, not in the order they were set.
            if (mode == EditMode::Edit && assigned.size() > 1 &&
                (e.getErrorCode() & 0xff) == SQLITE_CONSTRAINT)
                throwFirstRefusal(assigned, page_[pos_].rowid);
            throw;
        }
    }
    if (mode == EditMode::AddNew && indexed_)
        for (const auto& [column, value] : assigned)
            if (column == 0)
                folded_.stored(*db_, value.toText());
    if (mode == EditMode::Edit) {
        if (db_->getChanges() != 1)
            throw Error("El registro actual ya no existe en la tabla " + std::string(table_->name));
        // The edited record stays current and shows what the engine stored.
        SQLite::Statement& reread = prepared("SELECT " + selectList() + " FROM " +
                                             SqlName(table_->name) + " WHERE rowid = ?");
        StatementRun run(reread);
        reread.bind(1, page_[pos_].rowid);
        if (!reread.executeStep())
            throw Error("El registro actual ya no existe en la tabla " + std::string(table_->name));
        page_[pos_] = readRow(reread);
    }
}

void Recordset::throwFirstRefusal(const Assignments& assigned, std::int64_t rowid) {
    // Each value alone, in the order set, inside a savepoint that is always rolled back: the
    // first one refused is the one to name, and nothing is stored either way.
    struct Undo {
        SQLite::Database& db;
        ~Undo() {
            db.tryExec("ROLLBACK TO dazu_first_refusal");
            db.tryExec("RELEASE dazu_first_refusal");
        }
    };
    db_->exec("SAVEPOINT dazu_first_refusal");
    Undo undo{*db_};
    for (const auto& [column, value] : assigned) {
        SQLite::Statement& one =
            prepared("UPDATE " + SqlName(table_->name) + " SET " +
                     SqlName(table_->fields[column].name) + " = ? WHERE rowid = ?");
        StatementRun run(one);
        bindField(one, 1, column, value);
        one.bind(2, rowid);
        one.exec();
    }
    throw Error("El motor rechazó la fila de " + std::string(table_->name) +
                " pero ninguno de sus valores por separado");
}

void Recordset::Delete() {
    mode_ = EditMode::None;
    const std::int64_t rowid = current().rowid;
    SQLite::Statement& remove =
        prepared("DELETE FROM " + SqlName(table_->name) + " WHERE rowid = ?");
    {
        StatementRun run(remove);
        remove.bind(1, rowid);
        remove.exec();
    }
    if (db_->getChanges() != 1)
        throw Error("El registro ya fue borrado de la tabla " + std::string(table_->name));
    // The position stays on the deleted record, so MoveNext goes on after it.
    hasCurrent_ = false;
}

void Recordset::Index(std::string_view name) {
    if (type_ != RecordsetType::Table)
        throw Error("La tabla " + std::string(table_->name) +
                    " no está abierta con acceso directo");
    if (table_->indexName.empty() || name != table_->indexName)
        throw Error("No existe el índice " + std::string(name) + " en la tabla " +
                    std::string(table_->name));
    VerifyIndex(*db_, *table_);
    indexed_ = true;
    mode_ = EditMode::None;
    page_.clear();
    eof_ = true;
    hasCurrent_ = false;
}

namespace {
// For a key of ASCII characters other than k and s, the engine's NOCASE, which folds A-Z only,
// gives the same answer as the letter-case rule: no other character folds to such a key's
// letters (only the Kelvin sign folds to k and the long s to s), so the index answers at once.
bool nocaseDecides(const std::string& key) {
    for (const char c : key)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0' || c == 'k' || c == 'K' ||
            c == 's' || c == 'S')
            return false;
    return true;
}
} // namespace

void Recordset::Seek(std::string_view comparison, const Variant& key) {
    if (!indexed_)
        throw Error("La tabla " + std::string(table_->name) + " no tiene un índice actual");
    if (comparison != "=")
        throw Error("Comparación no admitida en Seek: " + std::string(comparison));
    mode_ = EditMode::None;
    const std::string text = key.toText();
    const std::string select =
        "SELECT " + selectList() + " FROM " + SqlName(table_->name) + " WHERE ";
    const std::string field = SqlName(table_->fields.front().name);
    // The record holding the very bytes of the key comes first, so that a name is always found
    // and deleted as stored; then a record equal under the letter-case rule.
    const std::string queries[] = {
        select + field + " = ?1 COLLATE NOCASE AND " + field + " = ?1 LIMIT 1",
        nocaseDecides(text) ? select + field + " = ?1 COLLATE NOCASE LIMIT 1"
                            : select + "dazu_same_name(" + field + ", ?2) LIMIT 1"};
    page_.clear();
    noMatch_ = true;
    for (const std::string& sql : queries) {
        // The rule's scan of the list is left out for a folding that nobody stored.
        if (&sql == &queries[1] && !nocaseDecides(text) &&
            !folded_.mayHold(*db_, SqlName(table_->name), field, FoldedName(text)))
            break;
        SQLite::Statement& seek = prepared(sql);
        StatementRun run(seek);
        seek.bind(1, text);
        if (seek.getBindParameterCount() > 1)
            seek.bind(2, FoldedName(text));
        if (seek.executeStep()) {
            page_.push_back(readRow(seek));
            noMatch_ = false;
            break;
        }
    }
    if (noMatch_) {
        pageIsLast_ = true;
        eof_ = true;
        hasCurrent_ = false;
        return;
    }
    // The found record starts a page of one, so MoveNext goes on in index order from it.
    pos_ = 0;
    pageSize_ = 1;
    pageIsLast_ = false;
    eof_ = false;
    hasCurrent_ = true;
}

} // namespace dazu::config
