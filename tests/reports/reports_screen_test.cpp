#include "report_sample.h"
#include "reports/report_period.h"

#include <cstdint>
#include <string>

namespace {

class ReportsScreenTest : public testing_support::ReportSampleTest {
protected:
    ReportsScreenTest() {
        // 03:00 on 3 December: still the business day of the 2nd.
        desktop.fakeClock.set({2026, 12, 3, 3, 0, 0});
    }

    ui::Window& screen() { return app.reportsScreen; }
    testing_support::ScreenDriver owner() { return person(app.reportsScreen); }
    void openReports() { person(app.mainWindow).clickToolButton("工具条1", 10); }

    // 1 and 2 December, asked for as two dates.
    void askForTheSample() {
        owner().pick("组合框_期间", "自定义");
        screen().datePicker("日期框1").userChoose(kDecember2);
        screen().datePicker("日期框2").userChoose(kDecember1);
        owner().click("按钮_查询");
    }

    std::string summary(const std::string& item, int column) {
        const ui::ListView& rows = screen().listView("超级列表框_概况");
        for (int row = 0; row < rows.rowCount(); ++row)
            if (rows.cellText(row, 0) == item) return rows.cellText(row, column);
        return "(none)";
    }

    // The breakdown's table against its chart: the same names and amounts, row for point; the
    // amounts' sum.
    std::int64_t checkTableAgainstChart() {
        const ui::ListView& table = screen().listView("超级列表框_分析");
        const ui::Chart& chart = screen().chart("图表_分析");
        EXPECT_EQ(chart.points().size(), static_cast<std::size_t>(table.rowCount()));
        std::int64_t sum = 0;
        for (int row = 0; row < table.rowCount() && row < static_cast<int>(chart.points().size());
             ++row) {
            const ui::ChartPoint& point = chart.points()[static_cast<std::size_t>(row)];
            EXPECT_EQ(point.label, table.cellText(row, 0));
            EXPECT_EQ(point.value, std::stod(table.cellText(row, 3)));
            sum += std::stoll(table.cellText(row, 3));
        }
        return sum;
    }
};

TEST_F(ReportsScreenTest, ThePeriodIsComparedAndEachBreakdownsChartShowsItsTable) {
    run([&] {
        openReports();
        // Today's business day, the 2nd, at once.
        EXPECT_EQ(summary("单数", 1), "2");
        EXPECT_EQ(summary("营业额（元）", 1), "100");

        askForTheSample();
        EXPECT_EQ(screen().label("标签_期间").caption(),
                  "本期：2026-12-01 至 2026-12-02（2天）　上期：2026-11-29 至 2026-11-30（2天）"
                  "　营业日从 05:00 开始");
        EXPECT_EQ(summary("单数", 1), "5");
        EXPECT_EQ(summary("单数", 2), "2");
        EXPECT_EQ(summary("单数", 3), "+150.0%");
        EXPECT_EQ(summary("营业额（元）", 1), "450");
        EXPECT_EQ(summary("营业额（元）", 2), "47");
        EXPECT_EQ(summary("单均（元）", 1), "90.00");
        EXPECT_EQ(summary("人均（元）", 1), "28.13");

        const ui::Chart& chart = screen().chart("图表_分析");
        EXPECT_EQ(screen().listView("超级列表框_分析").cellText(0, 0), "东坡肉");
        EXPECT_EQ(checkTableAgainstChart(), 180 + 122 + 76 + 66);
        EXPECT_EQ(chart.chartKind(), ui::ChartKind::Bars);

        // Every breakdown of whole orders adds up to the revenue, the categories too.
        for (const char* view : {"分类", "时段", "日期", "餐台", "操作员", "付款方式"}) {
            SCOPED_TRACE(view);
            owner().pick("组合框_分析", view);
            EXPECT_EQ(checkTableAgainstChart(), 450);
        }
        owner().pick("组合框_分析", "付款方式");
        EXPECT_EQ(chart.chartKind(), ui::ChartKind::Pie);
        owner().pick("组合框_分析", "菜品销量后十");
        EXPECT_EQ(screen().listView("超级列表框_分析").cellText(0, 0), "冰淇淋");
        EXPECT_EQ(screen().listView("超级列表框_分析").cellText(0, 3), "0");
        checkTableAgainstChart();
    });
}

TEST_F(ReportsScreenTest, TheDayStartIsStoredAndMovesOrdersBetweenDays) {
    run([&] {
        openReports();
        owner().pick("组合框_营业日开始", "00:00");
        askForTheSample();
        // Midnight to midnight: 04:59 on the 1st comes in, 04:59 on the 3rd goes out.
        EXPECT_EQ(summary("营业额（元）", 1), "447");
        EXPECT_EQ(querySql("SELECT 值 FROM 程序设置 WHERE 名称 = '营业日开始'"), "00:00");
    });
    logins = {{"管理员", "admin"}};
    run([&] {
        openReports();
        EXPECT_EQ(screen().comboBox("组合框_营业日开始").content(), "00:00");
    });
}

TEST_F(ReportsScreenTest, WithoutThePermissionToQueryNothingIsWorkedOut) {
    addUser("服务员", "1", "1100000000");
    logins = {{"服务员", "1"}};
    run([&] {
        openReports();
        EXPECT_TRUE(screen().control("按钮_查询").disabled());
        EXPECT_TRUE(screen().control("按钮_打印").disabled());
        EXPECT_TRUE(screen().control("按钮_导出").disabled());
        EXPECT_EQ(screen().listView("超级列表框_概况").rowCount(), 0);
    });
}

} // namespace
