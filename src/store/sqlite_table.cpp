#include "store/sqlite_table.h"

#include "store/sqlite_db.h"
#include "support/gbk.h"
#include "support/text_rules.h"
#include "support/utf8.h"

#include <limits>
#include <sqlite3.h>
#include <type_traits>
#include <utility>

namespace store {
namespace {

// Table names are kept to 1023 bytes, cut at a character boundary.
constexpr std::size_t kMaxTableNameBytes = 1023;

std::string truncatedName(std::string_view name) {
    std::size_t end = 0;
    while (end < name.size()) {
        const auto decoded = support::decodeUtf8(name, end);
        const std::size_t length = decoded ? decoded->length : 1;
        if (end + length > kMaxTableNameBytes) break;
        end += length;
    }
    return std::string(name.substr(0, end));
}

// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement_,
                               nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement_);
            statement_ = nullptr;
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(statement_); }

    bool prepared() const { return statement_ != nullptr; }
    sqlite3_stmt* get() const { return statement_; }
    int step() { return statement_ ? sqlite3_step(statement_) : SQLITE_MISUSE; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// A stored text as the program sees it: empty unless the code page of the data can hold it.
std::string storedText(const unsigned char* text, int bytes) {
    if (!text) return {};
    std::string_view value(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes));
    return support::isGbkText(value) ? std::string(value) : std::string();
}

void bindSlot(sqlite3_stmt* statement, int parameter, const auto& value) {
    using T = std::decay_t<decltype(value)>;
    if constexpr (std::is_same_v<T, std::int32_t>) {
        sqlite3_bind_int(statement, parameter, value);
    } else if constexpr (std::is_same_v<T, std::int64_t>) {
        sqlite3_bind_int64(statement, parameter, value);
    } else if constexpr (std::is_same_v<T, double>) {
        sqlite3_bind_double(statement, parameter, value);
    } else if constexpr (std::is_same_v<T, std::string>) {
        // A text the code page cannot hold is left unbound: the column receives NULL.
        if (support::isGbkText(value))
            sqlite3_bind_text(statement, parameter, value.data(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT);
    } else if constexpr (std::is_same_v<T, Bytes>) {
        sqlite3_bind_blob(statement, parameter, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT);
    }
}

void dropLastComma(std::string& statement) {
    if (!statement.empty() && statement.back() == ',') statement.pop_back();
}

} // namespace

bool SqliteTable::Open(std::string_view tableName, const SqliteDB& database) {
    if (tableName.empty() || !database.IsOpen()) return false;
    Close();
    tableName_ = truncatedName(tableName);
    connection_ = database.connection_;
    state_ = State::Browsing;
    if (!support::isGbkText(tableName_) || !load(database.connection_.get())) {
        Close();
        return false;
    }
    pending_.assign(columnNames_.size(), Slot{});
    return true;
}

bool SqliteTable::Close() {
    position_ = 0;
    tableName_.clear();
    columnNames_.clear();
    rowIds_.clear();
    state_ = State::Closed;
    connection_.reset();
    pending_.clear();
    return true;
}

bool SqliteTable::IsOpen() const {
    return state_ != State::Closed && !connection_.expired();
}

SqliteTable::State SqliteTable::CurrentState() const {
    return IsOpen() ? state_ : State::Closed;
}

bool SqliteTable::First() {
    return GoTo(1);
}

bool SqliteTable::Skip(int count) {
    if (count == 0) return false;
    const long long target = static_cast<long long>(Position()) + count;
    if (target > std::numeric_limits<int>::max()) return GoTo(std::numeric_limits<int>::max());
    if (target < std::numeric_limits<int>::min()) return GoTo(std::numeric_limits<int>::min());
    return GoTo(static_cast<int>(target));
}

bool SqliteTable::GoTo(int recordNumber) {
    if (!liveConnection()) return false;
    if (recordNumber <= 0) {
        position_ = 0;
        return false;
    }
    if (recordNumber > RecordCount()) {
        position_ = RecordCount() + 1;
        return false;
    }
    position_ = recordNumber;
    return true;
}

int SqliteTable::Position() const {
    return IsOpen() ? position_ : 0;
}

int SqliteTable::RecordCount() const {
    return IsOpen() ? static_cast<int>(rowIds_.size()) : 0;
}

bool SqliteTable::BeginAdd() {
    if (!liveConnection()) return false;
    pending_.assign(columnNames_.size(), Slot{});
    state_ = State::Adding;
    return true;
}

bool SqliteTable::BeginEdit() {
    if (!liveConnection() || !onRecord()) return false;
    pending_.assign(columnNames_.size(), Slot{});
    state_ = State::Editing;
    return true;
}

bool SqliteTable::Write(const Field& field, std::string_view text) {
    if (text.empty()) {
        writeSlot(field, Slot{});
        return false;
    }
    return writeSlot(field, std::string(text));
}

bool SqliteTable::Write(const Field& field, const Bytes& bytes) {
    if (bytes.empty()) {
        writeSlot(field, Slot{});
        return false;
    }
    return writeSlot(field, bytes);
}

bool SqliteTable::Commit() {
    const auto db = liveConnection();
    if (!db || (state_ != State::Adding && state_ != State::Editing) || columnNames_.empty())
        return false;

    std::vector<std::size_t> collected;
    for (std::size_t column = 0; column < pending_.size(); ++column)
        if (!std::holds_alternative<std::monostate>(pending_[column])) collected.push_back(column);
    if (collected.empty()) return false;

    std::string statement;
    if (state_ == State::Editing) {
        // The record current now; BeginEdit may have been followed by a move.
        if (!onRecord()) return false;
        statement = "UPDATE " + tableName_ + " SET ";
        for (const std::size_t column : collected)
            statement += columnNames_[column] + "=?,";
        dropLastComma(statement);
        statement += " WHERE _ROWID_=" + std::to_string(rowIds_[position_ - 1]);
    } else {
        statement = "INSERT INTO " + tableName_ + " (";
        for (const std::size_t column : collected)
            statement += columnNames_[column] + ",";
        dropLastComma(statement);
        statement += ") VALUES (";
        for (std::size_t i = 0; i < collected.size(); ++i)
            statement += "?,";
        dropLastComma(statement);
        statement += ")";
    }

    Statement prepared(db.get(), statement);
    if (!prepared.prepared()) return false;
    int parameter = 1;
    for (const std::size_t column : collected) {
        std::visit([&](const auto& value) { bindSlot(prepared.get(), parameter, value); },
                   pending_[column]);
        ++parameter;
    }
    if (prepared.step() != SQLITE_DONE) return false;
    state_ = State::Browsing;
    load(db.get());
    return true;
}

bool SqliteTable::Delete() {
    const auto db = liveConnection();
    if (!db || !onRecord()) return false;
    const std::string statement =
        "DELETE FROM " + tableName_ + " WHERE _ROWID_ = " + std::to_string(rowIds_[position_ - 1]);
    const bool deleted =
        sqlite3_exec(db.get(), statement.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    load(db.get());
    position_ = 0;
    return deleted;
}

std::string SqliteTable::ReadText(const Field& field, bool* success) {
    std::string text;
    const bool read = readField(field, [&](sqlite3_stmt* statement) {
        text = storedText(sqlite3_column_text(statement, 0), sqlite3_column_bytes(statement, 0));
    });
    if (success) *success = read;
    return text;
}

int SqliteTable::ReadInt(const Field& field, bool* success) {
    int value = 0;
    const bool read = readField(
        field, [&](sqlite3_stmt* statement) { value = sqlite3_column_int(statement, 0); });
    if (success) *success = read;
    return value;
}

bool SqliteTable::FindFirst(Where where) {
    if (!liveConnection()) return false;
    const int count = RecordCount();
    for (int record = 1; record <= count; ++record) {
        GoTo(record);
        if (matches(where)) return true;
    }
    position_ = count + 1;
    return false;
}

void SqliteTable::ForEachWhere(Where where, const std::function<void()>& visit) {
    if (!liveConnection()) return;
    const int count = RecordCount();
    for (int record = 1; record <= count; ++record) {
        if (!GoTo(record)) return;
        if (matches(where)) visit();
    }
}

bool SqliteTable::DeleteWhere(Where where) {
    if (!liveConnection()) return false;
    bool allDeleted = true;
    // Deleting while scanning: after a deletion the same number is the record that followed.
    // A record that refuses to go is stepped over rather than tried again forever.
    for (int record = 1; GoTo(record);) {
        if (!matches(where)) {
            ++record;
        } else if (!Delete()) {
            allDeleted = false;
            ++record;
        }
    }
    position_ = 0;
    return allDeleted;
}

std::shared_ptr<sqlite3> SqliteTable::liveConnection() {
    if (state_ == State::Closed) return nullptr;
    auto db = connection_.lock();
    if (!db) Close(); // the database object was closed under this cursor
    return db;
}

int SqliteTable::columnIndex(const Field& field) const {
    const int count = static_cast<int>(columnNames_.size());
    if (field.byNumber_)
        return field.number_ >= 1 && field.number_ <= count ? field.number_ - 1 : -1;
    if (field.name_.empty()) return -1;
    for (int column = 0; column < count; ++column)
        if (support::equalsIgnoringAsciiCase(columnNames_[column], field.name_)) return column;
    return -1;
}

bool SqliteTable::onRecord() const {
    return position_ >= 1 && position_ <= RecordCount();
}

bool SqliteTable::load(sqlite3* db) {
    {
        Statement discovery(db, "SELECT * FROM " + tableName_ + " LIMIT 0");
        const int result = discovery.step();
        if (result == SQLITE_ROW || result == SQLITE_DONE) {
            const int count = sqlite3_column_count(discovery.get());
            columnNames_.clear();
            for (int column = 0; column < count; ++column) {
                const char* name = sqlite3_column_name(discovery.get(), column);
                columnNames_.push_back(name && support::isGbkText(name) ? name : "");
            }
        }
    }
    Statement rows(db, "SELECT _ROWID_ FROM " + tableName_ + " ORDER BY _ROWID_ ");
    if (!rows.prepared()) return false;
    std::vector<std::int64_t> rowIds;
    int result = SQLITE_ROW;
    while ((result = rows.step()) == SQLITE_ROW)
        rowIds.push_back(sqlite3_column_int64(rows.get(), 0));
    if (result != SQLITE_DONE) return false;
    rowIds_ = std::move(rowIds);
    if (pending_.size() != columnNames_.size()) pending_.assign(columnNames_.size(), Slot{});
    return true;
}

bool SqliteTable::writeSlot(const Field& field, Slot value) {
    if (!liveConnection()) return false;
    const int column = columnIndex(field);
    if (column < 0) return false;
    pending_[column] = std::move(value);
    return true;
}

bool SqliteTable::matches(Where where) {
    for (const FieldEquals& condition : where) {
        if (const auto* text = std::get_if<std::string>(&condition.value)) {
            if (ReadText(condition.field) != *text) return false;
        } else if (ReadInt(condition.field) != std::get<int>(condition.value)) {
            return false;
        }
    }
    return true;
}

template <typename Read> bool SqliteTable::readField(const Field& field, Read&& read) {
    const auto db = liveConnection();
    const int column = columnIndex(field);
    if (!db || column < 0 || !onRecord()) return false;
    Statement statement(db.get(), "SELECT " + columnNames_[column] + " FROM " + tableName_ +
                                      " WHERE _ROWID_ = " + std::to_string(rowIds_[position_ - 1]) +
                                      " ");
    if (statement.step() != SQLITE_ROW) return false;
    read(statement.get());
    return true;
}

} // namespace store
