#include "stored_orders.h"

#include "store/database_setting.h"
#include "store/pg_connection.h"

#include <cstdio>
#include <stdexcept>

namespace bench {
namespace {

// "?" to libpq's $1, $2, …: the statements here hold no "?" of their own.
std::string numberedParameters(const std::string& sql) {
    std::string text;
    int parameter = 0;
    for (const char c : sql)
        text += c == '?' ? "$" + std::to_string(++parameter) : std::string(1, c);
    return text;
}

} // namespace

StoredOrders::StoredOrders(const std::filesystem::path& database)
    : file_(std::make_unique<SqliteFile>(database)) {}

StoredOrders::StoredOrders(const store::DatabaseSetting& server)
    : server_(std::make_unique<store::PgConnection>(server.connectionString())) {
    if (!server_->connected())
        throw std::runtime_error("cannot reach " + server.describe() + ": " + server_->failure());
}

StoredOrders::~StoredOrders() = default;

long long StoredOrders::count() {
    return integer("SELECT COUNT(*) FROM 流水");
}

long long StoredOrders::openCount() {
    return integer("SELECT COUNT(*) FROM 流水 WHERE 状态 = 0");
}

long long StoredOrders::countInMonth(int year, int month) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04d%02d%%", year, month);
    return countWhere("单号 LIKE ?", prefix);
}

long long StoredOrders::lineCount(const std::string& number) {
    return integer("SELECT COUNT(*) FROM 明细 WHERE 单号 = ?", {number});
}

bool StoredOrders::exists(const std::string& number) {
    return countWhere("单号 = ?", number) > 0;
}

bool StoredOrders::settled(const std::string& number) {
    const auto row = firstRow(1, "SELECT 状态 FROM 流水 WHERE 单号 = ?", {number});
    return !row.empty() && !row[0].empty() && std::stoll(row[0]) != 0;
}

long long StoredOrders::amount(const std::string& number) {
    return integer("SELECT 金额 FROM 流水 WHERE 单号 = ?", {number});
}

std::string StoredOrders::latestNumber() {
    return text("SELECT MAX(单号) FROM 流水");
}

// The server's tables keep SQLite's row id as a column of that name (data/postgres.sql), so
// "table order" reads the same on both.
std::string StoredOrders::numberAt(long long place) {
    return text("SELECT 单号 FROM 流水 ORDER BY rowid LIMIT 1 OFFSET ?", {place});
}

StoredOrders::Settled StoredOrders::settledBetween(const std::string& from,
                                                   const std::string& until) {
    const auto row = firstRow(2,
                              "SELECT COUNT(*), COALESCE(SUM(s.应收), 0) FROM 结账记录 s "
                              "JOIN 流水 o ON o.单号 = s.单号 "
                              "WHERE s.结账时间 > ? AND s.结账时间 <= ? AND o.状态 <> 0",
                              {from, until});
    return row.size() == 2 ? Settled{std::stoll(row[0]), std::stoll(row[1])} : Settled{};
}

StoredOrders::Settled StoredOrders::settledInNumbers(const std::string& from,
                                                     const std::string& past) {
    const auto row = firstRow(2,
                              "SELECT COUNT(*), COALESCE(SUM(金额), 0) FROM 流水 "
                              "WHERE 单号 >= ? AND 单号 < ? AND 状态 <> 0",
                              {from, past});
    return row.size() == 2 ? Settled{std::stoll(row[0]), std::stoll(row[1])} : Settled{};
}

long long StoredOrders::closeCount() {
    return integer("SELECT COUNT(*) FROM 日结");
}

long long StoredOrders::lastCloseNumber() {
    return integer("SELECT COALESCE(MAX(序号), 0) FROM 日结");
}

std::string StoredOrders::lastCloseEnd() {
    return text("SELECT 结束 FROM 日结 ORDER BY 序号 DESC LIMIT 1");
}

long long StoredOrders::billsOnCloses() {
    return integer("SELECT COALESCE(SUM(单数), 0) FROM 日结");
}

long long StoredOrders::countWhere(const std::string& condition, const std::string& value) {
    return integer("SELECT COUNT(*) FROM 流水 WHERE " + condition, {value});
}

std::vector<std::string> StoredOrders::firstRow(int columns, const std::string& sql,
                                                std::initializer_list<Value> values) {
    std::vector<std::string> row;
    if (file_) {
        Statement query = file_->prepare(sql);
        int parameter = 0;
        for (const Value& value : values) {
            ++parameter;
            if (const auto* number = std::get_if<long long>(&value))
                query.bind(parameter, *number);
            else
                query.bind(parameter, std::get<std::string>(value));
        }
        if (!query.step()) return row;
        for (int column = 0; column < columns; ++column)
            row.push_back(query.text(column));
        return row;
    }
    std::vector<store::PgConnection::Value> texts;
    for (const Value& value : values) {
        if (const auto* number = std::get_if<long long>(&value))
            texts.emplace_back(std::to_string(*number));
        else
            texts.emplace_back(std::get<std::string>(value));
    }
    const auto rows = server_->run(numberedParameters(sql), texts);
    if (!rows)
        throw std::runtime_error("the server refused \"" + sql + "\": " + server_->failure());
    if (rows->empty()) return row;
    for (int column = 0; column < columns; ++column) {
        const auto& value = rows->front().at(static_cast<std::size_t>(column));
        row.push_back(value.value_or(std::string()));
    }
    return row;
}

long long StoredOrders::integer(const std::string& sql, std::initializer_list<Value> values) {
    const auto row = firstRow(1, sql, values);
    return row.empty() || row[0].empty() ? 0 : std::stoll(row[0]);
}

std::string StoredOrders::text(const std::string& sql, std::initializer_list<Value> values) {
    const auto row = firstRow(1, sql, values);
    return row.empty() ? std::string() : row[0];
}

} // namespace bench
