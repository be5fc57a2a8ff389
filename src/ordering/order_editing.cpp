#include "ordering/order_editing.h"

#include "ordering/order_list.h"
#include "ordering/order_screen.h"
#include "store/schema.h"
#include "support/checked_math.h"
#include "support/pattern_matcher.h"
#include "support/text_rules.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

namespace ordering {
namespace {

namespace orders = store::schema::orders;
namespace lines = store::schema::orderLines;

constexpr char kAmountTooLarge[] = "金额超出范围，请检查！";
constexpr char kOrderClosed[] = "此单已结账或已删除，不能再修改！";
constexpr char kQuantityOne[] = "菜品数量已经为 ‘ 1 ’ ，如还需减少请点击删除按钮！";
constexpr char kDishThere[] = "要添加的菜品已存在，如需增加数量请按 ‘ 数量+ ’ 按钮！";

// Columns of the order's lines.
constexpr int kRowNumber = 0;
constexpr int kOrderNumber = 1;
constexpr int kDish = 2;
constexpr int kUnitPrice = 3;
constexpr int kQuantity = 4;
constexpr int kAmount = 5;
constexpr int kCategory = 6;

struct DishText {
    std::string name;
    std::string priceDigits;
};

// "name/price元": the name before the first "/", the price from the digits up to the next "/".
// A text without "/" (never made by the settings screen) is all name, at the price 0.
DishText cutDishText(std::string_view text) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) return {std::string(text), "0"};
    const std::string_view rest = text.substr(slash + 1);
    return {std::string(text.substr(0, slash)),
            support::KeepDigits(rest.substr(0, rest.find('/')))};
}

ui::ListView& linesList(app::App& app) {
    return app.orderScreen.listView("超级列表框_点菜");
}

std::string currentNumber(app::App& app) {
    return app.orderScreen.label("标签_单号").caption();
}

void warn(app::App& app, std::string_view text) {
    app.message(app.orderScreen, text, ui::kWarningBox);
}

bool noCurrentOrder(app::App& app) {
    if (!app.orderScreen.label("标签_当前操作").caption().empty()) return false;
    warn(app, "请选择要操作的台号！");
    return true;
}

// The selected row, or -1 after telling the user to select one.
int selectedLine(app::App& app) {
    const int row = linesList(app).selectedRow();
    if (row < 0) warn(app, "请在列表内选中要操作的菜品项目！");
    return row;
}

std::int64_t cellNumber(app::App& app, int row, int column) {
    return support::textToInt(linesList(app).cellText(row, column));
}

void numberAndTotalLines(app::App& app) {
    ui::ListView& list = linesList(app);
    std::int64_t quantity = 0;
    std::int64_t amount = 0;
    for (int row = 0; row < list.rowCount(); ++row) {
        list.setCellText(row, kRowNumber, support::numberText(row + 1));
        // Every change is refused before its total could overflow; only lines stored that way by
        // another program could get here, and they show the largest total there is.
        quantity = support::checkedSum(quantity, cellNumber(app, row, kQuantity))
                       .value_or(std::numeric_limits<std::int64_t>::max());
        amount = support::checkedSum(amount, cellNumber(app, row, kAmount))
                     .value_or(std::numeric_limits<std::int64_t>::max());
    }
    app.orderScreen.label("标签_菜品总数").setCaption(support::numberText(quantity));
    app.orderScreen.label("标签_总金额").setCaption(support::numberText(amount));
}

enum class TotalWrite { Written, Failed, TooLarge };

// Writes the current order's total as the sum of its stored lines, inside the change's
// transaction, so that the two can never disagree.
TotalWrite writeOrderTotal(app::App& app) {
    const std::string number = currentNumber(app);
    const store::FaultWatch watch = app.watchDatabase();
    std::optional<std::int64_t> total = 0;
    app.orderLines.ForEachWhere({{lines::kNumber, number}}, [&] {
        if (total) total = support::checkedSum(*total, app.orderLines.ReadInt(lines::kAmount));
    });
    if (watch.failed()) return TotalWrite::Failed;
    if (!total) return TotalWrite::TooLarge;
    if (!app.openTable(app.orders, orders::kTable) ||
        !app.orders.FindFirst({{orders::kNumber, number}}) || !app.orders.BeginEdit())
        return TotalWrite::Failed;
    app.orders.Write(orders::kAmount, *total);
    return app.orders.Commit() ? TotalWrite::Written : TotalWrite::Failed;
}

// Whether the current order is still open, as stored now: another counter may have settled it.
bool orderStillOpen(app::App& app) {
    return app.openTable(app.orders, orders::kTable) &&
           app.orders.FindFirst(
               {{orders::kNumber, currentNumber(app)}, {orders::kState, orders::kNotSettled}});
}

// One change of the current order: `changeLine` changes its line on the order-lines cursor, and
// the order's new total is written with it. Both are committed together or not at all, so a
// crash, a busy file or a refused write never leaves a total that is not the sum of the lines.
// The write transaction keeps every other counter out meanwhile, so the change starts from the
// lines as stored and no other counter's change is lost. `changeLine` may name the failure it
// met. On failure everything is rolled back and the user is told. The caller leaves the screen as
// it was, unless the stored order had moved on (Outdated): then it shows the order as stored.
enum class Change { Done, Failed, Outdated };
Change commitOrderChange(app::App& app, std::string_view lineFailure,
                         const std::function<bool(std::string_view& failure)>& changeLine) {
    const store::FaultWatch watch = app.watchDatabase();
    std::string_view failure = lineFailure;
    bool done =
        app.openTable(app.orderLines, lines::kTable) && app.database.BeginWriteTransaction();
    if (done && !orderStillOpen(app)) {
        done = false;
        if (!watch.failed()) failure = kOrderClosed;
    }
    if (done) {
        done = changeLine(failure) && !watch.failed();
        if (done) {
            const TotalWrite total = writeOrderTotal(app);
            if (total != TotalWrite::Written) {
                done = false;
                failure =
                    total == TotalWrite::TooLarge ? kAmountTooLarge : "写流水数据库失败，请检查！";
            }
        }
        done = done && app.database.CommitTransaction();
    }
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    app.orderLines.Close();
    app.orders.Close();
    if (done) return Change::Done;
    app.reportFailure(app.orderScreen, failure);
    const bool outdated =
        failure == kOrderClosed || failure == kDishThere || failure == kQuantityOne;
    return outdated ? Change::Outdated : Change::Failed;
}

// The checkout screen lists the open orders with their totals, so it follows every change.
void refreshAfterChange(app::App& app) {
    numberAndTotalLines(app);
    if (app.checkoutScreen.isOpen() && !fillOrderList(app))
        app.reportFailure(app.orderScreen, app::kReadFailed);
}

// Shows the current order's stored lines; false when they could not all be read.
bool loadLines(app::App& app) {
    ui::ListView& list = linesList(app);
    list.deleteAllRows();
    const store::FaultWatch watch = app.watchDatabase();
    app.openTable(app.orderLines, lines::kTable);
    app.orderLines.ForEachWhere({{lines::kNumber, currentNumber(app)}}, [&] {
        const int row = list.insertRow("");
        list.setCellText(row, kOrderNumber, app.orderLines.ReadText(lines::kNumber));
        list.setCellText(row, kDish, app.orderLines.ReadText(lines::kDish));
        list.setCellText(row, kUnitPrice, app.orderLines.ReadText(lines::kUnitPrice));
        list.setCellText(row, kQuantity, app.orderLines.ReadText(lines::kQuantity));
        list.setCellText(row, kAmount, app.orderLines.ReadText(lines::kAmount));
        list.setCellText(row, kCategory, app.orderLines.ReadText(lines::kCategory));
    });
    app.orderLines.Close();
    return !watch.failed();
}

// Another counter changed the order: the screen shows it as stored, and the tables open now.
void showStoredOrder(app::App& app) {
    const bool loaded =
        loadLines(app) && fillOpenTables(app, app.orderScreen.label("标签_当前操作").caption());
    numberAndTotalLines(app);
    if (app.checkoutScreen.isOpen()) fillOrderList(app);
    if (!loaded) app.reportFailure(app.orderScreen, app::kReadFailed);
}

void addDish(app::App& app, int group, int item) {
    if (noCurrentOrder(app)) return;
    const ui::OutlookBar& menu = app.orderScreen.outlookBar("卷帘式菜单_点菜");
    const DishText dish = cutDishText(menu.itemText(item, group));
    const std::string category = menu.groupText(group);
    ui::ListView& list = linesList(app);
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.cellText(row, kDish) == dish.name) return warn(app, kDishThere);
    }
    // A menu written by another program may carry a price beyond any whole number.
    const auto price = dish.priceDigits.empty() ? std::optional<std::int64_t>(0)
                                                : support::digitsValue(dish.priceDigits);
    if (!price) return warn(app, kAmountTooLarge);

    const std::string number = currentNumber(app);
    const Change stored =
        commitOrderChange(app, "添加明细数据库失败，请检查！", [&](auto& failure) {
            // Another counter may have added the dish since this list was shown.
            if (app.orderLines.FindFirst({{lines::kNumber, number}, {lines::kDish, dish.name}})) {
                failure = kDishThere;
                return false;
            }
            if (!app.orderLines.BeginAdd()) return false;
            app.orderLines.Write(lines::kNumber, number);
            app.orderLines.Write(lines::kDish, dish.name);
            app.orderLines.Write(lines::kUnitPrice, *price);
            app.orderLines.Write(lines::kQuantity, 1);
            app.orderLines.Write(lines::kAmount, *price);
            app.orderLines.Write(lines::kCategory, category);
            return app.orderLines.Commit();
        });
    if (stored != Change::Done) {
        if (stored == Change::Outdated) showStoredOrder(app);
        return;
    }
    const int row = list.insertRow("");
    list.setCellText(row, kOrderNumber, number);
    list.setCellText(row, kDish, dish.name);
    list.setCellText(row, kUnitPrice, dish.priceDigits);
    list.setCellText(row, kQuantity, "1");
    list.setCellText(row, kAmount, dish.priceDigits);
    list.setCellText(row, kCategory, category);
    refreshAfterChange(app);
}

// The change is made on the quantity as stored, which another counter may have changed since the
// list was shown; the list then shows the line as stored.
void changeQuantity(app::App& app, int by) {
    if (noCurrentOrder(app)) return;
    const int row = selectedLine(app);
    if (row < 0) return;
    if (by < 0 && cellNumber(app, row, kQuantity) == 1) return warn(app, kQuantityOne);

    // The stored line is the first of the current order with the row's dish name.
    const std::string dish = linesList(app).cellText(row, kDish);
    std::int64_t quantity = 0;
    std::int64_t amount = 0;
    const Change updated =
        commitOrderChange(app, "添加明细数据库失败，请检查！", [&](auto& failure) {
            if (!app.orderLines.FindFirst(
                    {{lines::kNumber, currentNumber(app)}, {lines::kDish, dish}}))
                return false;
            const auto stored = support::checkedSum(app.orderLines.ReadInt(lines::kQuantity), by);
            const auto product =
                stored ? support::checkedProduct(app.orderLines.ReadInt(lines::kUnitPrice), *stored)
                       : std::nullopt;
            if (!product) {
                failure = kAmountTooLarge;
                return false;
            }
            if (*stored < 1) {
                failure = kQuantityOne; // another counter took the line down to 1 meanwhile
                return false;
            }
            quantity = *stored;
            amount = *product;
            if (!app.orderLines.BeginEdit()) return false;
            app.orderLines.Write(lines::kQuantity, quantity);
            app.orderLines.Write(lines::kAmount, amount);
            return app.orderLines.Commit();
        });
    if (updated != Change::Done) {
        if (updated == Change::Outdated) showStoredOrder(app);
        return;
    }
    ui::ListView& list = linesList(app);
    list.setCellText(row, kQuantity, support::numberText(quantity));
    list.setCellText(row, kAmount, support::numberText(amount));
    refreshAfterChange(app);
}

// A line that is not stored (deleted elsewhere) leaves the list all the same.
void deleteLine(app::App& app) {
    if (noCurrentOrder(app)) return;
    const int row = selectedLine(app);
    if (row < 0) return;
    const std::string dish = linesList(app).cellText(row, kDish);
    const Change deleted = commitOrderChange(app, "删除菜品失败，请检查！", [&](auto&) {
        const store::FaultWatch watch = app.watchDatabase();
        if (app.orderLines.FindFirst({{lines::kNumber, currentNumber(app)}, {lines::kDish, dish}}))
            return app.orderLines.Delete();
        return !watch.failed();
    });
    if (deleted != Change::Done) {
        if (deleted == Change::Outdated) showStoredOrder(app);
        return;
    }
    linesList(app).deleteRow(row);
    refreshAfterChange(app);
}

void switchOrder(app::App& app) {
    ui::Window& screen = app.orderScreen;
    const ui::ComboBox& open = screen.comboBox("组合框_切换");
    if (open.selection() == -1) return warn(app, "请选择要切换的台号！");
    // A lookup that could not read leaves the screen on the order it showed.
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.orders, orders::kTable) &&
        app.orders.FindFirst(
            {{orders::kDiningTable, open.content()}, {orders::kState, orders::kNotSettled}})) {
        screen.label("标签_单号").setCaption(app.orders.ReadText(orders::kNumber));
        screen.label("标签_当前操作").setCaption(app.orders.ReadText(orders::kDiningTable));
        screen.label("标签_开台时间").setCaption(app.orders.ReadText(orders::kTime));
        screen.label("标签_人数")
            .setCaption(support::numberText(app.orders.ReadInt(orders::kGuests)));
    }
    app.orders.Close();
    if (watch.failed()) return app.reportFailure(screen, app::kReadFailed);
    const bool loaded = loadLines(app);
    numberAndTotalLines(app);
    if (!loaded) app.reportFailure(screen, app::kReadFailed);
}

} // namespace

void bindOrderEditing(app::App& app) {
    ui::WindowDef& def = app.orderScreen.definition();
    def.control("卷帘式菜单_点菜").on.itemClicked = [&app](int group, int item) {
        addDish(app, group, item);
    };
    def.control("按钮_数量加").on.clicked = [&app] { changeQuantity(app, +1); };
    def.control("按钮_数量减").on.clicked = [&app] { changeQuantity(app, -1); };
    def.control("按钮_删除").on.clicked = [&app] { deleteLine(app); };
    def.control("按钮_切换").on.clicked = [&app] { switchOrder(app); };
}

} // namespace ordering
