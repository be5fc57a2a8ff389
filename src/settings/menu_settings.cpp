#include "settings/menu_settings.h"

#include "ordering/order_screen.h"
#include "store/schema.h"
#include "support/pattern_matcher.h"
#include "support/text_rules.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace settings {
namespace {

namespace categories = store::schema::categories;
namespace dishes = store::schema::dishes;

constexpr char kSlashInName[] = "菜品名称不能包含特殊字符‘ / ’";

ui::OutlookBar& menuBar(app::App& app) {
    return app.restaurantSettingsScreen.outlookBar("卷帘式菜单_菜单");
}

ui::EditBox& categoryBox(app::App& app) {
    return app.restaurantSettingsScreen.editBox("编辑框_分类");
}

ui::EditBox& nameBox(app::App& app) {
    return app.restaurantSettingsScreen.editBox("编辑框_菜品");
}

ui::EditBox& priceBox(app::App& app) {
    return app.restaurantSettingsScreen.editBox("编辑框_单价");
}

void warn(app::App& app, std::string_view text) {
    app.message(app.restaurantSettingsScreen, text, ui::kWarningBox);
}

void inform(app::App& app, std::string_view text) {
    app.message(app.restaurantSettingsScreen, text, ui::kInformationBox);
}

struct DishText {
    std::string name;
    std::string price;
};

// "name/price元" cut at its first "/": the price is every digit after it. A text without "/" is
// all name and has no price.
DishText cutDishText(std::string_view text) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) return {std::string(text), {}};
    return {std::string(text.substr(0, slash)), support::KeepDigits(text.substr(slash + 1))};
}

// The boxes as one stored dish text, both parts as typed.
std::string typedDishText(app::App& app) {
    return nameBox(app).content() + "/" + priceBox(app).content() + "元";
}

bool isGroupTitle(app::App& app, std::string_view text) {
    const ui::OutlookBar& bar = menuBar(app);
    for (int group = 0; group < bar.groupCount(); ++group)
        if (bar.groupText(group) == text) return true;
    return false;
}

void readFailed(app::App& app) {
    app.reportFailure(app.restaurantSettingsScreen, app::kReadFailed);
}

// A price is whole 元 in digits only, as the order screen reads it back from the dish text, and
// no larger than the stored price can hold. Nothing when the typed price passes.
std::optional<std::string_view> priceRefusal(std::string_view price) {
    if (!std::ranges::all_of(price, [](char c) { return c >= '0' && c <= '9'; }))
        return "单价只能填写数字，请修改！";
    const auto value = support::digitsValue(price);
    if (!value || *value > store::schema::kLargestTypedNumber) return "单价超出范围，请修改！";
    return std::nullopt;
}

bool fillCategoryGroups(app::App& app) {
    ui::OutlookBar& bar = menuBar(app);
    bar.removeAll();
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.categories, categories::kTable))
        app.categories.ForEachRecord(
            [&] { bar.addGroup(app.categories.ReadText(categories::kName)); });
    app.categories.Close();
    categoryBox(app).setContent("");
    return !watch.failed();
}

// A dish whose category has no group is not shown.
bool fillDishes(app::App& app) {
    ui::OutlookBar& bar = menuBar(app);
    for (int group = 0; group < bar.groupCount(); ++group)
        bar.deleteItems(-1, group);
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.dishes, dishes::kTable)) {
        app.dishes.ForEachRecord([&] {
            const std::string dish = app.dishes.ReadText(dishes::kDish);
            const std::string category = app.dishes.ReadText(dishes::kCategory);
            for (int group = 0; group < bar.groupCount(); ++group)
                if (bar.groupText(group) == category) bar.addItem(dish, group);
        });
    }
    app.dishes.Close();
    return !watch.failed();
}

// The order screen orders from the same menu, so it follows every change made here.
void showChangedCategories(app::App& app) {
    const bool read =
        fillMenu(app) && (!app.orderScreen.isOpen() ||
                          (ordering::fillCategoryGroups(app) && ordering::fillDishes(app)));
    if (!read) readFailed(app);
}

void showChangedDishes(app::App& app, int openGroup) {
    const bool read = fillDishes(app) && (!app.orderScreen.isOpen() || ordering::fillDishes(app));
    menuBar(app).setCurrentGroup(openGroup);
    if (!read) readFailed(app);
}

void chooseCategory(app::App& app, int group) {
    if (group == -1) return;
    categoryBox(app).setContent(menuBar(app).groupText(group));
    nameBox(app).setContent("");
    priceBox(app).setContent("");
}

void chooseDish(app::App& app, int group, int item) {
    if (item == -1) return;
    const DishText dish = cutDishText(menuBar(app).itemText(item, group));
    nameBox(app).setContent(dish.name);
    priceBox(app).setContent(dish.price);
}

void addCategory(app::App& app) {
    const std::string name = categoryBox(app).content();
    if (support::isBlank(name)) return warn(app, "分类不能为空，请修改！");
    if (isGroupTitle(app, name)) return warn(app, "分类已存在，请修改！");

    app.openTable(app.categories, categories::kTable);
    app.categories.BeginAdd();
    app.categories.Write(categories::kName, name);
    const bool added = app.categories.Commit();
    app.categories.Close();
    if (!added) return app.reportFailure(app.restaurantSettingsScreen, "添加分类失败，请检查！");
    showChangedCategories(app);
}

// The category is renamed first; a dish that then fails to follow is reported and the others
// still move, so that as many as possible stay visible under the new name.
void moveDishes(app::App& app, const std::string& from, const std::string& to) {
    const store::FaultWatch watch = app.watchDatabase();
    bool reported = false;
    if (app.openTable(app.dishes, dishes::kTable) && app.database.BeginTransaction()) {
        app.dishes.ForEachWhere({{dishes::kCategory, from}}, [&] {
            app.dishes.BeginEdit();
            app.dishes.Write(dishes::kCategory, to);
            if (app.dishes.Commit()) return;
            app.reportFailure(app.restaurantSettingsScreen, "修改菜品失败，请检查！");
            reported = true;
        });
        if (!app.database.CommitTransaction()) app.database.RollbackTransaction();
    }
    app.dishes.Close();
    // Dishes that could not even be looked up stay under the old name: that is told too.
    if (watch.failed() && !reported)
        app.reportFailure(app.restaurantSettingsScreen, "修改菜品失败，请检查！");
}

// The category record is addressed by its group's place in the bar: names need not be unique in
// the table. An empty name is never written, so renaming to it fails at the commit.
void renameCategory(app::App& app) {
    const int group = menuBar(app).currentGroup();
    if (group == -1) return warn(app, "请选择要修改的分类！");
    const std::string name = categoryBox(app).content();
    if (isGroupTitle(app, name)) return warn(app, "分类已存在，请修改！");

    app.openTable(app.categories, categories::kTable);
    app.categories.GoTo(group + 1);
    app.categories.BeginEdit();
    app.categories.Write(categories::kName, name);
    const bool renamed = app.categories.Commit();
    app.categories.Close();
    if (!renamed) return app.reportFailure(app.restaurantSettingsScreen, "修改分类失败，请检查！");
    moveDishes(app, menuBar(app).groupText(group), name);
    showChangedCategories(app);
    menuBar(app).setCurrentGroup(group);
}

// The category and its dishes go together or not at all: a dish left without its category
// would never show again, and a category kept while its dishes went would stand empty. The
// dishes are those of the group, whatever has been typed into the category box since.
bool deleteCategoryWithDishes(app::App& app, int group) {
    // Both cursors on one connection: a second table-opening step would close the first cursor.
    if (!app.openTable(app.categories, categories::kTable) ||
        !app.database.BeginWriteTransaction() || !app.openTable(app.dishes, dishes::kTable)) {
        if (app.database.InTransaction()) app.database.RollbackTransaction();
        return false;
    }
    const bool deleted =
        app.categories.GoTo(group + 1) && app.categories.Delete() &&
        app.dishes.DeleteWhere({{dishes::kCategory, menuBar(app).groupText(group)}});
    if (deleted && app.database.CommitTransaction()) return true;
    app.database.RollbackTransaction();
    return false;
}

void deleteCategory(app::App& app) {
    const int group = menuBar(app).currentGroup();
    if (group == -1) return warn(app, "请选择要删除的分类！");

    const bool deleted = deleteCategoryWithDishes(app, group);
    app.dishes.Close();
    app.categories.Close();
    if (!deleted) return app.reportFailure(app.restaurantSettingsScreen, "删除分类失败，请检查！");
    inform(app, "分类删除成功！");
    showChangedCategories(app);
}

void addDish(app::App& app) {
    const ui::OutlookBar& bar = menuBar(app);
    const int group = bar.currentGroup();
    if (group == -1) return warn(app, "请选择要添加菜品的分类！");
    const std::string name = nameBox(app).content();
    if (support::isBlank(name) || support::isBlank(priceBox(app).content()))
        return warn(app, "菜品或单价不能为空，请修改！");
    if (name.find('/') != std::string::npos) return warn(app, kSlashInName);
    if (const auto refusal = priceRefusal(priceBox(app).content())) return warn(app, *refusal);
    // Only the open category counts: the same name may stand in another one.
    for (int item = 0; item < bar.itemCount(group); ++item)
        if (cutDishText(bar.itemText(item, group)).name == name)
            return warn(app, "菜品已存在，请修改！");

    app.openTable(app.dishes, dishes::kTable);
    app.dishes.BeginAdd();
    app.dishes.Write(dishes::kDish, typedDishText(app));
    app.dishes.Write(dishes::kCategory, bar.groupText(group));
    const bool added = app.dishes.Commit();
    app.dishes.Close();
    if (!added) return app.reportFailure(app.restaurantSettingsScreen, "添加菜品失败，请检查！");
    showChangedDishes(app, group);
}

// Puts the cursor on the chosen dish: the same text may stand in another category too.
bool findChosenDish(app::App& app) {
    const ui::OutlookBar& bar = menuBar(app);
    return app.openTable(app.dishes, dishes::kTable) &&
           app.dishes.FindFirst({{dishes::kDish, bar.itemText(bar.currentItem())},
                                 {dishes::kCategory, bar.groupText(bar.currentGroup())}});
}

void modifyDish(app::App& app) {
    const ui::OutlookBar& bar = menuBar(app);
    const int group = bar.currentGroup();
    if (group == -1 || bar.currentItem() == -1) return warn(app, "请选择要修改的菜品！");
    const std::string name = nameBox(app).content();
    const std::string price = priceBox(app).content();
    if (support::isBlank(name) || support::isBlank(price))
        return warn(app, "菜品或单价不能为空，请修改！");
    // A "/" would end the name early: the order screen would then read no price at all.
    if (name.find('/') != std::string::npos) return warn(app, kSlashInName);
    if (const auto refusal = priceRefusal(price)) return warn(app, *refusal);
    // Changing only the name or only the price is a change; keeping both is not.
    for (int item = 0; item < bar.itemCount(group); ++item) {
        const DishText dish = cutDishText(bar.itemText(item, group));
        if (dish.name == name && dish.price == price) return warn(app, "菜品已存在，请修改！");
    }

    const store::FaultWatch watch = app.watchDatabase();
    bool modified = false;
    if (findChosenDish(app)) {
        app.dishes.BeginEdit();
        app.dishes.Write(dishes::kDish, typedDishText(app));
        modified = app.dishes.Commit();
    }
    app.dishes.Close();
    if (!modified || watch.failed())
        return app.reportFailure(app.restaurantSettingsScreen, "修改菜品失败，请检查！");
    inform(app, "菜品修改成功！");
    nameBox(app).setContent("");
    priceBox(app).setContent("");
    showChangedDishes(app, group);
}

void deleteDish(app::App& app) {
    const ui::OutlookBar& bar = menuBar(app);
    const int group = bar.currentGroup();
    if (group == -1 || bar.currentItem() == -1) return warn(app, "请选择要删除的菜品！");

    const bool deleted = findChosenDish(app) && app.dishes.Delete();
    app.dishes.Close();
    if (!deleted) return app.reportFailure(app.restaurantSettingsScreen, "删除菜品失败，请检查！");
    inform(app, "删除修改成功！");
    nameBox(app).setContent("");
    priceBox(app).setContent("");
    showChangedDishes(app, group);
}

} // namespace

bool fillMenu(app::App& app) {
    return fillCategoryGroups(app) && fillDishes(app);
}

void bindMenuSettings(app::App& app) {
    ui::WindowDef& def = app.restaurantSettingsScreen.definition();
    ui::ControlDef& bar = def.control("卷帘式菜单_菜单");
    bar.on.groupClicked = [&app](int group) { chooseCategory(app, group); };
    bar.on.itemClicked = [&app](int group, int item) { chooseDish(app, group, item); };
    def.control("按钮_菜品分类添加").on.clicked = [&app] { addCategory(app); };
    def.control("按钮_菜品分类修改").on.clicked = [&app] { renameCategory(app); };
    def.control("按钮_菜品分类删除").on.clicked = [&app] { deleteCategory(app); };
    def.control("按钮_菜品添加").on.clicked = [&app] { addDish(app); };
    def.control("按钮_菜品修改").on.clicked = [&app] { modifyDish(app); };
    def.control("按钮_菜品删除").on.clicked = [&app] { deleteDish(app); };
}

} // namespace settings
