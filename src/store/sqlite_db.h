#pragma once

#include "store/fault_log.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace store {

class Connection;
class ServerSession;
class SqliteDB;
enum class SchemaUpgrade;
SchemaUpgrade bringSchemaUpToDate(SqliteDB& database);

// One connection to an SQLite database file. Cursors opened on it hold the connection weakly, so
// closing the database closes every one of them.
//
// Every step the engine refuses, on this object and its cursors, is counted in Faults(), so that
// a caller can tell a lookup that found nothing from one that could not read. Once a step finds
// the file damaged, nothing is written to it any more: writes and transactions are refused.
class SqliteDB {
public:
    SqliteDB();
    SqliteDB(const SqliteDB&) = delete;
    SqliteDB& operator=(const SqliteDB&) = delete;
    ~SqliteDB();

    // Closes first. Without `create` a missing file is never created, and the empty name and
    // ":memory:" (an in-memory database) are refused.
    bool Open(std::string_view fileName, bool create = false);
    // Opens the PostgreSQL database several counters share instead of a file: the same tables,
    // cursors and transactions, on the server (libpq's connection string). A connection that
    // breaks makes the database read as closed, so that the next Open connects again.
    bool OpenServer(const std::string& connectionString);
    bool OnServer() const { return server_ != nullptr; }
    // Whether another counter on the same server committed a change since the last call; never
    // on a file.
    bool ChangedElsewhere();

    // False only when the engine refuses to close. The handlers close and open the database at
    // every action, so the engine's connection is kept aside, idle and holding no lock, and
    // taken up again by the next Open of the same file as long as the file is the one it was
    // (same file, size and time of change); otherwise it is closed then.
    bool Close();
    bool IsOpen() const;
    // Another whole file took the place of the open one (a restored backup): closes, the
    // connection kept aside too, and forgets the damage found in the file it replaced.
    void FileReplaced();

    bool BeginTransaction(std::string_view name = {});
    // Takes the write lock at once, waiting for another program's lock as long as the busy
    // timeout allows, so that the work inside never meets a lock it cannot wait for.
    bool BeginWriteTransaction();
    bool CommitTransaction(std::string_view name = {});
    bool RollbackTransaction(std::string_view name = {});
    bool InTransaction() const;

    // How many write transactions the file has committed, as its header counts them (on a
    // server, as its table 提交计数 does): any connection's commit, from this program or another,
    // adds one. Read under a lock, so it
    // belongs to what a read at the same moment sees; inside a write transaction it is the count
    // before that transaction. Nothing when the file keeps no count (write-ahead logging) or it
    // cannot be read.
    std::optional<std::uint32_t> CommitCount() const;

    const FaultLog& Faults() const { return *faults_; }
    bool Damaged() const { return faults_->damaged(); }
    // How long a step waits for another program's lock before it fails; used from the next Open.
    void SetBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }

private:
    friend class SqliteTable;
    friend class Query;
    friend SchemaUpgrade bringSchemaUpToDate(SqliteDB& database);

    bool execute(std::string_view templateHead, std::string_view name);
    void closeIdle();

    struct IdleConnection;

    std::shared_ptr<FaultLog> faults_ = std::make_shared<FaultLog>();
    // Long enough for a backup or a database browser to finish its work, short enough that a
    // stuck lock is reported instead of freezing the counter.
    int busyTimeoutMs_ = 5000;
    std::shared_ptr<Connection> connection_;
    std::string fileName_;
    std::unique_ptr<IdleConnection> idle_;
    // On a server: the connection, kept between actions as a file's is, and a hold on it for
    // one Open that the cursors share, so that closing closes them.
    std::shared_ptr<ServerSession> serverConnection_;
    std::shared_ptr<ServerSession> server_;
};

} // namespace store
