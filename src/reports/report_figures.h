#pragma once

#include "reports/report_period.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace store {
class SqliteDB;
}

namespace reports {

// The settled orders of a period: how many, their guests and their stored totals (whole 元).
struct Totals {
    std::int64_t orders = 0;
    std::int64_t guests = 0;
    std::int64_t revenue = 0;

    // 0 when there is nothing to divide by.
    double perOrder() const;
    double perGuest() const;
};

// One line of a breakdown: what it counts (a dish, an hour, a table…), the orders it has, the
// quantity sold (dishes and categories), and the amount.
struct ReportRow {
    std::string name;
    std::int64_t orders = 0;
    std::int64_t quantity = 0;
    std::int64_t amount = 0;
};

// Where the lines of orders do not add up to the orders' stored totals (orders written by hand
// or by another program), the difference is a row of its own in the dishes and the categories,
// so that every breakdown adds up to the revenue.
inline constexpr char kNotInLines[] = "（未分明细）";

// A period's figures and those of the period just before it, of the same length. Each
// breakdown's amounts add up to the revenue and, but for dishes and categories (an order has
// many), its orders to the orders.
struct Report {
    DayRange days;
    DayRange daysBefore;
    int startHour = 5;
    Totals totals;
    Totals totalsBefore;
    // Largest amount first; the menu's dishes and categories that sold nothing come last at 0.
    std::vector<ReportRow> dishes;
    std::vector<ReportRow> categories;
    // The 24 hours of the business day from the start hour on ("05时"), and each of its days.
    std::vector<ReportRow> hours;
    std::vector<ReportRow> daily;
    // Largest amount first.
    std::vector<ReportRow> tables;
    std::vector<ReportRow> operators;
    // The five ways of the checkout in their order, then 未记录 for orders settled before the
    // way was recorded, when there are any.
    std::vector<ReportRow> ways;
};

struct ComputedReport {
    std::optional<Report> report;
    std::string failure; // why there is none: the file could not be read, or a sum overflowed
};

// Reads the report of the business days from the open database. Orders are found by the
// opening moment their number begins with, through its index; only settled orders count.
ComputedReport computeReport(const store::SqliteDB& database, const DayRange& days, int startHour);

// The change from `before` to `now` in percent, nothing when `before` is 0.
std::optional<double> changePercent(double before, double now);

} // namespace reports
