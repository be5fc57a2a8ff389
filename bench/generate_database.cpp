// Makes a database with the delivered schema and starter data, grown to a realistic restaurant
// with a day, a year or a decade of orders. The same size always gives the same file.
//
//     generate_database <day|year|decade> <output file>

#include "delivered_database.h"
#include "order_history.h"
#include "restaurant_menu.h"
#include "sqlite_file.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using bench::SqliteFile;

std::string deliveredSql() {
    std::ifstream in(VELTRANO_DATABASE_SQL, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + VELTRANO_DATABASE_SQL);
    std::ostringstream sql;
    sql << in.rdbuf();
    return sql.str();
}

const bench::HistorySize* findSize(std::string_view name) {
    for (const bench::HistorySize& size : bench::kHistorySizes)
        if (size.name == name) return &size;
    return nullptr;
}

void expectCount(SqliteFile& db, const std::string& what, const std::string& sql,
                 long long expected) {
    const long long found = db.integer(sql);
    if (found != expected)
        throw std::runtime_error("the generated database holds " + std::to_string(found) + " " +
                                 what + ", not " + std::to_string(expected));
}

// Every settled order paid once, as the checkout records it: the amount due is the order's, cash
// alone gives change, the remark says what the row says, and the bill is settled on the day the
// table sat down, after it did.
void checkSettlements(SqliteFile& db, const bench::HistorySize& size, const std::string& lastDay) {
    const long long settled = size.orders - bench::kOpenOrderCount;
    expectCount(db, "settlements", "SELECT COUNT(*) FROM 结账记录", settled);
    expectCount(db, "settled orders", "SELECT COUNT(DISTINCT 单号) FROM 结账记录", settled);
    expectCount(db, "settled orders without a settlement",
                "SELECT COUNT(*) FROM 流水 o WHERE o.状态 <> 0 AND NOT EXISTS "
                "(SELECT 1 FROM 结账记录 s WHERE s.单号 = o.单号)",
                0);
    expectCount(db, "settlements that disagree with their order",
                "SELECT COUNT(*) FROM 结账记录 s LEFT JOIN 流水 o ON o.单号 = s.单号 "
                "WHERE o.单号 IS NULL OR o.状态 = 0 OR s.应收 IS NOT o.金额 "
                "OR s.实收 - s.找零 IS NOT s.应收 OR s.找零 < 0 "
                "OR (s.付款方式 <> '现金' AND s.找零 <> 0) "
                "OR s.付款方式 NOT IN ('现金', '微信', '支付宝', '银行卡', '其他') "
                "OR s.操作员 IS NOT o.操作 "
                "OR substr(o.备注, 1, length('[实收：' || s.实收 || '元]' || char(13, 10) || "
                "'[找零：' || s.找零 || '元]')) IS NOT '[实收：' || s.实收 || '元]' || "
                "char(13, 10) || '[找零：' || s.找零 || '元]' "
                "OR replace(replace(replace(s.结账时间, '-', ''), ' ', ''), ':', '') <= s.单号 "
                "OR replace(substr(s.结账时间, 1, 10), '-', '') <> substr(s.单号, 1, 8)",
                0);
    char closingTime[16];
    std::snprintf(closingTime, sizeof closingTime, "%02d:%02d:00", bench::kCloseHour,
                  bench::kCloseMinute);
    expectCount(db, "settlements after the close of their day",
                "SELECT COUNT(*) FROM 结账记录 WHERE substr(结账时间, 12) > '" +
                    std::string(closingTime) + "'",
                0);
    if (settled >= 1000) {
        expectCount(db, "ways of paying", "SELECT COUNT(DISTINCT 付款方式) FROM 结账记录",
                    static_cast<long long>(std::size(bench::kWaysOfPaying)));
        expectCount(db, "cash bills with change",
                    "SELECT COUNT(*) > 0 FROM 结账记录 WHERE 付款方式 = '现金' AND 找零 > 0", 1);
        expectCount(db, "cash bills paid exact",
                    "SELECT COUNT(*) > 0 FROM 结账记录 WHERE 付款方式 = '现金' AND 找零 = 0", 1);
    }
    expectCount(db, "settled orders of the last day",
                "SELECT COUNT(*) FROM 结账记录 WHERE 单号 LIKE '" + lastDay + "%'",
                size.orders - static_cast<long long>(size.orders) * (size.days - 1) / size.days -
                    bench::kOpenOrderCount);
}

// A close for every day but the last, Z1 onwards without a gap, each period starting where the
// one before ended, each page adding up, and together they hold every settlement but the last
// day's: those are the page since the last close.
void checkCloses(SqliteFile& db, const bench::HistorySize& size, const std::string& lastDay) {
    const long long closes = size.days - 1;
    expectCount(db, "day closes", "SELECT COUNT(*) FROM 日结", closes);
    expectCount(db, "the first Z number", "SELECT IFNULL(MIN(序号), 1) FROM 日结", 1);
    expectCount(db, "the last Z number", "SELECT IFNULL(MAX(序号), 0) FROM 日结", closes);
    expectCount(db, "closes whose period does not follow the one before",
                "SELECT COUNT(*) FROM 日结 d LEFT JOIN 日结 p ON p.序号 = d.序号 - 1 "
                "WHERE d.开始 IS NOT p.结束 OR d.结束 <= IFNULL(d.开始, '') "
                "OR d.日结时间 IS NOT d.结束 OR d.备用金 IS NOT IFNULL(p.下次备用金, 0)",
                0);
    expectCount(db, "closes whose page does not add up",
                "SELECT COUNT(*) FROM 日结 WHERE 单数 <= 0 OR 人数 < 单数 "
                "OR 现金 + 微信 + 支付宝 + 银行卡 + 其他 + 未记录 <> 应收合计 "
                "OR 应有现金 <> 备用金 + 现金实收 - 现金找零 OR 现金实收 - 现金找零 <> 现金 "
                "OR 差额 <> 实点现金 - 应有现金 OR 未记录 <> 0 OR 未结单数 <> 0 OR 删除单数 <> 0 "
                "OR substr(首单, 1, 8) <> replace(substr(结束, 1, 10), '-', '') "
                "OR substr(末单, 1, 8) <> substr(首单, 1, 8) OR 操作员 IS NULL",
                0);
    const std::string closedDays = "FROM 流水 WHERE 状态 <> 0 AND 单号 NOT LIKE '" + lastDay + "%'";
    expectCount(db, "bills on the closes", "SELECT IFNULL(SUM(单数), 0) FROM 日结",
                db.integer("SELECT COUNT(*) " + closedDays));
    expectCount(db, "guests on the closes", "SELECT IFNULL(SUM(人数), 0) FROM 日结",
                db.integer("SELECT IFNULL(SUM(人数), 0) " + closedDays));
    expectCount(db, "amount due on the closes", "SELECT IFNULL(SUM(应收合计), 0) FROM 日结",
                db.integer("SELECT IFNULL(SUM(金额), 0) " + closedDays));
    expectCount(
        db, "settlements since the last close",
        "SELECT COUNT(*) FROM 结账记录 WHERE 结账时间 > "
        "IFNULL((SELECT 结束 FROM 日结 ORDER BY 序号 DESC LIMIT 1), '')",
        db.integer("SELECT COUNT(*) FROM 流水 WHERE 状态 <> 0 AND 单号 LIKE '" + lastDay + "%'"));
}

// Reads back what was written and fails on anything the history should not hold.
void checkDatabase(SqliteFile& db, const bench::HistorySize& size,
                   const bench::WrittenHistory& written) {
    expectCount(db, "dining tables", "SELECT COUNT(*) FROM 餐台", bench::kDiningTableCount);
    expectCount(db, "categories", "SELECT COUNT(*) FROM 分类", bench::kCategoryCount);
    expectCount(db, "dishes", "SELECT COUNT(*) FROM 菜品", bench::kDishCount);
    expectCount(db, "orders", "SELECT COUNT(*) FROM 流水", size.orders);
    expectCount(db, "order numbers", "SELECT COUNT(DISTINCT 单号) FROM 流水", size.orders);
    expectCount(db, "days", "SELECT COUNT(DISTINCT substr(单号, 1, 8)) FROM 流水", size.days);
    expectCount(db, "open orders", "SELECT COUNT(*) FROM 流水 WHERE 状态 = 0",
                bench::kOpenOrderCount);
    expectCount(db, "tables with an open order",
                "SELECT COUNT(DISTINCT 台号) FROM 流水 WHERE 状态 = 0", bench::kOpenOrderCount);
    const std::string lastDay =
        support::orderNumber(support::toDateTime(bench::kLastDay)).substr(0, 8);
    expectCount(db, "open orders before the last day",
                "SELECT COUNT(*) FROM 流水 WHERE 状态 = 0 AND 单号 NOT LIKE '" + lastDay + "%'", 0);
    expectCount(db, "order lines", "SELECT COUNT(*) FROM 明细", written.lines);
    expectCount(db, "orders without lines",
                "SELECT COUNT(*) FROM 流水 WHERE NOT EXISTS "
                "(SELECT 1 FROM 明细 WHERE 明细.单号 = 流水.单号)",
                0);
    expectCount(db, "orders whose amount is not the sum of their lines",
                "SELECT COUNT(*) FROM 流水 WHERE 金额 <> "
                "(SELECT SUM(金额) FROM 明细 WHERE 明细.单号 = 流水.单号)",
                0);
    if (written.lines < size.orders * 4LL || written.lines > size.orders * 6LL)
        throw std::runtime_error("the generated orders have " + std::to_string(written.lines) +
                                 " lines, far from 5 an order");
    checkSettlements(db, size, lastDay);
    checkCloses(db, size, lastDay);
}

void generate(const bench::HistorySize& size, const std::filesystem::path& target) {
    std::filesystem::path partial = target;
    partial += ".part";
    std::filesystem::remove(partial);
    std::string error;
    if (!data::createDatabase(deliveredSql(), partial, &error)) throw std::runtime_error(error);
    {
        SqliteFile db(partial);
        // The file is thrown away if anything fails, so nothing needs to survive a crash.
        db.execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
                   "PRAGMA cache_size = -262144;");
        db.execute("BEGIN");
        bench::growMenu(db);
        const auto written = bench::writeOrderHistory(db, size, bench::storedDiningTables(db),
                                                      bench::storedDishes(db));
        db.execute("COMMIT");
        checkDatabase(db, size, written);
        std::cout << "generate_database: " << size.name << ": " << written.orders << " orders, "
                  << written.lines << " lines, " << written.settlements << " settlements, "
                  << written.closes << " day closes\n";
    }
    std::filesystem::rename(partial, target);
}

} // namespace

int main(int argc, char** argv) {
    const bench::HistorySize* size = argc == 3 ? findSize(argv[1]) : nullptr;
    if (!size) {
        std::cerr << "usage: generate_database <day|year|decade> <output file>\n";
        return 2;
    }
    const std::filesystem::path target = argv[2];
    if (std::filesystem::exists(target)) {
        std::cerr << "generate_database: " << target.string()
                  << " already exists; it is never overwritten\n";
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    try {
        generate(*size, target);
    } catch (const std::exception& failure) {
        std::filesystem::path partial = target;
        partial += ".part";
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        std::cerr << "generate_database: " << failure.what() << '\n';
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::cout << "generate_database: wrote " << target.string() << " in " << took.count() << " s\n";
    return 0;
}
