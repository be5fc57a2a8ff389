#pragma once

#include <memory>
#include <string_view>

namespace store {

class Connection;

// One connection to an SQLite database file. Cursors opened on it hold the connection weakly, so
// closing the database closes every one of them.
class SqliteDB {
public:
    SqliteDB() = default;
    SqliteDB(const SqliteDB&) = delete;
    SqliteDB& operator=(const SqliteDB&) = delete;
    ~SqliteDB() = default;

    // Closes first. Without `create` a missing file is never created, and the empty name and
    // ":memory:" (an in-memory database) are refused.
    bool Open(std::string_view fileName, bool create = false);
    // False only when the engine refuses to close.
    bool Close();
    bool IsOpen() const;

    bool BeginTransaction(std::string_view name = {});
    bool CommitTransaction(std::string_view name = {});
    bool RollbackTransaction(std::string_view name = {});

private:
    friend class SqliteTable;

    bool execute(std::string_view templateHead, std::string_view name);

    std::shared_ptr<Connection> connection_;
};

} // namespace store
