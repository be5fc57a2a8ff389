#include "dbtool/server_copy.h"

#include <map>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <string_view>

namespace dbtool {
namespace {

using store::PgConnection;

std::string quotedName(std::string_view name) {
    std::string text = "\"";
    for (const char c : name) {
        if (c == '"') text += '"';
        text += c;
    }
    return text + "\"";
}

// The file, opened read-only: the copy never changes it.
class SqliteFile {
public:
    explicit SqliteFile(const std::filesystem::path& file) {
        sqlite3* db = nullptr;
        const int opened =
            sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        db_.reset(db);
        if (opened != SQLITE_OK) failure_ = db ? sqlite3_errmsg(db) : "out of memory";
    }
    const std::string& failure() const { return failure_; }

    // Each row's columns as texts, nothing for NULL; false when the statement failed.
    bool each(const std::string& sql, const std::function<void(const PgConnection::Row&)>& row) {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            failure_ = sqlite3_errmsg(db_.get());
            return false;
        }
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw,
                                                                              sqlite3_finalize);
        PgConnection::Row values;
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
            values.clear();
            for (int column = 0; column < sqlite3_column_count(raw); ++column)
                values.push_back(columnText(raw, column));
            row(values);
        }
        if (step != SQLITE_DONE) failure_ = sqlite3_errmsg(db_.get());
        return step == SQLITE_DONE;
    }

    // A prepared statement stepped by the caller, for rows too many to hold at once.
    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            failure_ = sqlite3_errmsg(db_.get());
            return nullptr;
        }
        return raw;
    }

    static PgConnection::Value columnText(sqlite3_stmt* statement, int column) {
        if (sqlite3_column_type(statement, column) == SQLITE_NULL) return std::nullopt;
        const auto* text = sqlite3_column_text(statement, column);
        return std::string(reinterpret_cast<const char*>(text),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
    }

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db_{nullptr, sqlite3_close};
    std::string failure_;
};

ServerOutcome refused(std::string failure) {
    return {false, std::move(failure), {}};
}

bool serverHasTables(PgConnection& server, bool& failed) {
    const auto found = server.run("SELECT to_regclass('\"流水\"') IS NOT NULL");
    failed = !found;
    return found && !found->empty() && found->front().front() == "t";
}

// Undoes the transaction and hands back why.
ServerOutcome undone(PgConnection& server, std::string failure) {
    server.run("ROLLBACK");
    return refused(std::move(failure));
}

} // namespace

ServerOutcome initServer(PgConnection& server, const std::string& schemaSql) {
    bool failed = false;
    if (serverHasTables(server, failed)) return refused("服务器上的数据库已经建好表，无需再建");
    if (failed) return refused("无法读取服务器上的数据库：" + server.failure());
    if (!server.runScript(schemaSql)) return refused("建表失败：" + server.failure());
    return {true, {}, {}};
}

ServerOutcome copyToServer(const std::filesystem::path& file, PgConnection& server,
                           const std::string& schemaSql) {
    SqliteFile source(file);
    if (!source.failure().empty()) return refused("无法打开数据库文件：" + source.failure());
    std::string fileVersion;
    std::vector<std::string> tables;
    if (!source.each("PRAGMA user_version",
                     [&](const PgConnection::Row& row) { fileVersion = row.at(0).value_or(""); }) ||
        !source.each("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid",
                     [&](const PgConnection::Row& row) { tables.push_back(*row.at(0)); }))
        return refused("无法读取数据库文件：" + source.failure());

    if (!server.run("BEGIN")) return refused("无法连接服务器：" + server.failure());
    bool failed = false;
    if (!serverHasTables(server, failed)) {
        if (failed) return undone(server, "无法读取服务器上的数据库：" + server.failure());
        if (!server.runScript(schemaSql)) return undone(server, "建表失败：" + server.failure());
    }
    const auto version = server.run("SELECT 版本 FROM 数据库版本");
    if (!version || version->size() != 1 || version->front().front() != fileVersion)
        return undone(server,
                      "数据库文件的版本与服务器上的表不同：请先用本版本的程序打开一次该文件");

    ServerOutcome outcome;
    for (const std::string& table : tables) {
        const auto onServer = server.run("SELECT EXISTS (SELECT 1 FROM " + quotedName(table) + ")");
        if (!onServer) return undone(server, "服务器上没有表“" + table + "”：" + server.failure());
        if (onServer->front().front() == "t")
            return undone(server, "服务器上的数据库已有数据（表“" + table + "”），不能覆盖");
        std::string columns;
        if (!source.each(
                "PRAGMA table_info(" + quotedName(table) + ")",
                [&](const PgConnection::Row& row) { columns += ", " + quotedName(*row.at(1)); }))
            return undone(server, "无法读取数据库文件：" + source.failure());

        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> rows(
            source.prepare("SELECT rowid" + columns + " FROM " + quotedName(table) +
                           " ORDER BY rowid"),
            sqlite3_finalize);
        if (!rows) return undone(server, "无法读取数据库文件：" + source.failure());
        std::int64_t count = 0;
        bool readFailed = false;
        const bool copied = server.copyIn(
            "COPY " + quotedName(table) + " (rowid" + columns + ") FROM STDIN",
            [&](PgConnection::Row& row) {
                const int step = sqlite3_step(rows.get());
                if (step != SQLITE_ROW) {
                    readFailed = step != SQLITE_DONE;
                    return false;
                }
                for (int column = 0; column < sqlite3_column_count(rows.get()); ++column)
                    row.push_back(SqliteFile::columnText(rows.get(), column));
                ++count;
                return true;
            });
        if (readFailed) return undone(server, "读取数据库文件时出错：表“" + table + "”");
        if (!copied) return undone(server, "复制表“" + table + "”失败：" + server.failure());
        // New rows on the server follow the copied ones.
        if (!server.run("SELECT setval(pg_get_serial_sequence($1, 'rowid'), "
                        "COALESCE((SELECT MAX(rowid) FROM " +
                            quotedName(table) + "), 0) + 1, false)",
                        {quotedName(table)}))
            return undone(server, "复制表“" + table + "”失败：" + server.failure());
        const auto counted = server.run("SELECT COUNT(*) FROM " + quotedName(table));
        if (!counted || counted->front().front() != std::to_string(count))
            return undone(server, "复制后表“" + table + "”的行数不符，已撤销复制");
        outcome.copied.push_back({table, count});
    }

    // Every order's total, on both sides.
    std::map<std::string, std::optional<std::string>> totals;
    if (!source.each("SELECT 单号, 金额 FROM 流水", [&](const PgConnection::Row& row) {
            totals[row.at(0).value_or("")] = row.at(1);
        }))
        return undone(server, "无法读取数据库文件：" + source.failure());
    const auto serverTotals = server.run("SELECT 单号, 金额 FROM 流水");
    if (!serverTotals) return undone(server, "无法读取服务器上的流水：" + server.failure());
    std::map<std::string, std::optional<std::string>> copiedTotals;
    for (const auto& row : *serverTotals)
        copiedTotals[row.at(0).value_or("")] = row.at(1);
    if (copiedTotals != totals) return undone(server, "复制后各单金额不符，已撤销复制");

    if (!server.run("COMMIT")) return refused("提交失败，未复制任何数据：" + server.failure());
    outcome.done = true;
    return outcome;
}

} // namespace dbtool
