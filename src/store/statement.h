#pragma once

#include <memory>
#include <string>

struct sqlite3_stmt;

namespace store {

class Connection;

// One prepared statement, given back to its connection's cache when it goes out of scope (or
// finalized when the connection is gone). It may be stepped, reset and bound again as often as
// needed. A failure to prepare or to step is noted on its connection's faults.
class Statement {
public:
    Statement() = default;
    Statement(Connection& connection, const std::string& sql) { prepare(connection, sql); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { finalize(); }

    bool prepare(Connection& connection, const std::string& sql);
    void finalize();
    // Ends the last run, so that no read lock is held on the file; the bindings stay.
    void reset();

    bool prepared() const { return statement_ != nullptr; }
    sqlite3_stmt* get() const { return statement_; }
    // The engine's result code; a statement that failed to prepare gives SQLITE_MISUSE.
    int step();

private:
    Connection* connection_ = nullptr;
    std::weak_ptr<Connection> owner_;
    sqlite3_stmt* statement_ = nullptr;
    std::string sql_;
};

} // namespace store
