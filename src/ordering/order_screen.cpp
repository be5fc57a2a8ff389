#include "ordering/order_screen.h"

#include "app/permissions.h"
#include "app/work_screens.h"
#include "ordering/order_editing.h"
#include "store/schema.h"
#include "support/date_time.h"
#include "support/text_rules.h"

#include <chrono>
#include <thread>

namespace ordering {
namespace {

namespace tables = store::schema::diningTables;
namespace categories = store::schema::categories;
namespace dishes = store::schema::dishes;
namespace orders = store::schema::orders;

void warn(app::App& app, std::string_view text) {
    app.message(app.orderScreen, text, ui::kWarningBox);
}

// An order number nobody holds yet. Numbers have one-second resolution, so a second table opened
// within the same second waits for the clock's next second (two seconds at most) rather than
// share a number and mix the lines of two orders. Nothing when the orders cannot be read.
std::optional<std::string> newOrderNumber(app::App& app) {
    constexpr int kTries = 200;
    const store::FaultWatch watch = app.watchDatabase();
    for (int attempt = 0; attempt < kTries; ++attempt) {
        const std::string number =
            support::orderNumber(support::toDateTime(app.desktop().clock().now()));
        if (!app.orders.FindFirst({{orders::kNumber, number}})) {
            if (watch.failed()) return std::nullopt;
            return number;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

void openTable(app::App& app) {
    ui::Window& screen = app.orderScreen;
    const std::string table = screen.comboBox("组合框_餐台").content();
    if (table.empty()) return warn(app, "请选择预开台号！");
    const std::string guestsText = screen.comboBox("组合框_人数").content();
    const std::int64_t guests = support::textToInt(guestsText);
    // No table is opened for no guests or a negative number of them, nor for more guests than the
    // stored count can hold.
    if (guestsText.empty() || guests <= 0 || guests > store::schema::kLargestTypedNumber)
        return warn(app, "请正确输入人数！");
    const ui::ComboBox& open = screen.comboBox("组合框_切换");
    for (int item = 0; item < open.itemCount(); ++item) {
        if (open.itemText(item) == table)
            return warn(app, "您要开的台号已开或未结账，请更换台号！");
    }

    // Another counter may have opened the table since this screen was filled: the look and the
    // new order are one write transaction, so of two counters opening it at once one gets it.
    const store::FaultWatch watch = app.watchDatabase();
    const bool began =
        app.openTable(app.orders, orders::kTable) && app.database.BeginWriteTransaction();
    if (began && app.orders.FindFirst(
                     {{orders::kDiningTable, table}, {orders::kState, orders::kNotSettled}})) {
        app.database.RollbackTransaction();
        app.orders.Close();
        const bool filled = fillOpenTables(app);
        warn(app, "您要开的台号已开或未结账，请更换台号！");
        if (!filled) app.reportFailure(screen, app::kReadFailed);
        return;
    }
    const auto number = began && !watch.failed() ? newOrderNumber(app) : std::nullopt;
    ui::Label& numberLabel = screen.label("标签_单号");
    if (number) numberLabel.setCaption(*number);
    const std::string time =
        support::DateTimeText(support::toDateTime(app.desktop().clock().now()));
    bool stored = false;
    if (number && app.orders.BeginAdd()) {
        app.orders.Write(orders::kNumber, *number);
        app.orders.Write(orders::kTime, time);
        app.orders.Write(orders::kDiningTable, table);
        app.orders.Write(orders::kGuests, guests);
        app.orders.Write(orders::kAmount, 0);
        app.orders.Write(orders::kState, orders::kNotSettled);
        app.orders.Write(orders::kOperator, app.mainWindow.label("标签_用户").caption());
        stored = app.orders.Commit() && app.database.CommitTransaction();
    }
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    if (!stored) {
        app.orders.Close();
        return app.reportFailure(screen, "开台失败，请检查！");
    }
    app.message(screen, "开台成功！", ui::kInformationBox);
    app.orders.Close();

    const bool filled = fillOpenTables(app, table);
    screen.label("标签_人数").setCaption(guestsText);
    screen.comboBox("组合框_餐台").setSelection(-1);
    screen.comboBox("组合框_人数").setSelection(-1);
    screen.listView("超级列表框_点菜").deleteAllRows();
    if (!filled) app.reportFailure(screen, app::kReadFailed);
}

// The first fill that cannot read stops the others: each would wait out the same lock again.
void fillScreen(app::App& app) {
    if (!fillDiningTables(app) || !fillCategoryGroups(app) || !fillDishes(app) ||
        !fillOpenTables(app))
        app.reportFailure(app.orderScreen, app::kReadFailed);
}

} // namespace

bool fillDiningTables(app::App& app) {
    ui::ComboBox& list = app.orderScreen.comboBox("组合框_餐台");
    list.clearItems();
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.diningTables, tables::kTable))
        app.diningTables.ForEachRecord(
            [&] { list.addItem(app.diningTables.ReadText(tables::kName)); });
    app.diningTables.Close();
    return !watch.failed();
}

bool fillCategoryGroups(app::App& app) {
    ui::OutlookBar& menu = app.orderScreen.outlookBar("卷帘式菜单_点菜");
    menu.removeAll();
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.categories, categories::kTable))
        app.categories.ForEachRecord(
            [&] { menu.addGroup(app.categories.ReadText(categories::kName)); });
    app.categories.Close();
    return !watch.failed();
}

bool fillDishes(app::App& app) {
    ui::OutlookBar& menu = app.orderScreen.outlookBar("卷帘式菜单_点菜");
    for (int group = 0; group < menu.groupCount(); ++group)
        menu.deleteItems(-1, group);
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.dishes, dishes::kTable)) {
        app.dishes.ForEachRecord([&] {
            const std::string dish = app.dishes.ReadText(dishes::kDish);
            const std::string category = app.dishes.ReadText(dishes::kCategory);
            for (int group = 0; group < menu.groupCount(); ++group) {
                if (menu.groupText(group) == category) menu.addItem(dish, group);
            }
        });
    }
    app.dishes.Close();
    return !watch.failed();
}

bool fillOpenTables(app::App& app, std::string_view tableToSelect) {
    ui::ComboBox& open = app.orderScreen.comboBox("组合框_切换");
    open.clearItems();
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.orders, orders::kTable)) {
        app.orders.ForEachWhere({{orders::kState, orders::kNotSettled}},
                                [&] { open.addItem(app.orders.ReadText(orders::kDiningTable)); });
    }
    app.orders.Close();
    const bool read = !watch.failed();
    if (tableToSelect.empty()) return read;
    for (int item = 0; item < open.itemCount(); ++item) {
        if (open.itemText(item) != tableToSelect) continue;
        open.setSelection(item);
        app.orderScreen.label("标签_当前操作").setCaption(open.content());
        break;
    }
    return read;
}

void followOtherCounters(app::App& app) {
    if (!app.orderScreen.isOpen()) return;
    fillOpenTables(app, app.orderScreen.comboBox("组合框_切换").content());
}

void bindOrderScreen(app::App& app) {
    ui::WindowDef& def = app.orderScreen.definition();
    def.on.created = [&app] {
        app::placeOverMainWindow(app, app.orderScreen);
        app::applyGates(app, app.orderScreen);
        fillScreen(app);
    };
    def.control("按钮_开台").on.clicked = [&app] { openTable(app); };
    bindOrderEditing(app);
}

} // namespace ordering
