#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3_stmt;

namespace store {

// The prepared statements of one connection, kept for their next use: the handlers run the same
// few statements at every action, and preparing one costs more than running it. Finalizes what
// it keeps when it goes.
class StatementCache {
public:
    StatementCache() = default;
    StatementCache(StatementCache&& other) noexcept : kept_(std::exchange(other.kept_, {})) {}
    StatementCache& operator=(StatementCache&& other) noexcept;
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;
    ~StatementCache() { finalizeAll(); }

    // A kept statement of this text, taken out of the cache; none when there is none.
    sqlite3_stmt* take(std::string_view sql);
    // Resets the statement, clears its values, and keeps it; beyond a few dozen the oldest goes.
    void keep(std::string sql, sqlite3_stmt* statement);
    void finalizeAll();

private:
    std::vector<std::pair<std::string, sqlite3_stmt*>> kept_;
};

} // namespace store
