#include "real_program.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QPieSeries>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using testing_support::widgetOf;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Chooses the item as a person does, which the box tells its screen; setting the index from
// code would not.
void choose(QComboBox* box, const char* item) {
    const int index = box->findText(text(item));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

struct Seen {
    QStringList names;
    QList<double> amounts;
};

// The breakdown's table, its names and amounts from the top.
Seen tableOf(QTableView* table) {
    Seen seen;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        seen.names << table->model()->index(row, 0).data().toString();
        seen.amounts << table->model()->index(row, 3).data().toString().toDouble();
    }
    return seen;
}

// The lying bars from the top: Qt counts them from the bottom.
Seen barsOf(QChartView* view) {
    Seen seen;
    const auto series = view->chart()->series();
    auto* bars = series.size() == 1 ? qobject_cast<QHorizontalBarSeries*>(series.front()) : nullptr;
    if (!bars || bars->barSets().size() != 1) return seen;
    const auto axes = view->chart()->axes(Qt::Vertical);
    auto* names = axes.size() == 1 ? qobject_cast<QBarCategoryAxis*>(axes.front()) : nullptr;
    if (!names) return seen;
    const QBarSet* set = bars->barSets().front();
    for (int bar = set->count() - 1; bar >= 0; --bar) {
        seen.names << names->at(bar);
        seen.amounts << set->at(bar);
    }
    return seen;
}

Seen pieOf(QChartView* view) {
    Seen seen;
    const auto series = view->chart()->series();
    auto* pie = series.size() == 1 ? qobject_cast<QPieSeries*>(series.front()) : nullptr;
    if (!pie) return seen;
    for (const QPieSlice* slice : pie->slices()) {
        seen.names << slice->label().section(QLatin1Char(' '), 0, 0);
        seen.amounts << slice->value();
    }
    return seen;
}

// Two days' orders looked at on real widgets: the report comes from its worker, and each
// chart shows the rows of the table beside it.
TEST(RealProgram, TheReportsChartsShowTheirTablesRows) {
    testing_support::ScriptedDialogs dialogs;
    Seen table;
    Seen bars;
    Seen categories;
    Seen pie;
    QString period;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        const auto add = [&](const char* number, const char* diningTable, int amount,
                             const char* dish, const char* category) {
            veltrano.openTable(veltrano.orders, "流水");
            veltrano.orders.BeginAdd();
            veltrano.orders.Write("单号", number);
            veltrano.orders.Write("台号", diningTable);
            veltrano.orders.Write("人数", 2);
            veltrano.orders.Write("金额", amount);
            veltrano.orders.Write("状态", 1);
            veltrano.orders.Commit();
            veltrano.orders.Close();
            veltrano.openTable(veltrano.orderLines, "明细");
            veltrano.orderLines.BeginAdd();
            veltrano.orderLines.Write("单号", number);
            veltrano.orderLines.Write("菜品", dish);
            veltrano.orderLines.Write("数量", 1);
            veltrano.orderLines.Write("金额", amount);
            veltrano.orderLines.Write("分类", category);
            veltrano.orderLines.Commit();
            veltrano.orderLines.Close();
        };
        add("20221028120000", "大厅01", 80, "红烧肉", "热菜");
        add("20221028130000", "大厅02", 45, "啤酒", "酒水");
        add("20221029023000", "大厅02", 120, "烤鱼", "热菜");

        const ui::Window& screen = veltrano.reportsScreen;
        testing_support::chooseToolbarEntry(desktop, veltrano, "营业报表");
        auto* label = widgetOf<QLabel>(desktop, screen, "标签_期间");
        // Today's report first, then the two days asked for.
        ASSERT_TRUE(QTest::qWaitFor([&] { return label->text().startsWith(text("本期")); }));
        auto* periods = widgetOf<QComboBox>(desktop, screen, "组合框_期间");
        choose(periods, "自定义");
        widgetOf<QDateEdit>(desktop, screen, "日期框1")->setDate(QDate(2022, 10, 28));
        widgetOf<QDateEdit>(desktop, screen, "日期框2")->setDate(QDate(2022, 10, 28));
        testing_support::clickButton(desktop, screen, "按钮_查询");
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return label->text().startsWith(text("本期：2022-10-28 至 2022-10-28"));
        })) << label->text().toStdString();
        period = label->text();

        auto* rows = widgetOf<QTableView>(desktop, screen, "超级列表框_分析");
        auto* chart = widgetOf<QChartView>(desktop, screen, "图表_分析");
        table = tableOf(rows);
        bars = barsOf(chart);
        auto* views = widgetOf<QComboBox>(desktop, screen, "组合框_分析");
        choose(views, "分类");
        QApplication::processEvents();
        categories = tableOf(rows);
        pie = pieOf(chart);
    });
    // 02:30 on the 29th belongs to the 28th's business day; the delivered menu's other dishes
    // follow at 0.
    ASSERT_GE(table.names.size(), 3) << period.toStdString();
    EXPECT_EQ(table.names.mid(0, 3), (QStringList{text("烤鱼"), text("红烧肉"), text("啤酒")}));
    EXPECT_EQ(table.amounts.mid(0, 4), (QList<double>{120, 80, 45, 0}));
    EXPECT_EQ(bars.names, table.names);
    EXPECT_EQ(bars.amounts, table.amounts);
    ASSERT_GE(categories.names.size(), 2);
    EXPECT_EQ(categories.names.mid(0, 2), (QStringList{text("热菜"), text("酒水")}));
    EXPECT_EQ(categories.amounts.mid(0, 3), (QList<double>{200, 45, 0}));
    EXPECT_EQ(pie.names, categories.names);
    EXPECT_EQ(pie.amounts, categories.amounts);
}

} // namespace
