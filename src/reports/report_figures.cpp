#include "reports/report_figures.h"

#include "store/query.h"
#include "store/schema.h"
#include "store/sqlite_db.h"
#include "support/checked_math.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>

namespace reports {
namespace {

constexpr char kOverflow[] = "金额超出范围";
constexpr char kUnreadable[] = "读取数据失败";

constexpr std::array<const char*, 6> kWays = {"现金",   "微信", "支付宝",
                                              "银行卡", "其他", store::schema::kUnrecordedWay};

// Sums that note the first one beyond 64 bits instead of wrapping.
class Adder {
public:
    void add(std::int64_t& total, std::int64_t value) {
        if (const auto sum = support::checkedSum(total, value))
            total = *sum;
        else
            overflow_ = true;
    }
    void add(ReportRow& row, std::int64_t orders, std::int64_t quantity, std::int64_t amount) {
        add(row.orders, orders);
        add(row.quantity, quantity);
        add(row.amount, amount);
    }
    bool overflow() const { return overflow_; }

private:
    bool overflow_ = false;
};

// Rows by name, handed out largest amount first (then most sold, then by name).
class Breakdown {
public:
    ReportRow& row(const std::string& name) {
        ReportRow& found = rows_[name];
        found.name = name;
        return found;
    }
    std::vector<ReportRow> largestFirst() const {
        std::vector<ReportRow> rows;
        for (const auto& [name, row] : rows_)
            rows.push_back(row);
        std::stable_sort(rows.begin(), rows.end(), [](const ReportRow& a, const ReportRow& b) {
            if (a.amount != b.amount) return a.amount > b.amount;
            return a.quantity > b.quantity;
        });
        return rows;
    }

private:
    std::map<std::string, ReportRow> rows_;
};

std::string hourName(int hour) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d时", hour);
    return text;
}

int digitsAt(const std::string& number, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count && i < number.size(); ++i)
        value = value * 10 + (number[i] - '0');
    return value;
}

// The opening moment the order number begins with; nothing for a number written otherwise (by
// hand, or by another program), which still sorts into a period by its text.
std::optional<support::CalendarTime> openingOf(const std::string& number) {
    constexpr std::size_t kDigits = 14;
    if (number.size() < kDigits) return std::nullopt;
    for (std::size_t i = 0; i < kDigits; ++i)
        if (number[i] < '0' || number[i] > '9') return std::nullopt;
    const support::CalendarTime moment{digitsAt(number, 0, 4),  digitsAt(number, 4, 2),
                                       digitsAt(number, 6, 2),  digitsAt(number, 8, 2),
                                       digitsAt(number, 10, 2), digitsAt(number, 12, 2)};
    if (!support::isValidCalendarTime(moment)) return std::nullopt;
    return moment;
}

constexpr char settledOnly[] = " AND 状态 <> 0";

Totals readTotals(const store::SqliteDB& database, const DayRange& days, int startHour,
                  bool& failed) {
    store::Query sums(database, std::string("SELECT COUNT(*), SUM(人数), SUM(金额) FROM 流水 "
                                            "WHERE 单号 >= ? AND 单号 < ?") +
                                    settledOnly);
    sums.bind(firstNumberOf(days.first, startHour)).bind(numberPast(days, startHour));
    if (!sums.next()) {
        failed = true;
        return {};
    }
    return {sums.integer(0), sums.isNull(1) ? 0 : sums.integer(1),
            sums.isNull(2) ? 0 : sums.integer(2)};
}

} // namespace

double Totals::perOrder() const {
    return orders == 0 ? 0 : static_cast<double>(revenue) / static_cast<double>(orders);
}

double Totals::perGuest() const {
    return guests == 0 ? 0 : static_cast<double>(revenue) / static_cast<double>(guests);
}

std::optional<double> changePercent(double before, double now) {
    if (before == 0) return std::nullopt;
    return (now - before) / before * 100;
}

ComputedReport computeReport(const store::SqliteDB& database, const DayRange& days, int startHour) {
    const store::FaultWatch watch(database.Faults());
    Report report;
    report.days = days;
    report.daysBefore = periodBefore(days);
    report.startHour = startHour;
    Adder adder;
    bool failed = false;
    const std::string from = firstNumberOf(days.first, startHour);
    const std::string past = numberPast(days, startHour);

    // The orders, one by one: their hour, day, table, operator and way of paying.
    for (int hour = 0; hour < 24; ++hour)
        report.hours.push_back({hourName((startHour + hour) % 24)});
    for (int day = days.first; day <= days.last; ++day)
        report.daily.push_back({dayText(day)});
    Breakdown tables;
    Breakdown operators;
    std::array<ReportRow, kWays.size()> ways;
    for (std::size_t way = 0; way < kWays.size(); ++way)
        ways[way].name = kWays[way];
    {
        store::Query orders(database,
                            std::string("SELECT o.单号, o.台号, o.人数, o.金额, o.操作, "
                                        "(SELECT s.付款方式 FROM 结账记录 s WHERE s.单号 = o.单号 "
                                        "ORDER BY s.结账时间 DESC LIMIT 1) "
                                        "FROM 流水 o WHERE o.单号 >= ? AND o.单号 < ?") +
                                settledOnly);
        orders.bind(from).bind(past);
        while (orders.next()) {
            const std::string number = orders.text(0);
            const std::int64_t guests = orders.integer(2);
            const std::int64_t amount = orders.integer(3);
            adder.add(report.totals.orders, 1);
            adder.add(report.totals.guests, guests);
            adder.add(report.totals.revenue, amount);

            // An order whose number holds no moment counts at the start of the period, so that
            // the hours and the days still add up to the revenue.
            const auto opened = openingOf(number);
            const int hourRow = opened ? (opened->hour - startHour + 24) % 24 : 0;
            adder.add(report.hours[static_cast<std::size_t>(hourRow)], 1, 0, amount);
            int day = opened ? businessDay(*opened, startHour) : days.first;
            if (day < days.first || day > days.last) day = days.first;
            adder.add(report.daily[static_cast<std::size_t>(day - days.first)], 1, 0, amount);
            adder.add(tables.row(orders.text(1)), 1, 0, amount);
            adder.add(operators.row(orders.text(4)), 1, 0, amount);
            const std::string way =
                orders.isNull(5) ? store::schema::kUnrecordedWay : orders.text(5);
            const auto known = std::find(kWays.begin(), kWays.end(), way);
            // A way this program does not offer (written by hand, or by a later version) is 其他.
            const std::size_t index =
                known == kWays.end() ? 4 : static_cast<std::size_t>(known - kWays.begin());
            adder.add(ways[index], 1, 0, amount);
        }
    }
    report.tables = tables.largestFirst();
    report.operators = operators.largestFirst();
    for (std::size_t way = 0; way < kWays.size(); ++way)
        if (way + 1 < kWays.size() || ways[way].orders > 0) report.ways.push_back(ways[way]);

    // The lines, summed by dish and category as they were sold: a dish renamed since shows under
    // the name it had.
    Breakdown dishes;
    Breakdown categories;
    std::int64_t inLines = 0;
    {
        store::Query lines(database,
                           std::string("SELECT d.菜品, d.分类, COUNT(DISTINCT d.单号), "
                                       "SUM(d.数量), SUM(d.金额) FROM 流水 o JOIN 明细 d "
                                       "ON d.单号 = o.单号 WHERE o.单号 >= ? AND o.单号 < ?") +
                               " AND o.状态 <> 0 GROUP BY d.菜品, d.分类");
        lines.bind(from).bind(past);
        while (lines.next()) {
            const std::int64_t orders = lines.integer(2);
            const std::int64_t quantity = lines.integer(3);
            const std::int64_t amount = lines.integer(4);
            adder.add(dishes.row(lines.text(0)), orders, quantity, amount);
            adder.add(categories.row(lines.text(1)), orders, quantity, amount);
            adder.add(inLines, amount);
        }
    }
    {
        store::Query menu(database, "SELECT 菜品, 分类 FROM 菜品");
        while (menu.next()) {
            // The menu keeps "name/price元"; the lines keep the name.
            const std::string entry = menu.text(0);
            dishes.row(entry.substr(0, entry.find('/')));
            categories.row(menu.text(1));
        }
        store::Query kinds(database, "SELECT 分类 FROM 分类");
        while (kinds.next())
            categories.row(kinds.text(0));
    }
    report.dishes = dishes.largestFirst();
    report.categories = categories.largestFirst();
    if (const auto rest = support::checkedDifference(report.totals.revenue, inLines)) {
        if (*rest != 0) {
            report.dishes.push_back({kNotInLines, 0, 0, *rest});
            report.categories.push_back({kNotInLines, 0, 0, *rest});
        }
    } else {
        return {std::nullopt, kOverflow};
    }

    report.totalsBefore = readTotals(database, report.daysBefore, startHour, failed);
    if (adder.overflow()) return {std::nullopt, kOverflow};
    if (failed || watch.failed()) return {std::nullopt, kUnreadable};
    return {std::move(report), {}};
}

} // namespace reports
