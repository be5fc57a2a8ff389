#include "stored_orders.h"

#include <cstdio>

namespace bench {

long long StoredOrders::count() {
    return db_.integer("SELECT COUNT(*) FROM 流水");
}

long long StoredOrders::openCount() {
    return db_.integer("SELECT COUNT(*) FROM 流水 WHERE 状态 = 0");
}

long long StoredOrders::countInMonth(int year, int month) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04d%02d%%", year, month);
    return countWhere("单号 LIKE ?", prefix);
}

long long StoredOrders::lineCount(const std::string& number) {
    Statement query = db_.prepare("SELECT COUNT(*) FROM 明细 WHERE 单号 = ?");
    query.bind(1, number);
    return query.step() ? query.integer(0) : 0;
}

bool StoredOrders::exists(const std::string& number) {
    return countWhere("单号 = ?", number) > 0;
}

bool StoredOrders::settled(const std::string& number) {
    Statement query = db_.prepare("SELECT 状态 FROM 流水 WHERE 单号 = ?");
    query.bind(1, number);
    return query.step() && query.integer(0) != 0;
}

long long StoredOrders::amount(const std::string& number) {
    Statement query = db_.prepare("SELECT 金额 FROM 流水 WHERE 单号 = ?");
    query.bind(1, number);
    return query.step() ? query.integer(0) : 0;
}

std::string StoredOrders::latestNumber() {
    return db_.text("SELECT MAX(单号) FROM 流水");
}

std::string StoredOrders::numberAt(long long place) {
    Statement query = db_.prepare("SELECT 单号 FROM 流水 ORDER BY rowid LIMIT 1 OFFSET ?");
    query.bind(1, place);
    return query.step() ? query.text(0) : std::string();
}

StoredOrders::Settled StoredOrders::settledBetween(const std::string& from,
                                                   const std::string& until) {
    Statement query = db_.prepare("SELECT COUNT(*), IFNULL(SUM(s.应收), 0) FROM 结账记录 s "
                                  "JOIN 流水 o ON o.单号 = s.单号 "
                                  "WHERE s.结账时间 > ? AND s.结账时间 <= ? AND o.状态 <> 0");
    query.bind(1, from);
    query.bind(2, until);
    return query.step() ? Settled{query.integer(0), query.integer(1)} : Settled{};
}

StoredOrders::Settled StoredOrders::settledInNumbers(const std::string& from,
                                                     const std::string& past) {
    Statement query = db_.prepare("SELECT COUNT(*), IFNULL(SUM(金额), 0) FROM 流水 "
                                  "WHERE 单号 >= ? AND 单号 < ? AND 状态 <> 0");
    query.bind(1, from);
    query.bind(2, past);
    return query.step() ? Settled{query.integer(0), query.integer(1)} : Settled{};
}

long long StoredOrders::closeCount() {
    return db_.integer("SELECT COUNT(*) FROM 日结");
}

long long StoredOrders::lastCloseNumber() {
    return db_.integer("SELECT IFNULL(MAX(序号), 0) FROM 日结");
}

std::string StoredOrders::lastCloseEnd() {
    return db_.text("SELECT 结束 FROM 日结 ORDER BY 序号 DESC LIMIT 1");
}

long long StoredOrders::billsOnCloses() {
    return db_.integer("SELECT IFNULL(SUM(单数), 0) FROM 日结");
}

long long StoredOrders::countWhere(const std::string& condition, const std::string& value) {
    Statement query = db_.prepare("SELECT COUNT(*) FROM 流水 WHERE " + condition);
    query.bind(1, value);
    return query.step() ? query.integer(0) : 0;
}

} // namespace bench
