#pragma once

#include "store/cursor_place.h"
#include "store/lookup.h"
#include "store/pg_connection.h"
#include "store/record.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace store {

class ServerSession;

// A text the server gave, read as a whole number the way a file's cursor converts a text: leading
// blanks, a sign and the digits up to the first other character; beyond the range, its nearest
// end.
std::int64_t serverInteger(std::string_view text);

// What a cursor does, done on a table of the PostgreSQL server: the records in the order of the
// table's rowid column, which stands for SQLite's row id. The cursor over a table keeps the
// state it shares with a file's cursor (adding or editing, the pending values, the columns) and
// hands the rest here.
//
// Rows are read in batches; a record's fields are read in place from the batch or the read that
// placed the cursor on it, and read again once anything was written through the connection since.
class ServerCursor {
public:
    using Slot = std::variant<std::monostate, std::int32_t, std::int64_t, double, std::string,
                              std::vector<unsigned char>>;

    // The columns of the table, without its rowid, with their names and affinities as a file's
    // cursor names them ("INTEGER", "TEXT").
    bool open(std::shared_ptr<ServerSession> session, const std::string& table,
              std::vector<std::string>& columnNames, std::vector<std::string>& affinities);
    // The session, or nothing when the database object was closed or the connection broke.
    std::shared_ptr<ServerSession> session() const;

    void goTo(int recordNumber);
    bool onRecord() const { return place_.kind == Place::Kind::On; }
    int position();
    int recordCount();

    // Carries out the pending values as one INSERT or UPDATE of the current record.
    bool commit(bool adding, const std::vector<Slot>& pending,
                const std::vector<std::string>& columnNames);
    bool deleteCurrent();
    bool deleteRows(const std::vector<std::int64_t>& rowIds);
    std::int64_t currentRowId() const { return place_.rowId; }

    // The current record's field; nothing off a record or when it is gone.
    const StoredValue* read(int column);

    // Places the cursor on each record the lookup lets through, in table order, among those
    // present at the start; stops when `visit` gives false.
    void walk(const Lookup& lookup, const std::function<bool()>& visit);
    void placeAfterLast();

private:
    using Place = CursorPlace;

    const std::vector<std::int64_t>* ids();
    // Takes row `row` of the rows read, with the connection's changes then, as the current record.
    void hold(std::shared_ptr<const PgResult> rows, int row, std::uint64_t changes);

    std::weak_ptr<ServerSession> session_;
    std::string table_;
    std::vector<std::string> columnNames_;
    std::vector<bool> integerColumns_;
    int rowidColumn_ = -1; // among the table's columns
    Place place_;
    std::optional<std::vector<std::int64_t>> ids_;
    std::uint64_t idsChanges_ = 0;
    // The current record where it was last read, read in place, and the connection's changes
    // then; a field read is given in `value_`.
    struct Current {
        std::shared_ptr<const PgResult> rows;
        int row = 0;
        std::int64_t rowId = 0;
        std::uint64_t changes = 0;
    };
    Current current_;
    StoredValue value_;
};

} // namespace store
