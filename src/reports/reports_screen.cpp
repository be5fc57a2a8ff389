#include "reports/reports_screen.h"

#include "app/permissions.h"
#include "app/program_settings.h"
#include "app/work_screens.h"
#include "records/export.h"
#include "reports/report_figures.h"
#include "store/sqlite_db.h"
#include "support/text_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace reports {
namespace {

constexpr int kDefaultDayStart = 5;
constexpr int kCustomPeriod = 6; // 自定义 in 组合框_期间
constexpr std::size_t kTen = 10;

// The breakdowns of 组合框_分析, in its order.
enum class View { TopDishes, BottomDishes, Categories, Hours, Days, Tables, Operators, Ways };

struct ScreenState {
    std::optional<Report> report;
    bool busy = false;
};

ui::Window& screenOf(app::App& app) {
    return app.reportsScreen;
}

void warn(app::App& app, std::string_view text) {
    app.message(screenOf(app), text, ui::kWarningBox);
}

// "05:00" and back; anything else is the default.
int dayStartOf(const std::optional<std::string>& text) {
    if (!text || text->size() != 5 || text->substr(2) != ":00") return kDefaultDayStart;
    const int hour = ((*text)[0] - '0') * 10 + ((*text)[1] - '0');
    return hour >= 0 && hour < 24 ? hour : kDefaultDayStart;
}

std::string dayStartText(int hour) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:00", hour);
    return text;
}

// To the fen, halves up as a cashier rounds.
std::string decimalText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::round(value * 100) / 100);
    return text;
}

std::string changeText(double before, double now) {
    const std::optional<double> change = changePercent(before, now);
    if (!change) return "—";
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f%%", *change);
    return text;
}

std::string shareText(std::int64_t amount, std::int64_t revenue) {
    if (revenue == 0) return "—";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%",
                  static_cast<double>(amount) / static_cast<double>(revenue) * 100);
    return text;
}

int selectedDayStart(app::App& app) {
    return std::max(screenOf(app).comboBox("组合框_营业日开始").selection(), 0);
}

int dayOfPicker(app::App& app, const char* name) {
    return static_cast<int>(std::floor(screenOf(app).datePicker(name).value()));
}

// The days the screen asks for: a named period around today's business day, or the two dates.
DayRange chosenDays(app::App& app) {
    ui::Window& screen = screenOf(app);
    const int today = businessDay(app.desktop().clock().now(), selectedDayStart(app));
    const int period = screen.comboBox("组合框_期间").selection();
    if (period == kCustomPeriod)
        return periodDays(PeriodKind::Dates, today, dayOfPicker(app, "日期框1"),
                          dayOfPicker(app, "日期框2"));
    return periodDays(static_cast<PeriodKind>(std::max(period, 0)), today);
}

// The dates follow a named period and may be chosen only for 自定义.
void showPeriodDates(app::App& app) {
    ui::Window& screen = screenOf(app);
    const bool custom = screen.comboBox("组合框_期间").selection() == kCustomPeriod;
    for (const char* picker : {"日期框1", "日期框2"})
        screen.control(picker).setDisabled(!custom);
    if (custom) return;
    const DayRange days = chosenDays(app);
    screen.datePicker("日期框1").setValue(days.first);
    screen.datePicker("日期框2").setValue(days.last);
}

std::string periodText(const DayRange& days) {
    return dayText(days.first) + " 至 " + dayText(days.last) + "（" +
           support::numberText(days.length()) + "天）";
}

void showSummary(app::App& app, const Report& report) {
    ui::Window& screen = screenOf(app);
    screen.label("标签_期间")
        .setCaption("本期：" + periodText(report.days) + "　上期：" +
                    periodText(report.daysBefore) + "　营业日从 " + dayStartText(report.startHour) +
                    " 开始");
    ui::ListView& summary = screen.listView("超级列表框_概况");
    summary.deleteAllRows();
    ui::ListView::RowBurst rows(summary);
    const Totals& now = report.totals;
    const Totals& before = report.totalsBefore;
    const auto whole = [&](std::string_view item, std::int64_t earlier, std::int64_t current) {
        rows.add({item, support::numberText(current), support::numberText(earlier),
                  changeText(static_cast<double>(earlier), static_cast<double>(current))});
    };
    const auto decimal = [&](std::string_view item, double earlier, double current) {
        rows.add({item, decimalText(current), decimalText(earlier), changeText(earlier, current)});
    };
    whole("单数", before.orders, now.orders);
    whole("人数", before.guests, now.guests);
    whole("营业额（元）", before.revenue, now.revenue);
    decimal("单均（元）", before.perOrder(), now.perOrder());
    decimal("人均（元）", before.perGuest(), now.perGuest());
}

// The rows a view shows, the chart's kind and its title.
struct Shown {
    std::vector<ReportRow> rows;
    ui::ChartKind chart = ui::ChartKind::Bars;
    std::string title;
    bool quantities = false;
};

std::vector<ReportRow> soldDishes(const Report& report) {
    std::vector<ReportRow> dishes;
    for (const ReportRow& row : report.dishes)
        if (row.name != kNotInLines) dishes.push_back(row);
    return dishes;
}

Shown shownFor(const Report& report, View view) {
    switch (view) {
    case View::TopDishes: {
        std::vector<ReportRow> dishes = soldDishes(report);
        dishes.resize(std::min(dishes.size(), kTen));
        return {dishes, ui::ChartKind::Bars, "菜品销量前十（金额，元）", true};
    }
    case View::BottomDishes: {
        std::vector<ReportRow> dishes = soldDishes(report);
        std::reverse(dishes.begin(), dishes.end());
        dishes.resize(std::min(dishes.size(), kTen));
        return {dishes, ui::ChartKind::Bars, "菜品销量后十（金额，元）", true};
    }
    case View::Categories:
        return {report.categories, ui::ChartKind::Pie, "分类（金额占比）", true};
    case View::Hours:
        return {report.hours, ui::ChartKind::Bars, "时段（金额，元）"};
    case View::Days:
        return {report.daily, report.daily.size() > 1 ? ui::ChartKind::Line : ui::ChartKind::Bars,
                "日期（金额，元）"};
    case View::Tables:
        return {report.tables, ui::ChartKind::Bars, "餐台（金额，元）"};
    case View::Operators:
        return {report.operators, ui::ChartKind::Bars, "操作员（金额，元）"};
    case View::Ways:
        return {report.ways, ui::ChartKind::Pie, "付款方式（金额占比）"};
    }
    return {};
}

// The chosen breakdown, the same rows in the table and in the chart.
void showBreakdown(app::App& app, const ScreenState& state) {
    ui::Window& screen = screenOf(app);
    ui::ListView& table = screen.listView("超级列表框_分析");
    ui::Chart& chart = screen.chart("图表_分析");
    table.deleteAllRows();
    if (!state.report) return chart.clear();
    const View view = static_cast<View>(std::max(screen.comboBox("组合框_分析").selection(), 0));
    const Shown shown = shownFor(*state.report, view);
    std::vector<ui::ChartPoint> points;
    {
        ui::ListView::RowBurst rows(table);
        for (const ReportRow& row : shown.rows) {
            rows.add({row.name, support::numberText(row.orders),
                      shown.quantities ? support::numberText(row.quantity) : "",
                      support::numberText(row.amount),
                      shareText(row.amount, state.report->totals.revenue)});
            points.push_back({row.name, static_cast<double>(row.amount)});
        }
    }
    chart.show(shown.chart, shown.title, std::move(points));
}

void showReport(app::App& app, ScreenState& state) {
    showSummary(app, *state.report);
    showBreakdown(app, state);
}

// Works the report out on a worker with a connection of its own; the screen shows it when done,
// if it is still open.
void query(app::App& app, const std::shared_ptr<ScreenState>& state) {
    if (state->busy) return;
    ui::Window& screen = screenOf(app);
    const int dayStart = selectedDayStart(app);
    if (dayStartOf(app::readSetting(app, kDayStartSetting)) != dayStart &&
        !app::storeSettings(app, {{kDayStartSetting, dayStartText(dayStart)}}))
        warn(app, "营业日开始时间保存失败，本次仍按所选时间统计。");
    showPeriodDates(app);
    const DayRange days = chosenDays(app);
    state->busy = true;
    screen.control("按钮_查询").setDisabled(true);
    screen.label("标签_期间").setCaption("正在统计 " + periodText(days) + "…");
    auto computed = std::make_shared<ComputedReport>();
    app.desktop().runInBackground(
        [computed, setting = app.databaseSetting, file = app.databasePath(), days, dayStart] {
            store::SqliteDB database;
            if (!store::openData(database, setting, file)) {
                computed->failure = "无法打开数据库";
                return;
            }
            *computed = computeReport(database, days, dayStart);
        },
        [&app, state, computed] {
            state->busy = false;
            ui::Window& shown = screenOf(app);
            if (!shown.isOpen()) return;
            shown.control("按钮_查询")
                .setDisabled(!app.currentUser.granted(app::Permission::Query));
            if (!computed->report) {
                shown.label("标签_期间").setCaption("");
                return warn(app, "统计失败：" + computed->failure + "，请检查！");
            }
            state->report = std::move(computed->report);
            showReport(app, *state);
        });
}

void open(app::App& app, const std::shared_ptr<ScreenState>& state) {
    state->report.reset();
    ui::Window& screen = screenOf(app);
    app::placeOverMainWindow(app, screen);
    app::applyGates(app, screen);
    screen.comboBox("组合框_营业日开始")
        .setSelection(dayStartOf(app::readSetting(app, kDayStartSetting)));
    showPeriodDates(app);
    if (app.currentUser.granted(app::Permission::Query)) query(app, state);
}

void exportBreakdown(app::App& app) {
    ui::Window& screen = screenOf(app);
    const std::string title = "营业报表_" + screen.comboBox("组合框_分析").content() + "_" +
                              dayText(dayOfPicker(app, "日期框1")) + "_" +
                              dayText(dayOfPicker(app, "日期框2"));
    records::exportList(app, screen, "超级列表框_分析", "Veltrano_" + title + "_",
                        [title] { return "Veltrano_" + title; });
}

} // namespace

void bindReportsScreen(app::App& app) {
    auto state = std::make_shared<ScreenState>();
    ui::WindowDef& def = screenOf(app).definition();
    def.on.created = [&app, state] { open(app, state); };
    def.control("组合框_期间").on.selectionChanged = [&app] { showPeriodDates(app); };
    def.control("组合框_分析").on.selectionChanged = [&app, state] { showBreakdown(app, *state); };
    def.control("按钮_查询").on.clicked = [&app, state] { query(app, state); };
    def.control("按钮_导出").on.clicked = [&app] { exportBreakdown(app); };
}

} // namespace reports
