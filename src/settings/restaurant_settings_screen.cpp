#include "settings/restaurant_settings_screen.h"

#include "app/permissions.h"
#include "ordering/order_screen.h"
#include "settings/menu_settings.h"
#include "store/schema.h"
#include "support/text_rules.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace settings {
namespace {

namespace tables = store::schema::diningTables;

void warn(app::App& app, std::string_view text) {
    app.message(app.restaurantSettingsScreen, text, ui::kWarningBox);
}

ui::ListBox& tableList(app::App& app) {
    return app.restaurantSettingsScreen.listBox("列表框_餐台");
}

ui::EditBox& tableBox(app::App& app) {
    return app.restaurantSettingsScreen.editBox("编辑框_餐台");
}

// False when the dining tables could not all be read.
bool fillTableList(app::App& app) {
    ui::ListBox& list = tableList(app);
    list.clearItems();
    const store::FaultWatch watch = app.watchDatabase();
    if (app.openTable(app.diningTables, tables::kTable)) {
        app.diningTables.First();
        const int count = app.diningTables.RecordCount();
        for (int record = 0; record < count; ++record) {
            list.addItem(app.diningTables.ReadText(tables::kName));
            app.diningTables.Skip();
        }
    }
    app.diningTables.Close();
    return !watch.failed();
}

// The order screen offers the same names for opening a table, so it follows every change.
void showChangedTables(app::App& app) {
    if (!fillTableList(app) || (app.orderScreen.isOpen() && !ordering::fillDiningTables(app)))
        app.reportFailure(app.restaurantSettingsScreen, app::kReadFailed);
}

// Byte for byte: a trailing space makes another name.
bool isListed(app::App& app, const std::string& name) {
    return std::ranges::find(tableList(app).items(), name) != tableList(app).items().end();
}

void selectTable(app::App& app) {
    const ui::ListBox& list = tableList(app);
    if (list.selection() < 0) return;
    tableBox(app).setContent(list.itemText(list.selection()));
}

void addTable(app::App& app) {
    const std::string name = tableBox(app).content();
    if (support::isBlank(name)) return warn(app, "餐台不能为空，请修改！");
    if (isListed(app, name)) return warn(app, "餐台已存在，请修改！");

    app.openTable(app.diningTables, tables::kTable);
    app.diningTables.BeginAdd();
    app.diningTables.Write(tables::kName, name);
    const bool added = app.diningTables.Commit();
    app.diningTables.Close();
    if (!added) return app.reportFailure(app.restaurantSettingsScreen, "添加餐台失败，请检查！");
    tableBox(app).setContent("");
    showChangedTables(app);
}

// The table is addressed by its place in the list, not by its name: names need not be unique in
// the table. An empty name is never written, so renaming to it fails at the commit.
void renameTable(app::App& app) {
    const int selected = tableList(app).selection();
    if (selected < 0) return warn(app, "请选择要修改的餐台！");
    const std::string name = tableBox(app).content();
    if (isListed(app, name)) return warn(app, "餐台已存在，请修改！");

    app.openTable(app.diningTables, tables::kTable);
    app.diningTables.GoTo(selected + 1);
    app.diningTables.BeginEdit();
    app.diningTables.Write(tables::kName, name);
    const bool renamed = app.diningTables.Commit();
    app.diningTables.Close();
    if (!renamed) return app.reportFailure(app.restaurantSettingsScreen, "修改失败，请检查！");
    tableBox(app).setContent("");
    showChangedTables(app);
}

void deleteTable(app::App& app) {
    const int selected = tableList(app).selection();
    if (selected < 0) return warn(app, "请选择要删除的餐台！");

    app.openTable(app.diningTables, tables::kTable);
    const bool deleted = app.diningTables.GoTo(selected + 1) && app.diningTables.Delete();
    app.diningTables.Close();
    if (deleted) {
        app.message(app.restaurantSettingsScreen, "删除成功！", ui::kInformationBox);
        tableBox(app).setContent("");
    } else {
        // A table still there must not look deleted.
        app.reportFailure(app.restaurantSettingsScreen, "删除失败，请检查！");
    }
    // Refilled either way: the list shows what the table holds now.
    showChangedTables(app);
}

} // namespace

void bindRestaurantSettingsScreen(app::App& app) {
    ui::WindowDef& def = app.restaurantSettingsScreen.definition();
    def.on.created = [&app] {
        app::applyGates(app, app.restaurantSettingsScreen);
        if (!fillTableList(app) || !fillMenu(app))
            app.reportFailure(app.restaurantSettingsScreen, app::kReadFailed);
    };
    def.control("列表框_餐台").on.selectionChanged = [&app] { selectTable(app); };
    def.control("按钮_餐台添加").on.clicked = [&app] { addTable(app); };
    def.control("按钮_餐台修改").on.clicked = [&app] { renameTable(app); };
    def.control("按钮_餐台删除").on.clicked = [&app] { deleteTable(app); };
    def.control("按钮10").on.clicked = [&app] { app.restaurantSettingsScreen.close(); };
    bindMenuSettings(app);
}

} // namespace settings
