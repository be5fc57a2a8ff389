#include "app/permissions.h"

#include <vector>

namespace app {
namespace {

struct Gate {
    Permission permission;
    ui::Window App::*screen;
    std::vector<const char*> buttons;
};

// What each permission enables; a button is disabled exactly when its permission is missing.
const std::vector<Gate>& gates() {
    static const std::vector<Gate> table{
        {Permission::OpenTable, &App::orderScreen, {"按钮_开台"}},
        {Permission::Checkout, &App::checkoutScreen, {"按钮_结账"}},
        {Permission::Query,
         &App::recordsScreen,
         {"按钮_查询时间", "按钮_查询全部", "按钮_查询单号"}},
        {Permission::Delete, &App::recordsScreen, {"按钮_删除"}},
        {Permission::ExportOrders, &App::recordsScreen, {"按钮_流水导出"}},
        {Permission::ExportOrder, &App::recordsScreen, {"按钮_单台导出"}},
        {Permission::SetDiningTables,
         &App::restaurantSettingsScreen,
         {"按钮_餐台添加", "按钮_餐台修改", "按钮_餐台删除"}},
        // Beyond the described screens: the day close is confirmed by whoever may settle bills,
        // and its pages exported by whoever may export the order list.
        {Permission::Checkout, &App::dayCloseScreen, {"按钮_确认日结"}},
        {Permission::ExportOrders, &App::dayCloseScreen, {"按钮_导出"}},
        // The business report is read and printed by whoever may query the records, and
        // exported by whoever may export the order list.
        {Permission::Query, &App::reportsScreen, {"按钮_查询", "按钮_打印"}},
        {Permission::ExportOrders, &App::reportsScreen, {"按钮_导出"}},
        {Permission::SetDishes,
         &App::restaurantSettingsScreen,
         {"按钮_菜品分类添加", "按钮_菜品分类修改", "按钮_菜品分类删除", "按钮_菜品添加",
          "按钮_菜品修改", "按钮_菜品删除"}},
    };
    return table;
}

} // namespace

void applyGates(App& app, ui::Window& screen) {
    for (const Gate& gate : gates()) {
        if (&(app.*gate.screen) != &screen) continue;
        for (const char* button : gate.buttons)
            screen.control(button).setDisabled(!app.currentUser.granted(gate.permission));
    }
}

void applyMenuGates(App& app) {
    app.mainWindow.setMenuItemDisabled("用户设置", !app.currentUser.granted(Permission::SetUsers));
    app.mainWindow.setMenuItemDisabled("公告设置",
                                       !app.currentUser.granted(Permission::SetAnnouncement));
}

} // namespace app
