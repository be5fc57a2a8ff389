#pragma once

#include "store/connection.h"
#include "store/cursor_place.h"
#include "store/lookup.h"
#include "store/record.h"
#include "store/row_id_snapshot.h"
#include "store/statement.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace store {

class ServerCursor;
class SqliteDB;

// A column of the open table, given by name (ASCII letters match without regard to case, the
// first matching column is taken) or by 1-based number.
class Field {
public:
    Field(std::string_view name) : name_(name) {}
    Field(const char* name) : name_(name) {}
    Field(const std::string& name) : name_(name) {}
    Field(int number) : number_(number), byNumber_(true) {}

private:
    friend class SqliteTable;
    std::string name_;
    int number_ = 0;
    bool byNumber_ = false;
};

// "This field reads equal to this text" or "this field reads as this whole number".
struct FieldEquals {
    Field field;
    std::variant<std::string, int> value;
};
using Where = std::initializer_list<FieldEquals>;

using Bytes = std::vector<unsigned char>;

// A cursor over every row of one table in row-id order, of a file or of a server's database. Record
// n is the n-th entry of a snapshot of the row ids, taken by Open and again after each successful
// Commit and each Delete of this cursor. Position 0 is before the first record, RecordCount() + 1
// after the last.
//
// Changes are collected with Write after BeginAdd or BeginEdit and carried out by Commit as one
// INSERT or UPDATE. Texts the code page of the stored data (GBK) cannot hold read as empty and are
// stored as NULL. Numbers are read in 64 bits.
//
// An operation that finds nothing gives false, 0 or the empty text; so does one the engine
// refuses, which is counted in the faults of the database object as well.
//
// Years of orders stay quick: lookups go through the table's indexes, a record's fields are read
// in one statement and read again whenever anything may have changed them, and the snapshot is
// loaded only when a position or the count is asked for.
class SqliteTable {
public:
    enum class State { Closed = 0, Browsing = 1, Adding = 2, Editing = 3 };

    SqliteTable() = default;
    SqliteTable(const SqliteTable&) = delete;
    SqliteTable& operator=(const SqliteTable&) = delete;
    ~SqliteTable();

    bool Open(std::string_view tableName, const SqliteDB& database);
    bool Close();
    bool IsOpen() const;
    State CurrentState() const;

    bool First();
    bool Skip(int count = 1);
    bool GoTo(int recordNumber);
    int Position() const;
    int RecordCount() const;

    bool BeginAdd();
    // The record updated is the one current at the Commit, not at this call.
    bool BeginEdit();

    // Stores the value for the next Commit. An empty text or byte set is not stored (false), so
    // an UPDATE keeps the column's value and an INSERT leaves it to its default.
    template <std::integral T> bool Write(const Field& field, T value) {
        if constexpr (sizeof(T) <= sizeof(std::int32_t))
            return writeSlot(field, static_cast<std::int32_t>(value));
        else
            return writeSlot(field, static_cast<std::int64_t>(value));
    }
    template <std::floating_point T> bool Write(const Field& field, T value) {
        return writeSlot(field, static_cast<double>(value));
    }
    bool Write(const Field& field, std::string_view text);
    bool Write(const Field& field, const char* text) {
        return Write(field, std::string_view(text));
    }
    bool Write(const Field& field, const std::string& text) {
        return Write(field, std::string_view(text));
    }
    bool Write(const Field& field, const Bytes& bytes);

    // On failure the cursor stays adding or editing with its values, so the caller may retry.
    bool Commit();
    // Whatever the outcome, the row ids are reloaded and the position is 0.
    bool Delete();

    // What is stored in the current record; never the pending values.
    std::string ReadText(const Field& field, bool* success = nullptr);
    std::int64_t ReadInt(const Field& field, bool* success = nullptr);
    // The same text into `text`, whose storage is reused: a walk over years of records need not
    // allocate at every read.
    bool ReadText(const Field& field, std::string& text);
    // The field's 1-based number in the open table, 0 when it has none: a walk names its fields
    // once instead of at every read.
    int FieldNumber(const Field& field) const { return columnIndex(field) + 1; }

    // Positions on the first record, in table order, on which every condition holds: the record a
    // scan from the first would stop at. When there is none, the position is RecordCount() + 1.
    bool FindFirst(Where where);
    // Positions on every record on which every condition holds, in table order, and calls
    // `visit` there. The records are those present when the walk starts.
    void ForEachWhere(Where where, const std::function<void()>& visit);
    // Positions on every record in table order and calls `visit` there.
    void ForEachRecord(const std::function<void()>& visit) { ForEachWhere({}, visit); }
    // Deletes every record on which every condition holds; true when all of them were deleted.
    // The position is 0 afterwards.
    bool DeleteWhere(Where where);

private:
    friend class Connection;
    using Slot =
        std::variant<std::monostate, std::int32_t, std::int64_t, double, std::string, Bytes>;

    using Place = CursorPlace;

    std::shared_ptr<Connection> liveConnection();
    // Whether the database under the cursor is still open; closes the cursor when it is not.
    bool alive();
    int columnIndex(const Field& field) const;
    bool onRecord() const;
    void placeAt(int recordNumber) const;
    const std::vector<std::int64_t>* snapshot() const;
    bool writeSlot(const Field& field, Slot value);
    Lookup lookupFor(Where where) const;
    // Visits the records the lookup lets through in table order, each placed on; stops when
    // `visit` gives false.
    void walk(const Lookup& lookup, const std::function<bool()>& visit);
    // Reads a field of the current record: straight from the walk's statement while the walk
    // stands on it and nothing has changed since, else from the record read afresh.
    template <typename FromStatement, typename FromRecord>
    bool readCurrent(int column, FromStatement&& fromStatement, FromRecord&& fromRecord);
    // The current record as the file holds it now; nothing when it is gone.
    std::optional<Record> freshRecord();
    void rowChanged(const char* table, bool inserted, std::int64_t rowId);
    void connectionClosing();

    std::string tableName_;
    std::vector<std::string> columnNames_;
    std::vector<std::string> columnAffinities_;
    State state_ = State::Closed;
    std::weak_ptr<Connection> connection_;
    std::vector<Slot> pending_;
    mutable Place place_;
    mutable RowIdSnapshot snapshot_;
    // The row a walk stands on. While the walk goes on, its read lock keeps every other
    // connection from changing the file, so the row is current until this connection changes
    // something.
    struct WalkRow {
        sqlite3_stmt* statement = nullptr;
        std::int64_t rowId = 0;
        const Connection* connection = nullptr;
        std::uint64_t changes = 0;

        bool current(std::int64_t row) const {
            return statement && rowId == row && connection->changes() == changes;
        }
    };
    WalkRow walkRow_;
    Statement readRecord_;
    // On a PostgreSQL server the records are its; nothing for a file. Shared with a walk under
    // way, which a visit that closes the cursor must not pull from under itself.
    std::shared_ptr<ServerCursor> server_;
};

// Writes the text, or leaves the field without a value when it is empty: the cursor stores an
// empty text as no value and reports that it wrote nothing, which a log of what was there should
// not take for a failure.
bool writeTextOrNothing(SqliteTable& table, const Field& field, const std::string& text);

} // namespace store
