#include "report_sample.h"
#include "reports/report_figures.h"
#include "reports/report_period.h"

#include <cstdint>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace {

using reports::DayRange;
using reports::PeriodKind;
using reports::ReportRow;

class ReportFiguresTest : public testing_support::ReportSampleTest {
protected:
    reports::Report reportOf(const DayRange& days) {
        const reports::ComputedReport computed = reports::computeReport(app.database, days, 5);
        EXPECT_EQ(computed.failure, "");
        return computed.report.value_or(reports::Report{});
    }

    static std::int64_t amountOf(const std::vector<ReportRow>& rows) {
        return std::accumulate(
            rows.begin(), rows.end(), std::int64_t{0},
            [](std::int64_t sum, const ReportRow& row) { return sum + row.amount; });
    }
    static std::int64_t ordersOf(const std::vector<ReportRow>& rows) {
        return std::accumulate(
            rows.begin(), rows.end(), std::int64_t{0},
            [](std::int64_t sum, const ReportRow& row) { return sum + row.orders; });
    }
    static const ReportRow& rowNamed(const std::vector<ReportRow>& rows, const std::string& name) {
        for (const ReportRow& row : rows)
            if (row.name == name) return row;
        static const ReportRow none{"(none)", -1, -1, -1};
        ADD_FAILURE() << "no row " << name;
        return none;
    }
};

TEST_F(ReportFiguresTest, ThePeriodsTotalsAndAveragesAreThoseWorkedOutByHand) {
    const reports::Report report = reportOf({kDecember1, kDecember2});
    // Five settled orders: the open one, 05:00 on the 3rd and 04:59 on the 1st are outside.
    EXPECT_EQ(report.totals.orders, 5);
    EXPECT_EQ(report.totals.guests, 16);
    EXPECT_EQ(report.totals.revenue, 450);
    EXPECT_DOUBLE_EQ(report.totals.perOrder(), 90.0);
    EXPECT_DOUBLE_EQ(report.totals.perGuest(), 28.125);

    // The period before has the same two days: 29 and 30 November, 04:59 on the 1st included.
    EXPECT_EQ(report.daysBefore, (DayRange{kDecember1 - 2, kDecember1 - 1}));
    EXPECT_EQ(report.totalsBefore.orders, 2);
    EXPECT_EQ(report.totalsBefore.guests, 3);
    EXPECT_EQ(report.totalsBefore.revenue, 47);
    EXPECT_NEAR(*reports::changePercent(47, 450), (450.0 - 47) / 47 * 100, 1e-9);
    EXPECT_FALSE(reports::changePercent(0, 450).has_value());
}

TEST_F(ReportFiguresTest, EveryBreakdownAddsUpToTheRevenue) {
    const reports::Report report = reportOf({kDecember1, kDecember2});
    for (const auto* rows :
         {&report.hours, &report.daily, &report.tables, &report.operators, &report.ways}) {
        EXPECT_EQ(amountOf(*rows), report.totals.revenue);
        EXPECT_EQ(ordersOf(*rows), report.totals.orders);
    }
    EXPECT_EQ(amountOf(report.dishes), report.totals.revenue);
    EXPECT_EQ(amountOf(report.categories), report.totals.revenue);

    // After midnight counts for the evening before, at its own hour of that business day.
    ASSERT_EQ(report.hours.size(), 24u);
    EXPECT_EQ(report.hours.front().name, "05时");
    EXPECT_EQ(report.hours.back().name, "04时");
    EXPECT_EQ(rowNamed(report.hours, "01时").amount, 50);
    EXPECT_EQ(rowNamed(report.hours, "04时").amount, 10);
    EXPECT_EQ(rowNamed(report.hours, "12时").orders, 2);
    ASSERT_EQ(report.daily.size(), 2u);
    EXPECT_EQ(report.daily[0].name, "2026-12-01");
    EXPECT_EQ(report.daily[0].amount, 350);
    EXPECT_EQ(report.daily[1].amount, 100);

    // The deleted table keeps its orders; the largest first.
    ASSERT_EQ(report.tables.size(), 2u);
    EXPECT_EQ(report.tables[0].name, "大厅01");
    EXPECT_EQ(report.tables[0].amount, 250);
    EXPECT_EQ(report.tables[1].name, "包间9");
    EXPECT_EQ(rowNamed(report.operators, "小王").amount, 290);
    EXPECT_EQ(rowNamed(report.ways, "现金").amount, 200);
    EXPECT_EQ(rowNamed(report.ways, "微信").amount, 200);
    EXPECT_EQ(rowNamed(report.ways, "未记录").amount, 50);
    EXPECT_EQ(rowNamed(report.ways, "支付宝").orders, 0);
}

TEST_F(ReportFiguresTest, DishesAndCategoriesShowWhatSoldUnderItsNameAndWhatDidNot) {
    const reports::Report report = reportOf({kDecember1, kDecember2});
    EXPECT_EQ(report.dishes.front().name, "东坡肉");
    EXPECT_EQ(report.dishes.front().amount, 180);
    EXPECT_EQ(report.dishes.front().quantity, 3);
    // Sold before the dish was renamed: its old name, though the menu no longer has it.
    EXPECT_EQ(rowNamed(report.dishes, "红烧肉").amount, 76);
    const ReportRow& beer = rowNamed(report.dishes, "啤酒");
    EXPECT_EQ(beer.orders, 3);
    EXPECT_EQ(beer.quantity, 15);
    EXPECT_EQ(beer.amount, 122);
    EXPECT_EQ(rowNamed(report.dishes, "冰淇淋").amount, 0);
    EXPECT_EQ(rowNamed(report.categories, "甜品").quantity, 0);
    EXPECT_EQ(rowNamed(report.categories, "热菜").amount, 256);
    // The order whose lines fall 6 short of its total.
    EXPECT_EQ(rowNamed(report.dishes, reports::kNotInLines).amount, 6);
    EXPECT_EQ(report.dishes.back().name, reports::kNotInLines);
}

TEST_F(ReportFiguresTest, AnEmptyPeriodAndSumsBeyond64BitsAreToldApart) {
    const reports::Report empty = reportOf({kDecember1 - 30, kDecember1 - 20});
    EXPECT_EQ(empty.totals.orders, 0);
    EXPECT_EQ(empty.totals.perGuest(), 0);
    EXPECT_EQ(empty.daily.size(), 11u);
    EXPECT_EQ(amountOf(empty.dishes), 0);

    const std::string huge = std::to_string(std::numeric_limits<std::int64_t>::max() - 100);
    executeSql("UPDATE 流水 SET 金额 = " + huge + " WHERE 单号 = '20261202120000'");
    const reports::ComputedReport overflowing =
        reports::computeReport(app.database, {kDecember1, kDecember2}, 5);
    EXPECT_FALSE(overflowing.report.has_value());
    EXPECT_EQ(overflowing.failure, "金额超出范围");
}

TEST_F(ReportFiguresTest, AnOrderNumberWithoutAMomentStillCountsAndAddsUp) {
    // Written by another program: it sorts between the 2nd and the 3rd, but holds no moment.
    order("20261202-5:30", "大厅01", 2, 33, "小李", "现金", {{"米饭", "主食", 3, 33}});
    order("20261202999999", "大厅01", 1, 11, "小李", "现金", {{"米饭", "主食", 1, 11}});
    const reports::Report report = reportOf({kDecember1, kDecember2});
    EXPECT_EQ(report.totals.orders, 7);
    EXPECT_EQ(report.totals.revenue, 450 + 33 + 11);
    for (const auto* rows : {&report.hours, &report.daily, &report.tables, &report.ways}) {
        EXPECT_EQ(amountOf(*rows), report.totals.revenue);
        EXPECT_EQ(ordersOf(*rows), report.totals.orders);
    }
    EXPECT_EQ(report.hours.front().amount, 33 + 11);
    EXPECT_EQ(report.daily.front().amount, 350 + 33 + 11);
}

TEST(ReportPeriod, PeriodsAndTheirPredecessorsAreWholeBusinessDays) {
    const int thursday = reports::dayNumber(2026, 12, 10);
    EXPECT_EQ(reports::businessDay({2026, 12, 11, 4, 59, 59}, 5), thursday);
    EXPECT_EQ(reports::businessDay({2026, 12, 10, 5, 0, 0}, 5), thursday);
    EXPECT_EQ(reports::businessDay({2026, 12, 10, 0, 30, 0}, 0), thursday);

    using reports::periodDays;
    EXPECT_EQ(periodDays(PeriodKind::Today, thursday), (DayRange{thursday, thursday}));
    EXPECT_EQ(periodDays(PeriodKind::Yesterday, thursday), (DayRange{thursday - 1, thursday - 1}));
    EXPECT_EQ(periodDays(PeriodKind::ThisWeek, thursday), (DayRange{thursday - 3, thursday}));
    EXPECT_EQ(periodDays(PeriodKind::LastWeek, thursday), (DayRange{thursday - 10, thursday - 4}));
    EXPECT_EQ(periodDays(PeriodKind::ThisMonth, thursday), (DayRange{thursday - 9, thursday}));
    EXPECT_EQ(periodDays(PeriodKind::LastMonth, thursday),
              (DayRange{reports::dayNumber(2026, 11, 1), reports::dayNumber(2026, 11, 30)}));
    EXPECT_EQ(periodDays(PeriodKind::LastMonth, reports::dayNumber(2027, 1, 15)),
              (DayRange{reports::dayNumber(2026, 12, 1), reports::dayNumber(2026, 12, 31)}));
    EXPECT_EQ(periodDays(PeriodKind::Dates, thursday, thursday, thursday - 5),
              (DayRange{thursday - 5, thursday}));

    for (const PeriodKind kind : {PeriodKind::Today, PeriodKind::ThisWeek, PeriodKind::LastWeek,
                                  PeriodKind::ThisMonth, PeriodKind::LastMonth}) {
        const DayRange days = periodDays(kind, thursday);
        const DayRange before = reports::periodBefore(days);
        EXPECT_EQ(before.length(), days.length());
        EXPECT_EQ(before.last + 1, days.first);
    }
    EXPECT_EQ(reports::firstNumberOf(thursday, 5), "20261210050000");
    EXPECT_EQ(reports::numberPast({thursday, thursday}, 5), "20261211050000");
    EXPECT_EQ(reports::dayText(thursday), "2026-12-10");
}

} // namespace
