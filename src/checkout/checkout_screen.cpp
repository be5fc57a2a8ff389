#include "checkout/checkout_screen.h"

#include "app/permissions.h"
#include "app/work_screens.h"
#include "ordering/order_list.h"
#include "ordering/order_screen.h"
#include "store/schema.h"
#include "support/checked_math.h"
#include "support/date_time.h"
#include "support/text_rules.h"

namespace checkout {
namespace {

namespace orders = store::schema::orders;
namespace lines = store::schema::orderLines;

// Empties the selected order's fields in the order that leaves the change at "0": writing the
// amount box computes a change and a remark, and the remark is emptied after it.
void clearFields(ui::Window& screen) {
    screen.label("标签_台号").setCaption("");
    screen.label("标签_金额").setCaption("");
    screen.label("标签_找零").setCaption("");
    screen.editBox("编辑框_金额").setContent("");
    screen.editBox("编辑框_备注").setContent("");
}

bool payingInCash(const ui::Window& screen) {
    const ui::ComboBox& way = screen.comboBox("组合框_付款方式");
    return way.itemText(way.selection()) == store::schema::kCash;
}

// A bill paid by phone or card is paid exactly: its received amount starts at the amount due.
void receiveDueUnlessCash(app::App& app) {
    ui::Window& screen = app.checkoutScreen;
    const std::string due = screen.label("标签_金额").caption();
    if (!payingInCash(screen) && !due.empty()) screen.editBox("编辑框_金额").setContent(due);
}

void showSelectedOrder(app::App& app) {
    ui::Window& screen = app.checkoutScreen;
    ui::ListView& lineList = screen.listView("超级列表框_明细");
    lineList.deleteAllRows();
    const ui::ListView& orderList = screen.listView("超级列表框_流水");
    const int selected = orderList.selectedRow();
    if (selected < 0) return clearFields(screen);

    const store::FaultWatch watch = app.watchDatabase();
    app.openTable(app.orderLines, lines::kTable);
    app.orderLines.ForEachWhere({{lines::kNumber, orderList.cellText(selected, 1)}}, [&] {
        const int row = lineList.insertRow("");
        lineList.setCellText(row, 1, app.orderLines.ReadText(lines::kNumber));
        lineList.setCellText(row, 2, app.orderLines.ReadText(lines::kDish));
        lineList.setCellText(row, 3,
                             support::numberText(app.orderLines.ReadInt(lines::kUnitPrice)));
        lineList.setCellText(row, 4, support::numberText(app.orderLines.ReadInt(lines::kQuantity)));
        lineList.setCellText(row, 5, support::numberText(app.orderLines.ReadInt(lines::kAmount)));
        lineList.setCellText(row, 6, app.orderLines.ReadText(lines::kCategory));
    });
    app.orderLines.Close();
    screen.label("标签_台号").setCaption(orderList.cellText(selected, 3));
    screen.label("标签_金额").setCaption(orderList.cellText(selected, 5));
    receiveDueUnlessCash(app);
    for (int row = 0; row < lineList.rowCount(); ++row)
        lineList.setCellText(row, 0, support::numberText(row + 1));
    if (watch.failed()) app.reportFailure(screen, app::kReadFailed);
}

void computeChange(app::App& app) {
    ui::Window& screen = app.checkoutScreen;
    const std::string received = screen.editBox("编辑框_金额").content();
    const auto change = support::checkedDifference(
        support::textToInt(received), support::textToInt(screen.label("标签_金额").caption()));
    // A difference beyond 64 bits cannot be settled anyway: the amount is refused then.
    screen.label("标签_找零").setCaption(change ? support::numberText(*change) : "");
    screen.editBox("编辑框_备注")
        .setContent("[实收：" + received + "元]\r\n[找零：" + screen.label("标签_找零").caption() +
                    "元]");
}

// Back to no current order on the order screen: the settled table is no longer open.
void resetOrderScreen(app::App& app) {
    ui::Window& screen = app.orderScreen;
    ordering::fillOpenTables(app);
    screen.listView("超级列表框_点菜").deleteAllRows();
    for (const char* label : {"标签_单号", "标签_当前操作", "标签_开台时间"})
        screen.label(label).setCaption("");
    for (const char* label : {"标签_人数", "标签_菜品总数", "标签_总金额"})
        screen.label(label).setCaption("0");
}

// The money received: a whole number of 元, digits only. A sign, a second number or a number
// beyond 64 bits is a typing mistake, not an amount.
bool isReceivedAmount(std::string_view text) {
    return support::digitsValue(text).has_value();
}

// How the bill was paid, beside the order: written in the settling's transaction.
bool recordSettlement(app::App& app, const std::string& number) {
    namespace paid = store::schema::settlements;
    const ui::Window& screen = app.checkoutScreen;
    const ui::ComboBox& way = screen.comboBox("组合框_付款方式");
    store::SqliteTable& table = app.settlements;
    return app.openTable(table, paid::kTable) && table.BeginAdd() &&
           table.Write(paid::kNumber, number) &&
           table.Write(paid::kMoment, support::sortableMoment(app.desktop().clock().now())) &&
           table.Write(paid::kDue, support::textToInt(screen.label("标签_金额").caption())) &&
           table.Write(paid::kReceived,
                       support::textToInt(screen.editBox("编辑框_金额").content())) &&
           table.Write(paid::kChange, support::textToInt(screen.label("标签_找零").caption())) &&
           table.Write(paid::kWay, way.itemText(way.selection())) &&
           table.Write(paid::kOperator, app.currentUser.name) && table.Commit();
}

std::string listedAmount(const ui::ListView& orderList, const std::string& number,
                         const std::string& table) {
    for (int row = 0; row < orderList.rowCount(); ++row)
        if (orderList.cellText(row, 1) == number && orderList.cellText(row, 3) == table)
            return orderList.cellText(row, 5);
    return {};
}

void settle(app::App& app) {
    ui::Window& screen = app.checkoutScreen;
    const ui::ListView& orderList = screen.listView("超级列表框_流水");
    const int selected = orderList.selectedRow();
    const std::string table = screen.label("标签_台号").caption();
    if (selected < 0 || table.empty())
        return static_cast<void>(app.message(screen, "请选择要结账的台号！", ui::kWarningBox));
    if (!isReceivedAmount(screen.editBox("编辑框_金额").content()))
        return static_cast<void>(app.message(screen, "请正确输入金额！", ui::kWarningBox));

    // A bill that was not settled must not look settled to the cashier, nor may a lookup that
    // could not read pass for an order settled elsewhere. A failed settle keeps the screen as it
    // is, so that the cashier can try again. The order and how it was paid are stored together
    // or not at all.
    const std::string number = orderList.cellText(selected, 1);
    const store::FaultWatch watch = app.watchDatabase();
    bool failed =
        !app.openTable(app.orders, orders::kTable) || !app.database.BeginWriteTransaction();
    bool amountChanged = false;
    if (!failed && app.orders.FindFirst({{orders::kNumber, number},
                                         {orders::kDiningTable, table},
                                         {orders::kState, orders::kNotSettled}})) {
        // Another counter may have changed the order since the list was read: the bill is
        // settled for the amount the list shows for this record (its first row of the number and
        // table, as the record is the first), or not at all.
        amountChanged = support::numberText(app.orders.ReadInt(orders::kAmount)) !=
                        listedAmount(orderList, number, table);
        failed = amountChanged || !app.orders.BeginEdit();
        if (!failed) {
            app.orders.Write(orders::kState, orders::kSettled);
            app.orders.Write(orders::kRemark, screen.editBox("编辑框_备注").content() +
                                                  screen.editBox("编辑框_备注文本").content());
            failed = !app.orders.Commit() || !recordSettlement(app, number) ||
                     !app.database.CommitTransaction();
        }
        if (!failed) app.message(screen, "结账成功！", ui::kInformationBox);
        if (!failed && app.onSettled) app.onSettled(number);
    }
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    app.settlements.Close();
    app.orders.Close();
    if (amountChanged && !watch.failed()) {
        followOtherCounters(app);
        app.message(screen, "此单金额已变动，请核对后再结账！", ui::kWarningBox);
        return;
    }
    if (failed || watch.failed()) return app.reportFailure(screen, "结账失败，请检查！");

    // Every bill starts from the default way, so that one paid by phone does not carry over.
    screen.comboBox("组合框_付款方式").setSelection(0);
    const store::FaultWatch refill = app.watchDatabase();
    ordering::fillOrderList(app);
    if (app.orderScreen.isOpen()) resetOrderScreen(app);
    if (refill.failed()) app.reportFailure(screen, app::kReadFailed);
}

} // namespace

void followOtherCounters(app::App& app) {
    ui::Window& screen = app.checkoutScreen;
    if (!screen.isOpen()) return;
    ui::ListView& list = screen.listView("超级列表框_流水");
    const int selected = list.selectedRow();
    const std::string number = selected < 0 ? std::string() : list.cellText(selected, 1);
    const std::string received = screen.editBox("编辑框_金额").content();
    const std::string remark = screen.editBox("编辑框_备注").content();
    if (!ordering::fillOrderList(app) || number.empty()) return;
    // The cashier's choice and what was typed stay, as long as the order is still open.
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.cellText(row, 1) != number) continue;
        list.userSelect({row});
        showSelectedOrder(app);
        screen.editBox("编辑框_金额").setContent(received);
        screen.editBox("编辑框_备注").setContent(remark);
        return;
    }
}

void bindCheckoutScreen(app::App& app) {
    ui::WindowDef& def = app.checkoutScreen.definition();
    def.on.created = [&app] {
        app::placeOverMainWindow(app, app.checkoutScreen);
        app::applyGates(app, app.checkoutScreen);
        if (!ordering::fillOrderList(app)) app.reportFailure(app.checkoutScreen, app::kReadFailed);
    };
    def.control("超级列表框_流水").on.clicked = [&app] { showSelectedOrder(app); };
    def.control("编辑框_金额").on.contentChanged = [&app] { computeChange(app); };
    def.control("编辑框_金额").on.keyDown = [&app](int key, int) {
        if (key == ui::kKeyEnter) settle(app);
    };
    def.control("按钮_结账").on.clicked = [&app] { settle(app); };
    def.control("组合框_付款方式").on.selectionChanged = [&app] { receiveDueUnlessCash(app); };
}

} // namespace checkout
