#include "store/sqlite_db.h"

#include "store/connection.h"
#include "store/server_session.h"
#include "store/statement.h"
#include "support/text_rules.h"

#include <sqlite3.h>
#include <string>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace store {
namespace {

// What tells one state of a file from another without reading it: which file the name leads to,
// its size and when it last changed. Nothing where that cannot be told.
struct FileStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long changedSeconds = 0;
    long long changedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const std::string& fileName) {
#ifdef _WIN32
    // The file's identity is not at hand here: every Open opens the file again.
    (void)fileName;
    return std::nullopt;
#else
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0) return std::nullopt;
    return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
                     status.st_mtim.tv_nsec};
#endif
}

bool anyStatementUnderWay(sqlite3* handle) {
    for (sqlite3_stmt* statement = sqlite3_next_stmt(handle, nullptr); statement;
         statement = sqlite3_next_stmt(handle, statement))
        if (sqlite3_stmt_busy(statement)) return true;
    return false;
}

} // namespace

struct SqliteDB::IdleConnection {
    sqlite3* handle = nullptr;
    StatementCache statements;
    std::string fileName;
    FileStamp stamp;
};

SqliteDB::SqliteDB() = default;

SqliteDB::~SqliteDB() {
    Close();
    closeIdle();
}

bool SqliteDB::Open(std::string_view fileName, bool create) {
    Close();
    const bool inMemory =
        fileName.empty() || support::equalsIgnoringAsciiCase(fileName, ":memory:");
    if (inMemory && !create) return false;

    const std::string name = inMemory ? std::string(":memory:") : std::string(fileName);
    if (idle_ && !inMemory && idle_->fileName == name && stampOf(name) == idle_->stamp) {
        connection_ = std::make_shared<Connection>(std::exchange(idle_->handle, nullptr), faults_,
                                                   std::move(idle_->statements));
        idle_.reset();
        sqlite3_busy_timeout(connection_->handle(), busyTimeoutMs_);
        fileName_ = name;
        return true;
    }
    closeIdle();
    // A connection and its cursors live on one thread: the engine need not lock it at every call.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (create) flags |= SQLITE_OPEN_CREATE;
    sqlite3* handle = nullptr;
    const int result = sqlite3_open_v2(name.c_str(), &handle, flags, nullptr);
    auto connection = std::make_shared<Connection>(handle, faults_);
    if (result != SQLITE_OK) {
        faults_->noteFailure();
        return false;
    }
    sqlite3_busy_timeout(handle, busyTimeoutMs_);
    connection_ = std::move(connection);
    fileName_ = inMemory ? std::string() : name;
    return true;
}

bool SqliteDB::OpenServer(const std::string& connectionString) {
    Close();
    closeIdle();
    // A server that restarted since the last action is connected to afresh, not found broken
    // by the action's first statement.
    if (!serverConnection_ || serverConnection_->inTransaction() ||
        !serverConnection_->stillUsable() ||
        serverConnection_->connectionString() != connectionString)
        serverConnection_ = std::make_shared<ServerSession>(connectionString, faults_);
    if (!serverConnection_->usable()) {
        faults_->noteFailure();
        return false;
    }
    const auto hold = std::make_shared<std::shared_ptr<ServerSession>>(serverConnection_);
    server_ = std::shared_ptr<ServerSession>(hold, hold->get());
    return true;
}

bool SqliteDB::ChangedElsewhere() {
    return serverConnection_ && serverConnection_->changedElsewhere();
}

bool SqliteDB::Close() {
    if (server_) {
        if (server_->inTransaction()) server_->rollback();
        server_.reset();
        return true;
    }
    if (!connection_) return true; // an idle connection stays for the next Open
    closeIdle();
    // Kept only when nothing runs on it: no transaction (closing rolls it back), no statement
    // under way, and nobody else holding the connection.
    const auto stamp = fileName_.empty() ? std::nullopt : stampOf(fileName_);
    if (stamp && connection_.use_count() == 1 && !InTransaction()) {
        auto [handle, statements] = connection_->handBack();
        if (!anyStatementUnderWay(handle))
            idle_ = std::make_unique<IdleConnection>(
                IdleConnection{handle, std::move(statements), fileName_, *stamp});
        else {
            statements.finalizeAll();
            sqlite3_close_v2(handle);
        }
    }
    connection_.reset();
    return true;
}

void SqliteDB::closeIdle() {
    if (!idle_) return;
    idle_->statements.finalizeAll();
    if (idle_->handle) sqlite3_close_v2(idle_->handle);
    idle_.reset();
}

void SqliteDB::FileReplaced() {
    Close();
    closeIdle();
    faults_->forgetDamage();
}

bool SqliteDB::IsOpen() const {
    return connection_ != nullptr || (server_ && server_->usable());
}

// A damaged file is only ever rolled back: what a transaction wrote before the damage showed is
// undone, and nothing new begins or is committed.
bool SqliteDB::BeginTransaction(std::string_view name) {
    if (server_) return server_->begin(false);
    return !faults_->refusesWrites() && execute("BEGIN TRANSACTION ", name);
}

bool SqliteDB::BeginWriteTransaction() {
    if (server_) return server_->begin(true);
    return !faults_->refusesWrites() && execute("BEGIN IMMEDIATE TRANSACTION", {});
}

bool SqliteDB::CommitTransaction(std::string_view name) {
    if (server_) return server_->commit();
    return !faults_->refusesWrites() && execute("COMMIT TRANSACTION ", name);
}

bool SqliteDB::RollbackTransaction(std::string_view name) {
    if (server_) return server_->rollback();
    return execute("ROLLBACK TRANSACTION ", name);
}

bool SqliteDB::InTransaction() const {
    if (server_) return server_->usable() && server_->inTransaction();
    return connection_ && sqlite3_get_autocommit(connection_->handle()) == 0;
}

std::optional<std::uint32_t> SqliteDB::CommitCount() const {
    if (server_) return server_->commitCount();
    if (!connection_) return std::nullopt;
    // Reading the schema's version takes a read lock, held until the statement goes: no other
    // connection can commit while the header is read.
    Statement lock(*connection_, "PRAGMA schema_version");
    if (lock.step() != SQLITE_ROW) return std::nullopt;
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(connection_->handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) !=
            SQLITE_OK ||
        !file || !file->pMethods)
        return std::nullopt;
    unsigned char header[28];
    if (file->pMethods->xRead(file, header, sizeof header, 0) != SQLITE_OK) return std::nullopt;
    // Versions 1 and 1 mark the rollback journal, which counts every commit in bytes 24 to 27.
    if (header[18] != 1 || header[19] != 1) return std::nullopt;
    return static_cast<std::uint32_t>(header[24]) << 24 |
           static_cast<std::uint32_t>(header[25]) << 16 |
           static_cast<std::uint32_t>(header[26]) << 8 | static_cast<std::uint32_t>(header[27]);
}

bool SqliteDB::execute(std::string_view templateHead, std::string_view name) {
    if (!connection_) return false;
    std::string statement(templateHead);
    statement.append(name);
    const int result =
        sqlite3_exec(connection_->handle(), statement.c_str(), nullptr, nullptr, nullptr);
    faults_->note(result);
    return result == SQLITE_OK;
}

} // namespace store
