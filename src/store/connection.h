#pragma once

#include "store/fault_log.h"
#include "store/statement_cache.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3;

namespace store {

class SqliteTable;

// An open SQLite connection shared by a database object and its cursors. It tells its cursors of
// rows inserted into and deleted from their tables through it, and of its own end, and it counts
// the changes made through it, so that a cursor knows whether what it stands on may have changed.
// What the engine refuses on it goes to the faults of its database object.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    // Takes the open handle over, with statements prepared on it before; it is closed with this
    // object unless handed back first.
    Connection(sqlite3* handle, std::shared_ptr<FaultLog> faults, StatementCache statements = {});
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    sqlite3* handle() const { return handle_; }
    StatementCache& statements() { return statements_; }
    // Ends this connection as closing it would, its cursors closed, but gives the engine's handle
    // back open, with its prepared statements, instead of closing it.
    std::pair<sqlite3*, StatementCache> handBack();
    FaultLog& faults() const { return *faults_; }
    // Grows with every row written through this connection and every rolled back transaction.
    std::uint64_t changes() const { return changes_; }

    void listen(SqliteTable* cursor);
    void forget(SqliteTable* cursor);

private:
    static void rowChanged(void* self, int operation, const char* database, const char* table,
                           long long rowId);
    static void rolledBack(void* self);

    sqlite3* handle_;
    std::shared_ptr<FaultLog> faults_;
    std::uint64_t changes_ = 0;
    std::vector<SqliteTable*> cursors_;
    StatementCache statements_;
};

} // namespace store
