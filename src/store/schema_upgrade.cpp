#include "store/schema_upgrade.h"

#include "store/connection.h"
#include "store/server_cursor.h"
#include "store/server_session.h"
#include "store/sqlite_db.h"

#include <sqlite3.h>
#include <string>

namespace store {
namespace {

// What each version adds, in order: entry i brings a file from version i to version i + 1. The
// delivered database's script creates the same tables and writes the newest version.
constexpr const char* kSteps[kSchemaVersion] = {
    "CREATE TABLE IF NOT EXISTS 程序设置 (名称 TEXT PRIMARY KEY, 值 TEXT);",
    R"sql(CREATE TABLE IF NOT EXISTS 结账记录 (单号 TEXT, 结账时间 TEXT, 应收 INTEGER, 实收 INTEGER,
    找零 INTEGER, 付款方式 TEXT, 操作员 TEXT);
CREATE INDEX IF NOT EXISTS 结账记录_结账时间 ON 结账记录 (结账时间);
CREATE INDEX IF NOT EXISTS 结账记录_单号 ON 结账记录 (单号);
CREATE TABLE IF NOT EXISTS 日结 (序号 INTEGER PRIMARY KEY, 日结时间 TEXT, 开始 TEXT, 结束 TEXT,
    首单 TEXT, 末单 TEXT, 单数 INTEGER, 人数 INTEGER, 应收合计 INTEGER, 现金 INTEGER,
    微信 INTEGER, 支付宝 INTEGER, 银行卡 INTEGER, 其他 INTEGER, 未记录 INTEGER, 现金实收 INTEGER,
    现金找零 INTEGER, 备用金 INTEGER, 应有现金 INTEGER, 实点现金 INTEGER, 差额 INTEGER,
    未结单数 INTEGER, 未结金额 INTEGER, 删除单数 INTEGER, 删除金额 INTEGER, 下次备用金 INTEGER,
    操作员 TEXT);
CREATE TABLE IF NOT EXISTS 删除记录 (删除时间 TEXT, 操作员 TEXT, 已日结 INTEGER, 单号 TEXT,
    时间 TEXT, 台号 TEXT, 人数 INTEGER, 金额 INTEGER, 状态 INTEGER, 备注 TEXT);
CREATE INDEX IF NOT EXISTS 删除记录_删除时间 ON 删除记录 (删除时间);
CREATE TABLE IF NOT EXISTS 删除明细 (删除时间 TEXT, 单号 TEXT, 菜品 TEXT, 单价 INTEGER,
    数量 INTEGER, 金额 INTEGER, 分类 TEXT);)sql",
    R"sql(CREATE TABLE IF NOT EXISTS 打印机 (名称 TEXT PRIMARY KEY, 连接 TEXT, 地址 TEXT,
    端口 INTEGER, 纸宽 INTEGER, 编码 TEXT, 切纸 INTEGER, 钱箱 INTEGER, 打印小票 INTEGER,
    打印日结 INTEGER);
CREATE TABLE IF NOT EXISTS 打印机分类 (打印机 TEXT, 分类 TEXT);
CREATE TABLE IF NOT EXISTS 送厨记录 (单号 TEXT, 菜品 TEXT, 分类 TEXT, 已送数量 INTEGER);
CREATE INDEX IF NOT EXISTS 送厨记录_单号 ON 送厨记录 (单号);)sql",
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
    // A server's tables are made by veltrano-db at the newest version; this program only tells
    // whether it can use them.
    if (database.server_) {
        const auto version = database.server_->run("SELECT max(版本) FROM 数据库版本");
        if (!version || version->rows() != 1 || version->isNull(0, 0)) return SchemaUpgrade::Failed;
        const std::int64_t number = serverInteger(version->value(0, 0));
        if (number > kSchemaVersion) return SchemaUpgrade::Newer;
        return number == kSchemaVersion ? SchemaUpgrade::UpToDate : SchemaUpgrade::Failed;
    }
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
