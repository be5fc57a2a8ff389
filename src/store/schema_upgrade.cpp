#include "store/schema_upgrade.h"

#include "store/connection.h"
#include "store/sqlite_db.h"

#include <sqlite3.h>
#include <string>

namespace store {
namespace {

// What each version adds, in order: entry i brings a file from version i to version i + 1. The
// delivered database's script creates the same tables and writes the newest version.
constexpr const char* kSteps[kSchemaVersion] = {
    "CREATE TABLE IF NOT EXISTS 程序设置 (名称 TEXT PRIMARY KEY, 值 TEXT);",
};

int userVersion(sqlite3* handle) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, "PRAGMA user_version", -1, &statement, nullptr) != SQLITE_OK)
        return -1;
    const int version =
        sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
    sqlite3_finalize(statement);
    return version;
}

bool run(sqlite3* handle, const std::string& sql, FaultLog& faults) {
    const int result = sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr);
    faults.note(result);
    return result == SQLITE_OK;
}

} // namespace

SchemaUpgrade bringSchemaUpToDate(SqliteDB& database) {
    if (!database.connection_ || database.Damaged() || database.InTransaction())
        return SchemaUpgrade::Failed;
    sqlite3* handle = database.connection_->handle();
    FaultLog& faults = *database.faults_;
    const int before = userVersion(handle);
    if (before < 0) return SchemaUpgrade::Failed;
    if (before > kSchemaVersion) return SchemaUpgrade::Newer;
    if (before == kSchemaVersion) return SchemaUpgrade::UpToDate;

    if (!database.BeginWriteTransaction()) return SchemaUpgrade::Failed;
    // Another program may have brought it up to date while this one waited for the lock.
    const int current = userVersion(handle);
    bool done = current >= 0 && current <= kSchemaVersion;
    for (int step = current; done && step < kSchemaVersion; ++step)
        done = run(handle, kSteps[step], faults);
    done = done && run(handle, "PRAGMA user_version = " + std::to_string(kSchemaVersion), faults);
    if (!done || !database.CommitTransaction()) {
        if (database.InTransaction()) database.RollbackTransaction();
        return current > kSchemaVersion ? SchemaUpgrade::Newer : SchemaUpgrade::Failed;
    }
    return current == kSchemaVersion ? SchemaUpgrade::UpToDate : SchemaUpgrade::Upgraded;
}

} // namespace store
