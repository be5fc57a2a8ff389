#include "store/sqlite_table.h"

#include "store/server_cursor.h"
#include "store/sqlite_db.h"
#include "support/gbk.h"
#include "support/text_rules.h"
#include "support/utf8.h"

#include <algorithm>
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

// A stored text as the program sees it: empty unless the code page of the data can hold it.
// A stored text as it reads: empty when GBK cannot hold it.
void storeText(const unsigned char* text, int bytes, std::string& into) {
    if (!text) return;
    std::string_view value(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes));
    if (support::isGbkText(value)) into.assign(value);
}

// The affinity the engine gives a column declared with this type.
std::string affinityOf(const char* declared) {
    std::string type = declared ? declared : "";
    for (char& c : type)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const auto has = [&](const char* part) { return type.find(part) != std::string::npos; };
    if (has("INT")) return "INTEGER";
    if (has("CHAR") || has("CLOB") || has("TEXT")) return "TEXT";
    if (type.empty() || has("BLOB")) return "BLOB";
    if (has("REAL") || has("FLOA") || has("DOUB")) return "REAL";
    return "NUMERIC";
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

SqliteTable::~SqliteTable() {
    Close();
}

bool SqliteTable::Open(std::string_view tableName, const SqliteDB& database) {
    if (tableName.empty() || !database.IsOpen()) return false;
    Close();
    tableName_ = truncatedName(tableName);
    if (database.server_) {
        server_ = std::make_shared<ServerCursor>();
        if (!support::isGbkText(tableName_) ||
            !server_->open(database.server_, tableName_, columnNames_, columnAffinities_)) {
            Close();
            return false;
        }
        state_ = State::Browsing;
        pending_.assign(columnNames_.size(), Slot{});
        return true;
    }
    Connection& connection = *database.connection_;
    Statement discovery;
    if (!support::isGbkText(tableName_) ||
        !discovery.prepare(connection, "SELECT * FROM " + tableName_ + " LIMIT 0") ||
        !readRecord_.prepare(connection,
                             "SELECT _ROWID_, * FROM " + tableName_ + " WHERE _ROWID_ = ?")) {
        Close();
        return false;
    }
    const int count = sqlite3_column_count(discovery.get());
    for (int column = 0; column < count; ++column) {
        const char* name = sqlite3_column_name(discovery.get(), column);
        columnNames_.push_back(name && support::isGbkText(name) ? name : "");
        columnAffinities_.push_back(affinityOf(sqlite3_column_decltype(discovery.get(), column)));
    }
    connection_ = database.connection_;
    database.connection_->listen(this);
    snapshot_.take(tableName_);
    place_ = {};
    state_ = State::Browsing;
    pending_.assign(columnNames_.size(), Slot{});
    return true;
}

bool SqliteTable::Close() {
    if (const auto connection = connection_.lock()) connection->forget(this);
    readRecord_.finalize();
    server_.reset();
    place_ = {};
    tableName_.clear();
    columnNames_.clear();
    columnAffinities_.clear();
    snapshot_.clear();
    state_ = State::Closed;
    connection_.reset();
    pending_.clear();
    return true;
}

bool SqliteTable::IsOpen() const {
    if (server_) return state_ != State::Closed && server_->session() != nullptr;
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
    if (!alive()) return false;
    if (server_) {
        server_->goTo(recordNumber);
        return server_->onRecord();
    }
    placeAt(recordNumber);
    return onRecord();
}

int SqliteTable::Position() const {
    if (!IsOpen()) return 0;
    if (server_) return server_->position();
    return place_.position([this] { return snapshot(); });
}

int SqliteTable::RecordCount() const {
    if (!IsOpen()) return 0;
    if (server_) return server_->recordCount();
    const auto* ids = snapshot();
    return ids ? static_cast<int>(ids->size()) : 0;
}

bool SqliteTable::BeginAdd() {
    if (!alive()) return false;
    pending_.assign(columnNames_.size(), Slot{});
    state_ = State::Adding;
    return true;
}

bool SqliteTable::BeginEdit() {
    if (!alive() || !onRecord()) return false;
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

bool writeTextOrNothing(SqliteTable& table, const Field& field, const std::string& text) {
    return text.empty() || table.Write(field, text);
}

bool SqliteTable::Write(const Field& field, const Bytes& bytes) {
    if (bytes.empty()) {
        writeSlot(field, Slot{});
        return false;
    }
    return writeSlot(field, bytes);
}

bool SqliteTable::Commit() {
    if (server_) {
        if (!alive() || (state_ != State::Adding && state_ != State::Editing) ||
            !server_->commit(state_ == State::Adding, pending_, columnNames_))
            return false;
        state_ = State::Browsing;
        return true;
    }
    const auto connection = liveConnection();
    if (!connection || (state_ != State::Adding && state_ != State::Editing) ||
        columnNames_.empty() || connection->faults().refusesWrites())
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
        statement += " WHERE _ROWID_=" + std::to_string(place_.rowId);
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

    Statement prepared(*connection, statement);
    if (!prepared.prepared()) return false;
    int parameter = 1;
    for (const std::size_t column : collected) {
        std::visit([&](const auto& value) { bindSlot(prepared.get(), parameter, value); },
                   pending_[column]);
        ++parameter;
    }
    if (prepared.step() != SQLITE_DONE) return false;
    const bool added = state_ == State::Adding;
    state_ = State::Browsing;

    // The snapshot is taken anew; the position keeps its number, on the records of now.
    if (snapshot_.loaded()) {
        const int number = Position();
        snapshot_.renew();
        placeAt(number);
        if (place_.kind == Place::Kind::After) place_.number = number;
        return true;
    }
    snapshot_.renew();
    place_.number.reset();
    if (added && place_.kind == Place::Kind::After) {
        // After the last record, the number now names the record just added: the last one.
        Statement last(*connection, "SELECT max(_ROWID_) FROM " + tableName_);
        if (last.step() == SQLITE_ROW)
            place_ = {Place::Kind::On, sqlite3_column_int64(last.get(), 0), {}};
    }
    return true;
}

bool SqliteTable::Delete() {
    if (server_) return alive() && server_->deleteCurrent();
    const auto connection = liveConnection();
    if (!connection || !onRecord() || connection->faults().refusesWrites()) return false;
    const std::string statement =
        "DELETE FROM " + tableName_ + " WHERE _ROWID_ = " + std::to_string(place_.rowId);
    const int result =
        sqlite3_exec(connection->handle(), statement.c_str(), nullptr, nullptr, nullptr);
    connection->faults().note(result);
    const bool deleted = result == SQLITE_OK;
    snapshot_.renew();
    place_ = {Place::Kind::Before, 0, 0};
    return deleted;
}

std::string SqliteTable::ReadText(const Field& field, bool* success) {
    std::string text;
    const bool read = ReadText(field, text);
    if (success) *success = read;
    return text;
}

bool SqliteTable::ReadText(const Field& field, std::string& text) {
    text.clear();
    return readCurrent(
        columnIndex(field),
        [&](sqlite3_stmt* statement, int index) {
            storeText(sqlite3_column_text(statement, index), sqlite3_column_bytes(statement, index),
                      text);
        },
        [&](const StoredValue& value) { text = value.text(); });
}

std::int64_t SqliteTable::ReadInt(const Field& field, bool* success) {
    const int column = columnIndex(field);
    std::int64_t number = 0;
    const bool read = readCurrent(
        column,
        [&](sqlite3_stmt* statement, int index) {
            number = sqlite3_column_int64(statement, index);
        },
        [&](const StoredValue& value) { number = value.number; });
    if (success) *success = read;
    return number;
}

bool SqliteTable::FindFirst(Where where) {
    if (!alive()) return false;
    bool found = false;
    if (server_) {
        std::shared_ptr<ServerCursor>(server_)->walk(lookupFor(where), [&] {
            found = true;
            return false;
        });
        if (!found && IsOpen()) server_->placeAfterLast();
        return found;
    }
    walk(lookupFor(where), [&] {
        found = true;
        return false;
    });
    if (!found && IsOpen()) place_ = {Place::Kind::After, 0, {}};
    return found;
}

void SqliteTable::ForEachWhere(Where where, const std::function<void()>& visit) {
    if (!alive()) return;
    if (server_) {
        std::shared_ptr<ServerCursor>(server_)->walk(lookupFor(where), [&] {
            visit();
            return IsOpen();
        });
        return;
    }
    walk(lookupFor(where), [&] {
        visit();
        return true;
    });
}

bool SqliteTable::DeleteWhere(Where where) {
    if (server_) {
        if (!alive()) return false;
        std::vector<std::int64_t> doomed;
        server_->walk(lookupFor(where), [&] {
            doomed.push_back(server_->currentRowId());
            return true;
        });
        return alive() && server_->deleteRows(doomed);
    }
    if (const auto connection = liveConnection();
        !connection || connection->faults().refusesWrites())
        return false;
    std::vector<std::int64_t> doomed;
    walk(lookupFor(where), [&] {
        doomed.push_back(place_.rowId);
        return true;
    });
    const auto connection = liveConnection();
    if (!connection) return false;
    bool allDeleted = true;
    Statement remove(*connection, "DELETE FROM " + tableName_ + " WHERE _ROWID_ = ?");
    for (const std::int64_t rowId : doomed) {
        remove.reset();
        sqlite3_bind_int64(remove.get(), 1, rowId);
        // A record that refuses to go is left, and the others still go.
        if (remove.step() != SQLITE_DONE) allDeleted = false;
    }
    remove.reset();
    snapshot_.renew();
    place_ = {Place::Kind::Before, 0, 0};
    return allDeleted;
}

std::shared_ptr<Connection> SqliteTable::liveConnection() {
    if (state_ == State::Closed) return nullptr;
    auto connection = connection_.lock();
    if (!connection) Close(); // the database object was closed under this cursor
    return connection;
}

bool SqliteTable::alive() {
    if (!server_) return liveConnection() != nullptr;
    if (state_ != State::Closed && server_->session()) return true;
    Close();
    return false;
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
    if (server_) return server_->onRecord();
    return place_.kind == Place::Kind::On;
}

void SqliteTable::placeAt(int recordNumber) const {
    place_ = Place::at(recordNumber, [this] { return snapshot(); });
}

const std::vector<std::int64_t>* SqliteTable::snapshot() const {
    const auto connection = connection_.lock();
    return connection ? snapshot_.ids(*connection) : nullptr;
}

bool SqliteTable::writeSlot(const Field& field, Slot value) {
    if (!alive()) return false;
    const int column = columnIndex(field);
    if (column < 0) return false;
    pending_[column] = std::move(value);
    return true;
}

Lookup SqliteTable::lookupFor(Where where) const {
    std::vector<ColumnCondition> conditions;
    for (const FieldEquals& condition : where)
        conditions.push_back({columnIndex(condition.field), condition.value});
    return Lookup(std::move(conditions), columnNames_, columnAffinities_);
}

void SqliteTable::walk(const Lookup& lookup, const std::function<bool()>& visit) {
    std::shared_ptr<Connection> connection = liveConnection();
    if (!connection || lookup.never()) return;
    // While the walk goes on, its read lock keeps every other connection from changing the file.
    Statement pin(*connection, "SELECT 1 FROM " + tableName_);
    if (pin.step() != SQLITE_ROW) return; // no records, or a failure noted on the faults

    // The records present when the walk starts: none beyond the last row id of now.
    std::int64_t last = 0;
    {
        Statement newest(*connection, "SELECT max(_ROWID_) FROM " + tableName_);
        if (newest.step() != SQLITE_ROW) return;
        last = sqlite3_column_int64(newest.get(), 0);
    }
    // A filter reaches its rows through an index and sorts them (ordered by the plain row id, the
    // engine would rather walk the whole table than use the index).
    const bool filtered = lookup.filters();
    Statement query(*connection, "SELECT _ROWID_, * FROM " + tableName_ + " WHERE " +
                                     (filtered ? lookup.filter() + " ORDER BY +_ROWID_"
                                               : "_ROWID_ > ? AND _ROWID_ <= ? ORDER BY _ROWID_"));
    if (!query.prepared()) return;

    struct Restore {
        WalkRow& row;
        WalkRow saved;
        ~Restore() { row = saved; }
    } restore{walkRow_, walkRow_};
    const auto textOf = [this](int column) { return ReadText(column + 1); };
    const auto numberOf = [this](int column) { return ReadInt(column + 1); };

    std::int64_t after = std::numeric_limits<std::int64_t>::min();
    bool start = true;
    for (;;) {
        if (start) {
            // From the beginning, or again after a visit changed the table under the statement.
            query.reset();
            if (filtered) {
                lookup.bind(query.get(), 1);
            } else {
                sqlite3_bind_int64(query.get(), 1, after);
                sqlite3_bind_int64(query.get(), 2, last);
            }
            start = false;
        }
        if (query.step() != SQLITE_ROW) return;
        const std::int64_t rowId = sqlite3_column_int64(query.get(), 0);
        if (rowId <= after) continue; // visited before the start again
        if (rowId > last) return;
        after = rowId;
        if (!snapshot_.held(rowId)) continue;

        place_ = {Place::Kind::On, rowId, {}};
        walkRow_ = {query.get(), rowId, connection.get(), connection->changes()};
        if (!lookup.holds(textOf, numberOf)) continue;
        connection.reset(); // the visit may close the database
        if (!visit()) return;
        connection = connection_.lock();
        if (!connection || !IsOpen()) return;
        start = connection->changes() != walkRow_.changes;
    }
}

template <typename FromStatement, typename FromRecord>
bool SqliteTable::readCurrent(int column, FromStatement&& fromStatement, FromRecord&& fromRecord) {
    if (server_) {
        const StoredValue* value = alive() ? server_->read(column) : nullptr;
        if (value) fromRecord(*value);
        return value != nullptr;
    }
    if (column < 0 || place_.kind != Place::Kind::On) return false;
    if (!IsOpen()) {
        liveConnection(); // closes the cursor when its database was closed
        return false;
    }
    if (walkRow_.current(place_.rowId)) {
        if (column + 1 >= sqlite3_column_count(walkRow_.statement)) return false;
        fromStatement(walkRow_.statement, column + 1);
        return true;
    }
    const std::optional<Record> record = freshRecord();
    if (!record || static_cast<std::size_t>(column) >= record->values.size()) return false;
    fromRecord(record->values[static_cast<std::size_t>(column)]);
    return true;
}

std::optional<Record> SqliteTable::freshRecord() {
    if (!readRecord_.prepared()) return std::nullopt;
    readRecord_.reset();
    sqlite3_bind_int64(readRecord_.get(), 1, place_.rowId);
    std::optional<Record> record;
    if (readRecord_.step() == SQLITE_ROW) record = Record::read(readRecord_.get());
    readRecord_.reset();
    return record;
}

void SqliteTable::rowChanged(const char* table, bool inserted, std::int64_t rowId) {
    if (state_ != State::Closed && support::equalsIgnoringAsciiCase(table, tableName_))
        snapshot_.noteChange(inserted, rowId);
}

void SqliteTable::connectionClosing() {
    // The connection goes: its statements first. The cursor reads as closed from now on.
    readRecord_.finalize();
}

} // namespace store
