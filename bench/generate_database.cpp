// Makes a database with the delivered schema and starter data, grown to a realistic restaurant
// with a day, a year or a decade of orders. The same size always gives the same file.
//
//     generate_database <day|year|decade> <output file>

#include "delivered_database.h"
#include "order_history.h"
#include "restaurant_menu.h"
#include "sqlite_file.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
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
                  << written.lines << " lines\n";
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
