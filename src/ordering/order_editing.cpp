#include "ordering/order_editing.h"

#include "ordering/order_list.h"
#include "store/schema.h"
#include "support/pattern_matcher.h"
#include "support/text_rules.h"

namespace ordering {
namespace {

namespace orders = store::schema::orders;
namespace lines = store::schema::orderLines;

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

int cellNumber(app::App& app, int row, int column) {
    return support::textToInt(linesList(app).cellText(row, column));
}

void numberAndTotalLines(app::App& app) {
    ui::ListView& list = linesList(app);
    long long quantity = 0;
    long long amount = 0;
    for (int row = 0; row < list.rowCount(); ++row) {
        list.setCellText(row, kRowNumber, support::numberText(row + 1));
        quantity += cellNumber(app, row, kQuantity);
        amount += cellNumber(app, row, kAmount);
    }
    app.orderScreen.label("标签_菜品总数").setCaption(support::numberText(quantity));
    app.orderScreen.label("标签_总金额").setCaption(support::numberText(amount));
}

void writeOrderTotal(app::App& app) {
    bool written = false;
    if (app.openTable(app.orders, orders::kTable) &&
        app.orders.FindFirst({{orders::kNumber, currentNumber(app)}}) && app.orders.BeginEdit()) {
        app.orders.Write(orders::kAmount,
                         support::textToInt(app.orderScreen.label("标签_总金额").caption()));
        written = app.orders.Commit();
    }
    if (!written) warn(app, "写流水数据库失败，请检查！");
    app.orders.Close();
}

void refreshAfterChange(app::App& app) {
    numberAndTotalLines(app);
    writeOrderTotal(app);
    if (app.checkoutScreen.isOpen()) fillOrderList(app);
}

void loadLines(app::App& app) {
    ui::ListView& list = linesList(app);
    list.deleteAllRows();
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
}

void addDish(app::App& app, int group, int item) {
    if (noCurrentOrder(app)) return;
    const ui::OutlookBar& menu = app.orderScreen.outlookBar("卷帘式菜单_点菜");
    const DishText dish = cutDishText(menu.itemText(item, group));
    const std::string category = menu.groupText(group);
    ui::ListView& list = linesList(app);
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.cellText(row, kDish) == dish.name)
            return warn(app, "要添加的菜品已存在，如需增加数量请按 ‘ 数量+ ’ 按钮！");
    }
    const std::string number = currentNumber(app);
    const int row = list.insertRow("");
    list.setCellText(row, kOrderNumber, number);
    list.setCellText(row, kDish, dish.name);
    list.setCellText(row, kUnitPrice, dish.priceDigits);
    list.setCellText(row, kQuantity, "1");
    list.setCellText(row, kAmount, dish.priceDigits);
    list.setCellText(row, kCategory, category);

    const int price = support::textToInt(dish.priceDigits);
    bool stored = false;
    if (app.openTable(app.orderLines, lines::kTable) && app.orderLines.BeginAdd()) {
        app.orderLines.Write(lines::kNumber, number);
        app.orderLines.Write(lines::kDish, dish.name);
        app.orderLines.Write(lines::kUnitPrice, price);
        app.orderLines.Write(lines::kQuantity, 1);
        app.orderLines.Write(lines::kAmount, price);
        app.orderLines.Write(lines::kCategory, category);
        stored = app.orderLines.Commit();
    }
    app.orderLines.Close();
    // A line that is not stored must not be shown nor counted in the order's total.
    if (!stored) {
        list.deleteRow(row);
        return warn(app, "添加明细数据库失败，请检查！");
    }
    refreshAfterChange(app);
}

// Writes the quantity and amount of row `row` to its stored line: the first line of the current
// order with the row's dish name.
bool updateLine(app::App& app, int row) {
    if (!app.openTable(app.orderLines, lines::kTable)) return false;
    if (!app.orderLines.FindFirst({{lines::kNumber, currentNumber(app)},
                                   {lines::kDish, linesList(app).cellText(row, kDish)}}) ||
        !app.orderLines.BeginEdit())
        return false;
    app.orderLines.Write(lines::kQuantity, cellNumber(app, row, kQuantity));
    app.orderLines.Write(lines::kAmount, cellNumber(app, row, kAmount));
    return app.orderLines.Commit();
}

void changeQuantity(app::App& app, int by) {
    if (noCurrentOrder(app)) return;
    const int row = selectedLine(app);
    if (row < 0) return;
    if (by < 0 && cellNumber(app, row, kQuantity) == 1)
        return warn(app, "菜品数量已经为 ‘ 1 ’ ，如还需减少请点击删除按钮！");
    ui::ListView& list = linesList(app);
    const std::string previousQuantity = list.cellText(row, kQuantity);
    const std::string previousAmount = list.cellText(row, kAmount);
    const long long quantity = static_cast<long long>(cellNumber(app, row, kQuantity)) + by;
    list.setCellText(row, kQuantity, support::numberText(quantity));
    list.setCellText(row, kAmount,
                     support::numberText(static_cast<long long>(cellNumber(app, row, kUnitPrice)) *
                                         cellNumber(app, row, kQuantity)));
    const bool updated = updateLine(app, row);
    app.orderLines.Close();
    if (!updated) {
        // The row shows what the database holds, not what it refused.
        list.setCellText(row, kQuantity, previousQuantity);
        list.setCellText(row, kAmount, previousAmount);
        return warn(app, "添加明细数据库失败，请检查！");
    }
    refreshAfterChange(app);
}

void deleteLine(app::App& app) {
    if (noCurrentOrder(app)) return;
    const int row = selectedLine(app);
    if (row < 0) return;
    ui::ListView& list = linesList(app);
    const std::string dish = list.cellText(row, kDish);
    app.openTable(app.orderLines, lines::kTable);
    if (app.orderLines.FindFirst({{lines::kNumber, currentNumber(app)}, {lines::kDish, dish}}) &&
        !app.orderLines.Delete()) {
        // The line is still stored, so it stays on the list and in the order's total.
        app.orderLines.Close();
        return warn(app, "删除菜品失败，请检查！");
    }
    list.deleteRow(row);
    app.orderLines.Close();
    refreshAfterChange(app);
}

void switchOrder(app::App& app) {
    ui::Window& screen = app.orderScreen;
    const ui::ComboBox& open = screen.comboBox("组合框_切换");
    if (open.selection() == -1) return warn(app, "请选择要切换的台号！");
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
    loadLines(app);
    numberAndTotalLines(app);
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
