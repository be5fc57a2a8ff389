#include "records/records_screen.h"

#include "app/permissions.h"
#include "app/work_screens.h"
#include "records/deletion_log.h"
#include "records/export.h"
#include "store/schema.h"
#include "support/checked_math.h"
#include "support/date_time.h"
#include "support/text_rules.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace records {
namespace {

namespace orders = store::schema::orders;
namespace lines = store::schema::orderLines;
using Query = app::App::RecordsQuery;
using Day = std::tuple<int, int, int>;

// Adds while the sum fits; false when it does not.
bool addTo(std::int64_t& total, std::int64_t value) {
    const auto sum = support::checkedSum(total, value);
    if (sum) total = *sum;
    return sum.has_value();
}

// The four totals under the order list, added up as the list is filled.
struct Totals {
    std::int64_t guests = 0;
    std::int64_t amount = 0;
    std::int64_t settled = 0;
    std::int64_t unsettled = 0;
    // Every value added was 0 or more and no total reached its limit: each total is then exactly
    // the sum of its rows, and taking a row away is a subtraction.
    bool plain = true;

    void add(std::int64_t rowGuests, std::int64_t rowAmount, bool rowSettled) {
        plain = plain && rowGuests >= 0 && rowAmount >= 0 && addTo(guests, rowGuests) &&
                addTo(amount, rowAmount) && addTo(rowSettled ? settled : unsettled, rowAmount);
    }

    void subtract(std::int64_t rowGuests, std::int64_t rowAmount, bool rowSettled) {
        guests -= rowGuests;
        amount -= rowAmount;
        (rowSettled ? settled : unsettled) -= rowAmount;
    }
};

// What the last query listed, so that deleting one of its orders can take that order out of the
// list instead of reading years of orders again.
struct Listing {
    // The file's commit count when the query began to read, while the list shows exactly what
    // the file held then: nothing after a failed read or a number query.
    std::optional<std::uint32_t> commits;
    // The days a date query asked for.
    Day first;
    Day last;
    Totals totals;
};

ui::ListView& orderList(app::App& app) {
    return app.recordsScreen.listView("超级列表框_流水");
}

ui::ListView& lineList(app::App& app) {
    return app.recordsScreen.listView("超级列表框_明细");
}

void warn(app::App& app, std::string_view text) {
    app.message(app.recordsScreen, text, ui::kWarningBox);
}

// Reads the orders cursor's current record into a row of the order list. The fields are named
// once and the texts read into the same buffers, so that years of orders fill the list without
// a lookup or an allocation a field.
class OrderRows {
public:
    explicit OrderRows(store::SqliteTable& cursor)
        : cursor_(cursor), number_(field(orders::kNumber)), time_(field(orders::kTime)),
          table_(field(orders::kDiningTable)), guests_(field(orders::kGuests)),
          amount_(field(orders::kAmount)), state_(field(orders::kState)),
          operator_(field(orders::kOperator)), remark_(field(orders::kRemark)) {}

    const std::string& time() {
        cursor_.ReadText(time_, texts_[1]);
        return texts_[1];
    }

    void append(ui::ListView::RowBurst& list, Totals& totals) {
        cursor_.ReadText(number_, texts_[0]);
        cursor_.ReadText(time_, texts_[1]);
        cursor_.ReadText(table_, texts_[2]);
        cursor_.ReadText(operator_, texts_[3]);
        cursor_.ReadText(remark_, texts_[4]);
        const std::int64_t guests = cursor_.ReadInt(guests_);
        const std::int64_t amount = cursor_.ReadInt(amount_);
        const bool settled = cursor_.ReadInt(state_) != 0;
        list.add({"", texts_[0], texts_[1], texts_[2], support::numberText(guests),
                  support::numberText(amount), settled ? "已结账" : "未结账", texts_[3],
                  texts_[4]});
        totals.add(guests, amount, settled);
    }

private:
    store::Field field(const char* name) const { return cursor_.FieldNumber(name); }

    store::SqliteTable& cursor_;
    store::Field number_, time_, table_, guests_, amount_, state_, operator_, remark_;
    std::string texts_[5];
};

// Ten years of orders must add up: the totals are 64-bit, and a sum beyond that shows as the
// largest there is rather than wrapping round.
void addSaturating(std::int64_t& total, std::int64_t value) {
    total = support::checkedSum(total, value)
                .value_or(value < 0 ? std::numeric_limits<std::int64_t>::min()
                                    : std::numeric_limits<std::int64_t>::max());
}

// The totals as the list's rows add up, one after the other.
Totals addUpRows(const ui::ListView& list) {
    Totals totals;
    for (int row = 0; row < list.rowCount(); ++row) {
        const std::int64_t rowAmount = support::textToInt(list.cellText(row, 5));
        addSaturating(totals.guests, support::textToInt(list.cellText(row, 4)));
        addSaturating(totals.amount, rowAmount);
        addSaturating(list.cellText(row, 6) == "已结账" ? totals.settled : totals.unsettled,
                      rowAmount);
    }
    return totals;
}

void showTotals(app::App& app, const Totals& kept) {
    const Totals totals = kept.plain ? kept : addUpRows(orderList(app));
    ui::Window& screen = app.recordsScreen;
    screen.label("标签_人数合计").setCaption(support::numberText(totals.guests));
    screen.label("标签_金额合计").setCaption(support::numberText(totals.amount));
    screen.label("标签_已结合计").setCaption(support::numberText(totals.settled));
    screen.label("标签_未结合计").setCaption(support::numberText(totals.unsettled));
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
    if (watch.failed()) app.reportFailure(app.recordsScreen, app::kReadFailed);
}

// Walks every order, listing those `wanted` lets through, and notes the file's commit count
// taken before the walk; the count is kept only when every order could be read.
template <typename Wanted> bool listOrders(app::App& app, Listing& listing, Wanted&& wanted) {
    const store::FaultWatch watch = app.watchDatabase();
    listing.commits.reset();
    listing.totals = {};
    std::optional<std::uint32_t> commits;
    if (app.openTable(app.orders, orders::kTable)) {
        commits = app.database.CommitCount();
        OrderRows rows(app.orders);
        ui::ListView::RowBurst list(orderList(app));
        app.orders.ForEachRecord([&] {
            if (wanted(rows)) rows.append(list, listing.totals);
        });
    }
    app.orders.Close();
    if (watch.failed()) return false;
    listing.commits = commits;
    return true;
}

void queryAll(app::App& app, Listing& listing) {
    orderList(app).deleteAllRows();
    lineList(app).deleteAllRows();
    const bool read = listOrders(app, listing, [](OrderRows&) { return true; });
    showTotals(app, listing.totals);
    app.lastRecordsQuery = Query::All;
    if (!read) app.reportFailure(app.recordsScreen, app::kReadFailed);
}

// A calendar date, the time of day dropped; moments outside 1 January 100 to 31 December 9999
// count as the nearer end.
Day calendarDate(support::DateTime moment) {
    if (!(moment >= support::kUnreadableDateTime)) return {100, 1, 1};
    const auto time = support::toCalendarTime(moment);
    if (!time) return {9999, 12, 31};
    return {time->year, time->month, time->day};
}

std::pair<Day, Day> chosenDays(app::App& app) {
    return {calendarDate(app.recordsScreen.datePicker("日期框1").value()),
            calendarDate(app.recordsScreen.datePicker("日期框2").value())};
}

void queryByDate(app::App& app, Listing& listing) {
    clearListsAndTotals(app);
    const auto [first, last] = chosenDays(app);
    const bool read = listOrders(app, listing, [&, first = first, last = last](OrderRows& rows) {
        const Day opened = calendarDate(support::ParseDateTimeText(rows.time()));
        return first <= opened && opened <= last;
    });
    // Orders that could not be read are not "no orders in that time".
    if (!read) {
        showTotals(app, listing.totals);
        return app.reportFailure(app.recordsScreen, app::kReadFailed);
    }
    if (orderList(app).rowCount() == 0) {
        listing.commits.reset();
        return warn(app, "该时间段没有记录！");
    }
    showTotals(app, listing.totals);
    app.lastRecordsQuery = Query::ByDate;
    listing.first = first;
    listing.last = last;
}

void queryByNumber(app::App& app, Listing& listing) {
    const std::string number = app.recordsScreen.editBox("编辑框_单号").content();
    if (number.empty()) return warn(app, "请填写要查询的单号！");
    clearListsAndTotals(app);
    listing = {};
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.orders, orders::kTable) &&
        app.orders.FindFirst({{orders::kNumber, number}})) {
        ui::ListView::RowBurst list(orderList(app));
        OrderRows(app.orders).append(list, listing.totals);
    }
    app.orders.Close();
    if (watch.failed()) return app.reportFailure(app.recordsScreen, app::kReadFailed);
    if (orderList(app).rowCount() == 0) return warn(app, "没有查询到该单号，请检查是否输入有误！");
    showTotals(app, listing.totals);
    app.lastRecordsQuery = Query::ByNumber;
}

void repeatLastQuery(app::App& app, Listing& listing) {
    switch (app.lastRecordsQuery) {
    case Query::All:
        return queryAll(app, listing);
    case Query::ByNumber:
        return queryByNumber(app, listing);
    case Query::ByDate:
        return queryByDate(app, listing);
    }
}

struct Deletion {
    bool done = false;
    // The file's commit count after the deletion, when nothing but the deletion changed the file
    // since the listed count.
    std::optional<std::uint32_t> onlyChangeSince;
};

// An order and its lines go together or not at all, and with them their entry in the deletion
// log.
Deletion deleteOrderWithLines(app::App& app, const std::string& number,
                              std::optional<std::uint32_t> listed, bool fromClosedDay) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openTable(app.orderLines, lines::kTable) || !app.database.BeginWriteTransaction())
        return {};
    const auto before = app.database.CommitCount();
    const bool linesDeleted = logDeletion(app, number, fromClosedDay) &&
                              app.openTable(app.orderLines, lines::kTable) &&
                              app.orderLines.DeleteWhere({{lines::kNumber, number}}) &&
                              app.openTable(app.orders, orders::kTable);
    // An order already gone leaves only its lines to delete; one that could not be looked up
    // leaves everything as it was.
    const bool found = linesDeleted && app.orders.FindFirst({{orders::kNumber, number}});
    const bool orderDeleted = found ? app.orders.Delete() : linesDeleted && !watch.failed();
    // With a second order of the same number the list could not tell which one went.
    const store::FaultWatch lookingAgain = app.watchDatabase();
    const bool single = found && orderDeleted &&
                        !app.orders.FindFirst({{orders::kNumber, number}}) &&
                        !lookingAgain.failed();
    if (!orderDeleted || !app.database.CommitTransaction()) {
        app.database.RollbackTransaction();
        return {};
    }
    Deletion deletion{true, {}};
    if (const auto after = app.database.CommitCount();
        single && listed && before == listed && after == *listed + 1)
        deletion.onlyChangeSince = after;
    return deletion;
}

// The list of the last query with the order on `row` taken out: what repeating the query would
// show, when the deletion is all that changed the file since the query read it.
void takeOutOfList(app::App& app, Listing& listing, int row, std::uint32_t commits) {
    ui::ListView& list = orderList(app);
    listing.totals.subtract(support::textToInt(list.cellText(row, 4)),
                            support::textToInt(list.cellText(row, 5)),
                            list.cellText(row, 6) == "已结账");
    list.deleteRow(row);
    list.clearSelection();
    listing.commits = commits;
    if (app.lastRecordsQuery == Query::ByDate && list.rowCount() == 0) {
        listing.commits.reset();
        clearListsAndTotals(app);
        return warn(app, "该时间段没有记录！");
    }
    showTotals(app, listing.totals);
}

// The list still answers the last query as it would be asked now.
bool listAnswersLastQuery(app::App& app, const Listing& listing) {
    switch (app.lastRecordsQuery) {
    case Query::All:
        return true;
    case Query::ByDate:
        return chosenDays(app) == std::pair{listing.first, listing.last};
    case Query::ByNumber:
        return false; // asked again at once, through the index
    }
    return false;
}

void deleteSelectedOrder(app::App& app, Listing& listing) {
    ui::Window& screen = app.recordsScreen;
    const ui::ListView& list = orderList(app);
    const int selected = list.selectedRow();
    if (selected < 0) return warn(app, "请选择要删除的项目！");
    const std::string number = list.cellText(selected, 1);
    // A closed day's page has been counted and handed over: only the administrator may change it.
    const auto fromClosedDay = belongsToClosedDay(app, number);
    if (!fromClosedDay) return app.reportFailure(screen, app::kReadFailed);
    if (*fromClosedDay && !isAdministrator(app))
        return warn(app, "该单所在的营业日已日结，只有管理员可以删除！");
    if (app.message(screen, "删除当前记录后，该记录下的菜品明细将同步删除。是否继续？",
                    ui::kQuestionOkCancel) != ui::kOk)
        return;
    const Deletion deletion = deleteOrderWithLines(app, number, listing.commits, *fromClosedDay);
    app.orderLines.Close();
    app.orders.Close();
    // Told as information, as this screen always has; a damaged file is still told as an error.
    if (!deletion.done) app.reportFailure(screen, "删除失败，请检查！", ui::kInformationBox);
    lineList(app).deleteAllRows();
    if (deletion.onlyChangeSince && listAnswersLastQuery(app, listing))
        return takeOutOfList(app, listing, selected, *deletion.onlyChangeSince);
    repeatLastQuery(app, listing);
}

} // namespace

void bindRecordsScreen(app::App& app) {
    // Kept for the whole run, as the last query is.
    auto listing = std::make_shared<Listing>();
    ui::WindowDef& def = app.recordsScreen.definition();
    def.on.created = [&app, listing] {
        app::placeOverMainWindow(app, app.recordsScreen);
        app::applyGates(app, app.recordsScreen);
        orderList(app).numberRowsIn(0);
        lineList(app).numberRowsIn(0);
        listing->commits.reset();
    };
    def.control("超级列表框_流水").on.clicked = [&app] { showSelectedOrder(app); };
    def.control("按钮_查询全部").on.clicked = [&app, listing] { queryAll(app, *listing); };
    def.control("按钮_查询时间").on.clicked = [&app, listing] { queryByDate(app, *listing); };
    def.control("按钮_查询单号").on.clicked = [&app, listing] { queryByNumber(app, *listing); };
    def.control("按钮_删除").on.clicked = [&app, listing] { deleteSelectedOrder(app, *listing); };
    def.control("按钮_流水导出").on.clicked = [&app] { exportOrderList(app); };
    def.control("按钮_单台导出").on.clicked = [&app] { exportSelectedOrder(app); };
}

} // namespace records
