#include "store/connection.h"

#include "store/sqlite_table.h"

#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <utility>

namespace store {

Connection::Connection(sqlite3* handle, std::shared_ptr<FaultLog> faults, StatementCache statements)
    : handle_(handle), faults_(std::move(faults)), statements_(std::move(statements)) {
    if (!handle_) return;
    sqlite3_update_hook(handle_, &Connection::rowChanged, this);
    sqlite3_rollback_hook(handle_, &Connection::rolledBack, this);
}

Connection::~Connection() {
    auto [handle, statements] = handBack();
    statements.finalizeAll();
    if (handle) sqlite3_close_v2(handle);
}

std::pair<sqlite3*, StatementCache> Connection::handBack() {
    // The cursors give back their statements first, so that the file can be closed right after.
    const std::vector<SqliteTable*> cursors = cursors_;
    for (SqliteTable* cursor : cursors) cursor->connectionClosing();
    cursors_.clear();
    if (!handle_) return {nullptr, std::move(statements_)};
    sqlite3_update_hook(handle_, nullptr, nullptr);
    sqlite3_rollback_hook(handle_, nullptr, nullptr);
    return {std::exchange(handle_, nullptr), std::move(statements_)};
}

void Connection::listen(SqliteTable* cursor) {
    if (std::find(cursors_.begin(), cursors_.end(), cursor) == cursors_.end())
        cursors_.push_back(cursor);
}

void Connection::forget(SqliteTable* cursor) {
    std::erase(cursors_, cursor);
}

void Connection::rowChanged(void* self, int operation, const char* database, const char* table,
                            long long rowId) {
    auto* connection = static_cast<Connection*>(self);
    ++connection->changes_;
    if (operation == SQLITE_UPDATE || std::strcmp(database, "main") != 0) return;
    for (SqliteTable* cursor : connection->cursors_)
        cursor->rowChanged(table, operation == SQLITE_INSERT, rowId);
}

void Connection::rolledBack(void* self) {
    ++static_cast<Connection*>(self)->changes_;
}

} // namespace store
