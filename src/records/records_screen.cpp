#include "records/records_screen.h"

#include "app/permissions.h"
#include "app/work_screens.h"
#include "records/export.h"
#include "store/schema.h"
#include "support/checked_math.h"
#include "support/date_time.h"
#include "support/text_rules.h"

#include <cstdint>
#include <limits>
#include <tuple>

namespace records {
namespace {

namespace orders = store::schema::orders;
namespace lines = store::schema::orderLines;
using Query = app::App::RecordsQuery;

ui::ListView& orderList(app::App& app) {
    return app.recordsScreen.listView("超级列表框_流水");
}

ui::ListView& lineList(app::App& app) {
    return app.recordsScreen.listView("超级列表框_明细");
}

void warn(app::App& app, std::string_view text) {
    app.message(app.recordsScreen, text, ui::kWarningBox);
}

void numberRows(ui::ListView& list) {
    for (int row = 0; row < list.rowCount(); ++row)
        list.setCellText(row, 0, support::numberText(row + 1));
}

// The order on the orders cursor's current record, as a row of the order list.
void appendOrderRow(app::App& app) {
    ui::ListView& list = orderList(app);
    store::SqliteTable& cursor = app.orders;
    const int row = list.insertRow("");
    list.setCellText(row, 1, cursor.ReadText(orders::kNumber));
    list.setCellText(row, 2, cursor.ReadText(orders::kTime));
    list.setCellText(row, 3, cursor.ReadText(orders::kDiningTable));
    list.setCellText(row, 4, support::numberText(cursor.ReadInt(orders::kGuests)));
    list.setCellText(row, 5, support::numberText(cursor.ReadInt(orders::kAmount)));
    list.setCellText(row, 6, cursor.ReadInt(orders::kState) == 0 ? "未结账" : "已结账");
    list.setCellText(row, 7, cursor.ReadText(orders::kOperator));
    list.setCellText(row, 8, cursor.ReadText(orders::kRemark));
}

// Ten years of orders must add up: the totals are 64-bit, and a sum beyond that shows as the
// largest there is rather than wrapping round.
void addTo(std::int64_t& total, std::int64_t value) {
    total = support::checkedSum(total, value)
                .value_or(value < 0 ? std::numeric_limits<std::int64_t>::min()
                                    : std::numeric_limits<std::int64_t>::max());
}

void computeTotals(app::App& app) {
    const ui::ListView& list = orderList(app);
    std::int64_t guests = 0;
    std::int64_t amount = 0;
    std::int64_t settled = 0;
    std::int64_t unsettled = 0;
    for (int row = 0; row < list.rowCount(); ++row) {
        const std::int64_t rowAmount = support::textToInt(list.cellText(row, 5));
        addTo(guests, support::textToInt(list.cellText(row, 4)));
        addTo(amount, rowAmount);
        addTo(list.cellText(row, 6) == "已结账" ? settled : unsettled, rowAmount);
    }
    ui::Window& screen = app.recordsScreen;
    screen.label("标签_人数合计").setCaption(support::numberText(guests));
    screen.label("标签_金额合计").setCaption(support::numberText(amount));
    screen.label("标签_已结合计").setCaption(support::numberText(settled));
    screen.label("标签_未结合计").setCaption(support::numberText(unsettled));
}

void clearListsAndTotals(app::App& app) {
    orderList(app).deleteAllRows();
    lineList(app).deleteAllRows();
    for (const char* total : {"标签_人数合计", "标签_金额合计", "标签_已结合计", "标签_未结合计"})
        app.recordsScreen.label(total).setCaption("0");
}

void showSelectedOrder(app::App& app) {
    ui::ListView& lines = lineList(app);
    lines.deleteAllRows();
    const ui::ListView& list = orderList(app);
    const int selected = list.selectedRow();
    if (selected < 0) return;
    const store::FaultWatch watch = app.watchDatabase();
    app.openTable(app.orderLines, lines::kTable);
    app.orderLines.ForEachWhere({{lines::kNumber, list.cellText(selected, 1)}}, [&] {
        const int row = lines.insertRow("");
        lines.setCellText(row, 1, app.orderLines.ReadText(lines::kNumber));
        lines.setCellText(row, 2, app.orderLines.ReadText(lines::kDish));
        lines.setCellText(row, 3, support::numberText(app.orderLines.ReadInt(lines::kUnitPrice)));
        lines.setCellText(row, 4, support::numberText(app.orderLines.ReadInt(lines::kQuantity)));
        lines.setCellText(row, 5, support::numberText(app.orderLines.ReadInt(lines::kAmount)));
        lines.setCellText(row, 6, app.orderLines.ReadText(lines::kCategory));
    });
    app.orderLines.Close();
    int column = 1;
    for (const char* label : {"标签_单号", "标签_时间", "标签_台号", "标签_人数", "标签_金额"})
        app.recordsScreen.label(label).setCaption(list.cellText(selected, column++));
    numberRows(lines);
    if (watch.failed()) app.reportFailure(app.recordsScreen, app::kReadFailed);
}

void queryAll(app::App& app) {
    orderList(app).deleteAllRows();
    lineList(app).deleteAllRows();
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.orders, orders::kTable))
        app.orders.ForEachRecord([&] { appendOrderRow(app); });
    app.orders.Close();
    numberRows(orderList(app));
    computeTotals(app);
    app.lastRecordsQuery = Query::All;
    if (watch.failed()) app.reportFailure(app.recordsScreen, app::kReadFailed);
}

// A calendar date, the time of day dropped; moments outside 1 January 100 to 31 December 9999
// count as the nearer end.
std::tuple<int, int, int> calendarDate(support::DateTime moment) {
    if (!(moment >= support::kUnreadableDateTime)) return {100, 1, 1};
    const auto time = support::toCalendarTime(moment);
    if (!time) return {9999, 12, 31};
    return {time->year, time->month, time->day};
}

void queryByDate(app::App& app) {
    clearListsAndTotals(app);
    const auto first = calendarDate(app.recordsScreen.datePicker("日期框1").value());
    const auto last = calendarDate(app.recordsScreen.datePicker("日期框2").value());
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.orders, orders::kTable)) {
        app.orders.ForEachRecord([&] {
            const auto opened =
                calendarDate(support::ParseDateTimeText(app.orders.ReadText(orders::kTime)));
            if (first <= opened && opened <= last) appendOrderRow(app);
        });
    }
    app.orders.Close();
    // Orders that could not be read are not "no orders in that time".
    if (watch.failed()) {
        numberRows(orderList(app));
        computeTotals(app);
        return app.reportFailure(app.recordsScreen, app::kReadFailed);
    }
    if (orderList(app).rowCount() == 0) return warn(app, "该时间段没有记录！");
    numberRows(orderList(app));
    computeTotals(app);
    app.lastRecordsQuery = Query::ByDate;
}

void queryByNumber(app::App& app) {
    const std::string number = app.recordsScreen.editBox("编辑框_单号").content();
    if (number.empty()) return warn(app, "请填写要查询的单号！");
    clearListsAndTotals(app);
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.orders, orders::kTable) &&
        app.orders.FindFirst({{orders::kNumber, number}}))
        appendOrderRow(app);
    app.orders.Close();
    if (watch.failed()) return app.reportFailure(app.recordsScreen, app::kReadFailed);
    if (orderList(app).rowCount() == 0) return warn(app, "没有查询到该单号，请检查是否输入有误！");
    numberRows(orderList(app));
    computeTotals(app);
    app.lastRecordsQuery = Query::ByNumber;
}

void repeatLastQuery(app::App& app) {
    switch (app.lastRecordsQuery) {
    case Query::All:
        return queryAll(app);
    case Query::ByNumber:
        return queryByNumber(app);
    case Query::ByDate:
        return queryByDate(app);
    }
}

// An order and its lines go together or not at all.
bool deleteOrderWithLines(app::App& app, const std::string& number) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openTable(app.orderLines, lines::kTable) || !app.database.BeginWriteTransaction())
        return false;
    const bool linesDeleted = app.orderLines.DeleteWhere({{lines::kNumber, number}}) &&
                              app.openTable(app.orders, orders::kTable);
    // An order already gone leaves only its lines to delete; one that could not be looked up
    // leaves everything as it was.
    const bool orderDeleted =
        linesDeleted &&
        (app.orders.FindFirst({{orders::kNumber, number}}) ? app.orders.Delete() : !watch.failed());
    if (orderDeleted && app.database.CommitTransaction()) return true;
    app.database.RollbackTransaction();
    return false;
}

void deleteSelectedOrder(app::App& app) {
    ui::Window& screen = app.recordsScreen;
    const ui::ListView& list = orderList(app);
    const int selected = list.selectedRow();
    if (selected < 0) return warn(app, "请选择要删除的项目！");
    if (app.message(screen, "删除当前记录后，该记录下的菜品明细将同步删除。是否继续？",
                    ui::kQuestionOkCancel) != ui::kOk)
        return;
    const bool deleted = deleteOrderWithLines(app, list.cellText(selected, 1));
    app.orderLines.Close();
    app.orders.Close();
    // Told as information, as this screen always has; a damaged file is still told as an error.
    if (!deleted) app.reportFailure(screen, "删除失败，请检查！", ui::kInformationBox);
    lineList(app).deleteAllRows();
    repeatLastQuery(app);
}

} // namespace

void bindRecordsScreen(app::App& app) {
    ui::WindowDef& def = app.recordsScreen.definition();
    def.on.created = [&app] {
        app::placeOverMainWindow(app, app.recordsScreen);
        app::applyGates(app, app.recordsScreen);
    };
    def.control("超级列表框_流水").on.clicked = [&app] { showSelectedOrder(app); };
    def.control("按钮_查询全部").on.clicked = [&app] { queryAll(app); };
    def.control("按钮_查询时间").on.clicked = [&app] { queryByDate(app); };
    def.control("按钮_查询单号").on.clicked = [&app] { queryByNumber(app); };
    def.control("按钮_删除").on.clicked = [&app] { deleteSelectedOrder(app); };
    def.control("按钮_流水导出").on.clicked = [&app] { exportOrderList(app); };
    def.control("按钮_单台导出").on.clicked = [&app] { exportSelectedOrder(app); };
}

} // namespace records
