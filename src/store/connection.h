#pragma once

#include <cstdint>
#include <vector>

struct sqlite3;

namespace store {

class SqliteTable;

// An open SQLite connection shared by a database object and its cursors. It tells its cursors of
// rows inserted into and deleted from their tables through it, and of its own end, and it tells
// the moment of the data, so that a cursor knows whether what it read may have changed since.
class Connection {
public:
    // Everything that can change what a read gives: a change written through this connection, a
    // rolled back transaction, a change of another connection that this one has come to see.
    struct Moment {
        std::int64_t changes = -1;
        std::uint64_t rollbacks = 0;
        unsigned dataVersion = 0;
        bool operator==(const Moment&) const = default;
    };

    // Takes the open handle over; it is closed with this object.
    explicit Connection(sqlite3* handle);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    sqlite3* handle() const { return handle_; }
    Moment now() const;

    void listen(SqliteTable* cursor);
    void forget(SqliteTable* cursor);

private:
    static void rowChanged(void* self, int operation, const char* database, const char* table,
                           long long rowId);
    static void rolledBack(void* self);

    sqlite3* handle_;
    std::uint64_t rollbacks_ = 0;
    std::vector<SqliteTable*> cursors_;
};

} // namespace store
