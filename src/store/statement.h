#pragma once

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// One prepared statement, finalized when it goes out of scope. It may be stepped, reset and bound
// again as often as needed.
class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, const std::string& sql) { prepare(db, sql); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { finalize(); }

    bool prepare(sqlite3* db, const std::string& sql);
    void finalize();
    // Ends the last run, so that no read lock is held on the file; the bindings stay.
    void reset();

    bool prepared() const { return statement_ != nullptr; }
    sqlite3_stmt* get() const { return statement_; }
    // The engine's result code; a statement that failed to prepare gives SQLITE_MISUSE.
    int step();

private:
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace store
