#pragma once

#include "store/fault_log.h"
#include "store/pg_connection.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace store {

// One connection to the PostgreSQL server that several counters share, as the database object
// and its cursors use it.
//
// Writers take turns as they do on a file: every write runs in a transaction that holds the one
// write lock of the database (an advisory lock), taken at the first write or at the start of a
// write transaction. So a counter that checks and then writes inside a write transaction sees
// every other counter's finished work and none half-done. Each committed write notifies the
// other counters.
//
// What the server refuses is counted on the faults; a connection that broke stays broken, and
// the database object opens a new one at the next action.
class ServerSession {
public:
    using Values = std::vector<PgConnection::Value>;

    ServerSession(const std::string& connectionString, std::shared_ptr<FaultLog> faults);

    bool usable() const { return connection_.connected() && !broken_; }
    // Whether the connection kept between actions still reaches the server.
    bool stillUsable() { return !broken_ && connection_.stillConnected(); }
    const std::string& connectionString() const { return connectionString_; }
    FaultLog& faults() const { return *faults_; }
    // Grows with every write through this connection and every transaction rolled back.
    std::uint64_t changes() const { return changes_; }

    // A statement that changes no rows: a read, or one that steers the connection.
    std::optional<PgResult> run(const std::string& sql, const Values& values = {});
    // A statement that changes rows: in the transaction under way (its write lock taken first),
    // or in one of its own.
    std::optional<PgResult> write(const std::string& sql, const Values& values = {});

    bool begin(bool forWriting);
    bool commit();
    bool rollback();
    bool inTransaction() const { return inTransaction_; }

    // Whether another counter committed a change since the last call.
    bool changedElsewhere();
    // How many write transactions every counter together has committed; nothing where the
    // server's tables keep no count. Inside a write transaction, the count before it.
    std::optional<std::uint32_t> commitCount();

private:
    bool takeWriteLock();

    std::string connectionString_;
    PgConnection connection_;
    std::shared_ptr<FaultLog> faults_;
    std::uint64_t changes_ = 0;
    bool inTransaction_ = false;
    bool holdsWriteLock_ = false;
    bool wrote_ = false;
    bool broken_ = false;
    bool countsCommits_ = false;
};

} // namespace store
