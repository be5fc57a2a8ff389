#include "long_values.h"

#include "support/date_time.h"
#include "typing.h"
#include "ui/screens/screens.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <string>

namespace testing_support {
namespace {

const char* const kOrderNumber = "20261231235959";
const char* const kLongestTime = "2026年12月31日23时59分59秒";
const char* const kUser = "前台收银员";
const char* const kTable = "大厅08";
const char* const kRemark = "[实收：10000元]\r\n[找零：9820元]";
const char* const kTypedRemark = "打包带走，多放辣";

QWidget* widgetNamed(qtui::QtDesktop& desktop, const ui::Window& window, const char* name) {
    QWidget* view = desktop.view(window);
    return view ? view->findChild<QWidget*>(QString::fromUtf8(name)) : nullptr;
}

// Typed as a person types; an editable combo box takes it in its line edit.
void typeInto(QWidget* box, const char* utf8) {
    if (auto* combo = qobject_cast<QComboBox*>(box)) box = combo->lineEdit();
    if (box) typeText(box, QString::fromUtf8(utf8));
}

void fillRows(ui::ListView& list, const std::vector<std::vector<std::string>>& rows) {
    list.deleteAllRows();
    for (const auto& cells : rows) {
        const int row = list.insertRow(std::to_string(list.rowCount() + 1));
        for (std::size_t column = 0; column < cells.size(); ++column)
            list.setCellText(row, static_cast<int>(column) + 1, cells[column]);
    }
}

std::vector<std::vector<std::string>> orderLines() {
    return {{kOrderNumber, "宫保鸡丁", "32", "99", "3168", "热菜"},
            {kOrderNumber, "凉拌木耳", "16", "12", "192", "凉菜"},
            {kOrderNumber, "青岛啤酒", "99999", "99", "99999", "酒水"}};
}

void fillMenu(ui::OutlookBar& bar) {
    bar.removeAll();
    bar.addItem("凉拌木耳/16元", bar.addGroup("凉菜"));
    bar.addItem("夫妻肺片/28元", 0);
    bar.addItem("宫保鸡丁/32元", bar.addGroup("热菜"));
    bar.addItem("鱼香肉丝/28元", 1);
    bar.addItem("扬州炒饭/18元", bar.addGroup("主食"));
    bar.addItem("青岛啤酒/8元", bar.addGroup("酒水"));
    bar.setCurrentGroup(1);
}

void fillTables(ui::ItemList& list) {
    list.clearItems();
    for (const char* table : {"大厅01", "大厅02", kTable, "牡丹厅", "玉兰厅"})
        list.addItem(table);
    list.setSelection(2);
}

void fillMainWindow(ui::Window& window) {
    window.label("标签_用户").setCaption(kUser);
    window.label("标签_时间").setCaption(kLongestTime);
    window.statusBar("状态条_公告")
        .setPartText(1, "欢迎使用Veltrano前台系统！首次登录后请尽快修改管理员密码。");
    window.comboBox("组合框_皮肤").setSelection(4);
}

void fillLogin(qtui::QtDesktop& desktop, ui::Window& window) {
    ui::ComboBox& users = window.comboBox("组合框_用户");
    for (const char* user : {"管理员", kUser, "服务员"})
        users.addItem(user);
    users.setSelection(1);
    typeInto(widgetNamed(desktop, window, "编辑框_密码"), "admin2026");
}

void fillOrder(qtui::QtDesktop& desktop, ui::Window& window) {
    fillTables(window.comboBox("组合框_餐台"));
    typeInto(widgetNamed(desktop, window, "组合框_人数"), "120");
    window.label("标签_单号").setCaption(kOrderNumber);
    window.label("标签_当前操作").setCaption(kTable);
    fillTables(window.comboBox("组合框_切换"));
    fillMenu(window.outlookBar("卷帘式菜单_点菜"));
    fillRows(window.listView("超级列表框_点菜"), orderLines());
    window.label("标签_开台时间").setCaption(kLongestTime);
    window.label("标签_人数").setCaption("120");
    window.label("标签_菜品总数").setCaption("999");
    window.label("标签_总金额").setCaption("99999");
}

void fillCheckout(qtui::QtDesktop& desktop, ui::Window& window) {
    fillRows(window.listView("超级列表框_流水"),
             {{kOrderNumber, kLongestTime, kTable, "120", "99999", "未结账", kUser},
              {"20261231120505", "2026年12月31日12时5分5秒", "牡丹厅", "8", "1288", "未结账",
               "管理员"}});
    fillRows(window.listView("超级列表框_明细"), orderLines());
    window.label("标签_台号").setCaption(kTable);
    window.label("标签_金额").setCaption("99999");
    typeInto(widgetNamed(desktop, window, "编辑框_金额"), "10000");
    window.label("标签_找零").setCaption("9820");
    window.editBox("编辑框_备注").setContent(kRemark);
    typeInto(widgetNamed(desktop, window, "编辑框_备注文本"), kTypedRemark);
}

void fillRecords(qtui::QtDesktop& desktop, ui::Window& window) {
    typeInto(widgetNamed(desktop, window, "编辑框_单号"), kOrderNumber);
    const support::DateTime lastDay = support::toDateTime({2026, 12, 31, 23, 59, 59});
    window.datePicker("日期框1").setValue(lastDay);
    window.datePicker("日期框2").setValue(lastDay);
    const std::string remark = std::string(kRemark) + kTypedRemark;
    fillRows(window.listView("超级列表框_流水"),
             {{kOrderNumber, kLongestTime, kTable, "120", "99999", "已结账", kUser, remark},
              {"20261231120505", "2026年12月31日12时5分5秒", "牡丹厅", "8", "1288", "未结账",
               "管理员", ""}});
    window.label("标签_人数合计").setCaption("36500");
    window.label("标签_金额合计").setCaption("9999999");
    window.label("标签_已结合计").setCaption("9999999");
    window.label("标签_未结合计").setCaption("99999");
    fillRows(window.listView("超级列表框_明细"), orderLines());
    window.label("标签_单号").setCaption(kOrderNumber);
    window.label("标签_时间").setCaption(kLongestTime);
    window.label("标签_台号").setCaption(kTable);
    window.label("标签_人数").setCaption("120");
    window.label("标签_金额").setCaption("99999");
}

void fillUserSettings(qtui::QtDesktop& desktop, ui::Window& window) {
    ui::ListBox& users = window.listBox("列表框_用户");
    ui::ComboBox& chosen = window.comboBox("组合框_用户");
    for (const char* user : {"管理员", kUser, "服务员"}) {
        users.addItem(user);
        chosen.addItem(user);
    }
    users.setSelection(1);
    chosen.setSelection(1);
    typeInto(widgetNamed(desktop, window, "编辑框_用户"), kUser);
    typeInto(widgetNamed(desktop, window, "编辑框_密码"), "admin2026");
    ui::ChkListBox& permissions = window.chkListBox("选择列表框_权限");
    for (int i = 0; i < permissions.itemCount(); i += 2)
        permissions.setItemTicked(i, true);
}

void fillRestaurantSettings(qtui::QtDesktop& desktop, ui::Window& window) {
    ui::ListBox& tables = window.listBox("列表框_餐台");
    for (const char* table : {"大厅01", "大厅02", kTable, "牡丹厅", "玉兰厅"})
        tables.addItem(table);
    tables.setSelection(2);
    fillMenu(window.outlookBar("卷帘式菜单_菜单"));
    typeInto(widgetNamed(desktop, window, "编辑框_餐台"), kTable);
    typeInto(widgetNamed(desktop, window, "编辑框_分类"), "热菜");
    typeInto(widgetNamed(desktop, window, "编辑框_菜品"), "宫保鸡丁");
    typeInto(widgetNamed(desktop, window, "编辑框_单价"), "99999");
}

} // namespace

const std::vector<std::function<ui::WindowDef()>>& allScreens() {
    static const std::vector<std::function<ui::WindowDef()>> screens{
        ui::screens::mainWindow,
        ui::screens::loginScreen,
        ui::screens::orderScreen,
        ui::screens::checkoutScreen,
        ui::screens::recordsScreen,
        ui::screens::userSettingsScreen,
        ui::screens::restaurantSettingsScreen,
    };
    return screens;
}

void fillLongValues(qtui::QtDesktop& desktop, ui::Window& window) {
    const std::string& name = window.name();
    if (name == "MainWindow") fillMainWindow(window);
    if (name == "LoginScreen") fillLogin(desktop, window);
    if (name == "OrderScreen") fillOrder(desktop, window);
    if (name == "CheckoutScreen") fillCheckout(desktop, window);
    if (name == "RecordsScreen") fillRecords(desktop, window);
    if (name == "UserSettingsScreen") fillUserSettings(desktop, window);
    if (name == "RestaurantSettingsScreen") fillRestaurantSettings(desktop, window);
    // Lists show their new rows once the burst of writes is over.
    QApplication::processEvents();
}

} // namespace testing_support
