// The floor under the program's heavy actions: the same work done with SQLite's C API alone, over
// a copy of a generated database, so that each time of the program can be set against what the
// engine itself needs for it:
//
//     bench_engine <database file> [--max-seconds-per-action N] [--first-query all]
//
// The connection is opened as the program opens its own (read-write, no per-call mutex) and left
// with SQLite's defaults: a rollback journal, synchronous FULL. Each action is timed as
// action_timer.h describes and reported as report.h shows. With --first-query all, only the read
// of every order is timed, once, as engine_query_all_first: the first query of a fresh process.

#include "action_timer.h"
#include "harness_options.h"
#include "program_directory.h"
#include "report.h"
#include "sqlite_file.h"
#include "stored_orders.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bench::Action;

void require(bool holds, const std::string& failure) {
    if (!holds) throw std::runtime_error(failure);
}

using Connection = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

Connection openConnection(const std::filesystem::path& file) {
    sqlite3* handle = nullptr;
    const int result = sqlite3_open_v2(file.c_str(), &handle,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    Connection connection(handle, sqlite3_close_v2);
    if (result != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.string() + ": " +
                                 (handle ? sqlite3_errmsg(handle) : "out of memory"));
    return connection;
}

// The order columns a list of orders shows, in the order it shows them.
constexpr char kReadOrders[] =
    "SELECT 单号, 时间, 台号, 人数, 金额, 状态, 操作, 备注 FROM 流水 ORDER BY rowid";
constexpr int kOrderColumns = 8;
constexpr int kTimeColumn = 1;
// Between the cells of a kept row; no stored text holds it.
constexpr char kCellSeparator = '\x1f';

// A kept order: its cells' texts, one after the other.
using OrderRow = std::string;

std::string_view firstCell(const OrderRow& row) {
    return std::string_view(row).substr(0, row.find(kCellSeparator));
}

// The text the engine gives for a cell of the current row; valid until the statement steps on.
std::string_view cellText(sqlite3_stmt* query, int column) {
    const unsigned char* text = sqlite3_column_text(query, column);
    const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(query, column));
    return text ? std::string_view(reinterpret_cast<const char*>(text), bytes) : std::string_view();
}

// A dish as an order line holds it.
struct Dish {
    std::string name;
    long long price = 0;
    std::string category;
};

class EngineBench {
public:
    explicit EngineBench(const bench::HarnessOptions& options)
        : directory_(options.database), stored_(directory_.database()),
          timer_(options.maxSecondsPerAction), db_(openConnection(directory_.database())) {
        const std::string latest = stored_.latestNumber();
        require(latest.size() == 14, "no order number in the database");
        year_ = std::stoi(latest.substr(0, 4));
        month_ = std::stoi(latest.substr(4, 2));
        // The time text has no leading zeros and closes the month with 月, so this prefix
        // matches that month alone.
        monthPrefix_ = std::to_string(year_) + "年" + std::to_string(month_) + "月";
    }

    void timeEveryAction() {
        for (const Action& action : {queryAll(), queryByDate(), deleteOrder(), oneCommit()})
            bench::reportTiming(timer_.time(action));
    }

    void timeFirstQuery() {
        Action first = queryAll();
        first.name += "_first";
        bench::reportTiming(timer_.timeOnce(first));
    }

private:
    // Every order, in table order, each kept as the texts of its cells: what a list showing
    // every order must at least do. What one run kept goes before the next.
    Action queryAll() {
        auto rows = std::make_shared<std::vector<OrderRow>>();
        return {"engine_query_all", [rows] { std::vector<OrderRow>().swap(*rows); },
                [this, rows] { readOrders(*rows, [](std::string_view) { return true; }); },
                [this, rows] {
                    const long long count = stored_.count();
                    require(count > 0 && static_cast<long long>(rows->size()) == count,
                            "kept " + std::to_string(rows->size()) + " orders, not " +
                                std::to_string(count));
                    for (const long long place : {0LL, count / 2, count - 1}) {
                        const OrderRow& row = (*rows)[static_cast<std::size_t>(place)];
                        require(firstCell(row) == stored_.numberAt(place) &&
                                    std::ranges::count(row, kCellSeparator) == kOrderColumns - 1,
                                "order " + std::to_string(place) + " was not kept whole");
                    }
                }};
    }

    // Every order read, those whose time text falls in the month of the last stored order kept:
    // the month bench_desk's query_by_date asks for.
    Action queryByDate() {
        auto rows = std::make_shared<std::vector<OrderRow>>();
        return {"engine_query_by_date", [rows] { std::vector<OrderRow>().swap(*rows); },
                [this, rows] {
                    readOrders(*rows, [this](std::string_view time) {
                        return time.starts_with(monthPrefix_);
                    });
                },
                [this, rows] {
                    const long long count = stored_.countInMonth(year_, month_);
                    require(count > 0 && static_cast<long long>(rows->size()) == count,
                            "kept " + std::to_string(rows->size()) + " orders of the month, not " +
                                std::to_string(count));
                    const std::string numberPrefix = stored_.latestNumber().substr(0, 6);
                    for (const OrderRow& row : *rows)
                        require(firstCell(row).starts_with(numberPrefix),
                                "kept order " + std::string(firstCell(row)) + " of another month");
                }};
    }

    // The order in the middle of the table and its lines, in one transaction; each run deletes
    // the order then in the middle.
    Action deleteOrder() {
        auto number = std::make_shared<std::string>();
        auto ordersBefore = std::make_shared<long long>();
        return {"engine_delete_order",
                [this, number, ordersBefore] {
                    *ordersBefore = stored_.count();
                    *number = stored_.numberAt(*ordersBefore / 2);
                    require(stored_.lineCount(*number) > 0, "order " + *number + " has no lines");
                },
                [this, number] {
                    execute("BEGIN IMMEDIATE");
                    for (const char* sql :
                         {"DELETE FROM 明细 WHERE 单号 = ?", "DELETE FROM 流水 WHERE 单号 = ?"}) {
                        bench::Statement deletion(db_.get(), sql);
                        deletion.bind(1, *number);
                        deletion.run();
                    }
                    execute("COMMIT");
                },
                [this, number, ordersBefore] {
                    require(!stored_.exists(*number) && stored_.lineCount(*number) == 0 &&
                                stored_.count() == *ordersBefore - 1,
                            "order " + *number + " was not deleted with its lines");
                }};
    }

    // The floor of a desk action that writes: a line added to an open order and the order's new
    // total, the sum of its lines, stored with it in one transaction synced to disk.
    Action oneCommit() {
        const std::string number = firstOpenOrder();
        const Dish dish = storedDish();
        auto linesBefore = std::make_shared<long long>();
        auto amountBefore = std::make_shared<long long>();
        return {"engine_one_commit",
                [this, number, linesBefore, amountBefore] {
                    *linesBefore = stored_.lineCount(number);
                    *amountBefore = stored_.amount(number);
                },
                [this, number, dish] {
                    execute("BEGIN IMMEDIATE");
                    bench::Statement line(db_.get(),
                                          "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) "
                                          "VALUES (?1, ?2, ?3, 1, ?3, ?4)");
                    line.bind(1, number);
                    line.bind(2, dish.name);
                    line.bind(3, dish.price);
                    line.bind(4, dish.category);
                    line.run();
                    bench::Statement total(db_.get(),
                                           "UPDATE 流水 SET 金额 = (SELECT SUM(金额) FROM 明细 "
                                           "WHERE 单号 = ?1) WHERE 单号 = ?1");
                    total.bind(1, number);
                    total.run();
                    execute("COMMIT");
                },
                [this, number, dish, linesBefore, amountBefore] {
                    require(stored_.lineCount(number) == *linesBefore + 1 &&
                                stored_.amount(number) == *amountBefore + dish.price,
                            "order " + number + " did not store the line and its new total");
                }};
    }

    // Steps through every order in table order and keeps, as one string each, the rows whose
    // time text `keep` accepts.
    void readOrders(std::vector<OrderRow>& rows,
                    const std::function<bool(std::string_view time)>& keep) {
        sqlite3_stmt* prepared = nullptr;
        if (sqlite3_prepare_v2(db_.get(), kReadOrders, -1, &prepared, nullptr) != SQLITE_OK)
            fail("prepare the read of every order");
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> query(prepared,
                                                                          sqlite3_finalize);
        int result = SQLITE_ROW;
        while ((result = sqlite3_step(query.get())) == SQLITE_ROW) {
            if (!keep(cellText(query.get(), kTimeColumn))) continue;
            std::array<std::string_view, kOrderColumns> cells;
            std::size_t length = kOrderColumns - 1;
            for (int column = 0; column < kOrderColumns; ++column) {
                cells[column] = cellText(query.get(), column);
                length += cells[column].size();
            }
            OrderRow& row = rows.emplace_back();
            row.reserve(length);
            for (int column = 0; column < kOrderColumns; ++column) {
                if (column > 0) row += kCellSeparator;
                row += cells[column];
            }
        }
        if (result != SQLITE_DONE) fail("read every order");
    }

    std::string firstOpenOrder() {
        bench::Statement query(db_.get(),
                               "SELECT 单号 FROM 流水 WHERE 状态 = 0 ORDER BY rowid LIMIT 1");
        require(query.step(), "no open order");
        return query.text(0);
    }

    // The dish of the first stored line, for a line added again and again.
    Dish storedDish() {
        bench::Statement query(db_.get(),
                               "SELECT 菜品, 单价, 分类 FROM 明细 ORDER BY rowid LIMIT 1");
        require(query.step(), "no order line");
        Dish dish{query.text(0), query.integer(1), query.text(2)};
        require(dish.price > 0, "the dish " + dish.name + " has no price");
        return dish;
    }

    void execute(const char* sql) {
        if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(std::string("run ") + sql);
    }

    [[noreturn]] void fail(const std::string& doing) {
        throw std::runtime_error("cannot " + doing + ": " + sqlite3_errmsg(db_.get()));
    }

    bench::ProgramDirectory directory_;
    bench::StoredOrders stored_;
    bench::ActionTimer timer_;
    Connection db_;
    int year_ = 0;
    int month_ = 0;
    std::string monthPrefix_;
};

} // namespace

int main(int argc, char** argv) {
    const auto options = bench::parseHarnessOptions("bench_engine", argc, argv, {"all"});
    if (!options) return 2;
    try {
        EngineBench bench(*options);
        if (options->firstQuery.empty())
            bench.timeEveryAction();
        else
            bench.timeFirstQuery();
    } catch (const std::exception& error) {
        std::cerr << "bench_engine: " << error.what() << '\n';
        return 1;
    }
    bench::reportPeakMemory();
    return 0;
}
