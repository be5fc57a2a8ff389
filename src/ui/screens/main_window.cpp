#include "ui/screens/screens.h"

namespace ui::screens {

WindowDef mainWindow() {
    using enum ControlKind;
    constexpr Color kDarkGrey = Color::rgb(0x404040);
    constexpr Color kGreen = Color::rgb(0x008000);
    constexpr Color kPanel = Color::rgb(0xECECEC);

    WindowDef def;
    def.name = "MainWindow";
    def.caption = "Veltrano";
    def.rect = {0, 0, 1024, 768};
    def.flags = {.minimiseBox = true, .maximiseBox = true, .systemMenu = true};
    def.icon = "app";

    def.add(PicBox, "图片框1", "", {3, 3, 35, 35}).withImage("app");
    def.add(TransLabel, "透明标签1", "", {47, 10, 113, 25})
        .withCaption("Veltrano")
        .withDecorativeFont(27);
    def.add(TransLabel, "透明标签2", "", {173, 17, 300, 16}).withCaption("小餐馆的前台好帮手");
    def.add(ComboBox, "组合框_皮肤", "", {752, 11, 114, 20})
        .withComboType(ComboType::DropDownList)
        .withItems(
            {"皮肤—灰色经典", "皮肤—金色积木", "皮肤—粉色回忆", "皮肤—蓝色天空", "皮肤—红灰金属"});
    def.add(Button, "按钮2", "", {883, 11, 60, 20}).withCaption("最小化");
    def.add(Button, "按钮1", "", {953, 11, 60, 20}).withCaption("关闭");
    def.add(ShapeBox, "外形框1", "", {0, 40, 1024, 1}).withTextColor(kDarkGrey);
    def.add(ToolBar, "工具条1", "", {0, 43, 1024, 65})
        .withButtons({{"", "", true},
                      {"切换用户", "switch_user", false},
                      {"", "", true},
                      {"开台点菜", "open_table", false},
                      {"买单结账", "checkout", false},
                      {"", "", true},
                      {"明细查询", "records", false},
                      {"系统设置", "settings", false},
                      {"", "", true},
                      {"日结", "day_close", false},
                      {"营业报表", "reports", false}});
    def.add(GroupBox, "分组框1", "", {696, 41, 323, 63});
    def.add(TransLabel, "透明标签4", "分组框1", {15, 15, 70, 16}).withCaption("当前用户：");
    def.add(Label, "标签_用户", "分组框1", {96, 11, 96, 20})
        .withTextColor(kGreen)
        .withBackground(kPanel);
    def.add(TransLabel, "透明标签3", "分组框1", {15, 35, 70, 24}).withCaption("系统时间：");
    def.add(Label, "标签_时间", "分组框1", {96, 36, 216, 20})
        .withTextColor(kGreen)
        .withBackground(kPanel);
    def.add(ShapeBox, "外形框2", "", {0, 107, 1024, 1}).withTextColor(kDarkGrey);
    def.add(TransLabel, "透明标签5", "", {816, 648, 200, 16}).withCaption("祝生意兴隆 · Veltrano");
    def.add(StatusBar, "状态条_公告", "", {0, 748, 1024, 20})
        .withParts({{100, " 公告："}, {-1, ""}});
    def.add(Timer, "时钟1", "", {}).withInterval(1000);
    def.add(SupperMenu, "超级菜单1", "", {});
    // Follows the other counters sharing a database server.
    def.add(Timer, "时钟_刷新", "", {}).withInterval(250);

    def.addMenuItem("工具菜单", "工具菜单", 0);
    def.addMenuItem("用户设置", "用户设置", 1).image = "user_settings";
    def.addMenuItem("分隔1", "-", 1);
    def.addMenuItem("餐厅设置", "餐厅设置", 1).image = "restaurant_settings";
    def.addMenuItem("分隔2", "-", 1);
    def.addMenuItem("公告设置", "公告设置", 1).image = "announcement";
    def.addMenuItem("分隔3", "-", 1);
    def.addMenuItem("备份与恢复", "备份与恢复", 1).image = "backup";
    def.addMenuItem("打印设置", "打印设置", 1).image = "printer";
    return def;
}

} // namespace ui::screens
