#include "ui/layout_check.h"
#include "ui/screens/screens.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using testing_support::Expected;
using testing_support::expectLayout;
using testing_support::expectUniqueNamesAndEarlierContainers;
using ui::WindowDef;
using enum ui::ControlKind;

const Expected kLoginScreen[] = {
    {"分组框1", GroupBox, "", 1, -3, 400, 310},
    {"透明标签1", TransLabel, "分组框1", 40, 32, 194, 48},
    {"透明标签4", TransLabel, "分组框1", 270, 53, 72, 24},
    {"外形框1", ShapeBox, "分组框1", 36, 82, 320, 1},
    {"分组框2", GroupBox, "分组框1", 35, 96, 320, 120},
    {"图片框3", PicBox, "分组框2", 26, 25, 28, 28},
    {"透明标签2", TransLabel, "分组框2", 65, 28, 56, 25},
    {"组合框_用户", ComboBox, "分组框2", 138, 28, 150, 20},
    {"图片框2", PicBox, "分组框2", 26, 70, 28, 28},
    {"透明标签3", TransLabel, "分组框2", 65, 72, 56, 25},
    {"编辑框_密码", EditBox, "分组框2", 138, 72, 150, 25},
    {"按钮_登录", Button, "分组框1", 157, 232, 80, 30},
    {"按钮_取消", Button, "分组框1", 269, 232, 80, 30},
    {"外形框2", ShapeBox, "分组框1", 1, 278, 388, 1},
    {"透明标签5", TransLabel, "分组框1", 35, 284, 312, 16},
};

const Expected kMainWindow[] = {
    {"图片框1", PicBox, "", 3, 3, 35, 35},
    {"透明标签1", TransLabel, "", 47, 10, 113, 25},
    {"透明标签2", TransLabel, "", 173, 17, 300, 16},
    {"组合框_皮肤", ComboBox, "", 752, 11, 114, 20},
    {"按钮2", Button, "", 883, 11, 60, 20},
    {"按钮1", Button, "", 953, 11, 60, 20},
    {"外形框1", ShapeBox, "", 0, 40, 1024, 1},
    {"工具条1", ToolBar, "", 0, 43, 1024, 65},
    {"分组框1", GroupBox, "", 696, 41, 323, 63},
    {"透明标签4", TransLabel, "分组框1", 15, 15, 70, 16},
    {"标签_用户", Label, "分组框1", 96, 11, 96, 20},
    {"透明标签3", TransLabel, "分组框1", 15, 35, 70, 24},
    {"标签_时间", Label, "分组框1", 96, 36, 216, 20},
    {"外形框2", ShapeBox, "", 0, 107, 1024, 1},
    {"透明标签5", TransLabel, "", 816, 648, 200, 16},
    {"状态条_公告", StatusBar, "", 0, 748, 1024, 20},
    {"时钟1", Timer, "", 0, 0, 0, 0},
    {"超级菜单1", SupperMenu, "", 0, 0, 0, 0},
    {"时钟_刷新", Timer, "", 0, 0, 0, 0},
};

const Expected kUserSettingsScreen[] = {
    {"分组框4", GroupBox, "", 0, -3, 650, 376},
    {"透明标签2", TransLabel, "分组框4", 16, 18, 88, 24},
    {"按钮3", Button, "分组框4", 533, 16, 95, 25},
    {"外形框1", ShapeBox, "分组框4", 15, 50, 620, 1},
    {"分组框1", GroupBox, "分组框4", 14, 60, 155, 300},
    {"透明标签1", TransLabel, "分组框1", 40, 11, 72, 24},
    {"列表框_用户", ListBox, "分组框1", 6, 37, 141, 256},
    {"图片框3", PicBox, "分组框4", 177, 96, 28, 28},
    {"图片框2", PicBox, "分组框4", 177, 153, 28, 28},
    {"分组框2", GroupBox, "分组框4", 210, 87, 160, 40},
    {"透明标签3", TransLabel, "分组框2", 9, 13, 40, 16},
    {"编辑框_用户", EditBox, "分组框2", 55, 10, 100, 24},
    {"分组框3", GroupBox, "分组框4", 210, 144, 160, 40},
    {"透明标签4", TransLabel, "分组框3", 9, 13, 40, 16},
    {"编辑框_密码", EditBox, "分组框3", 55, 10, 100, 24},
    {"按钮_添加", Button, "分组框4", 237, 211, 95, 30},
    {"按钮_修改", Button, "分组框4", 237, 258, 95, 30},
    {"按钮_删除", Button, "分组框4", 237, 306, 95, 30},
    {"外形框2", ShapeBox, "分组框4", 389, 51, 1, 324},
    {"分组框5", GroupBox, "分组框4", 408, 60, 224, 48},
    {"透明标签5", TransLabel, "分组框5", 8, 14, 72, 24},
    {"组合框_用户", ComboBox, "分组框5", 80, 14, 136, 20},
    {"透明标签7", TransLabel, "分组框4", 410, 117, 72, 16},
    {"选择列表框_权限", ChkListBox, "分组框4", 408, 139, 112, 220},
    {"按钮_全选", Button, "分组框4", 529, 141, 95, 30},
    {"按钮_反选", Button, "分组框4", 529, 181, 95, 30},
    {"按钮_确定", Button, "分组框4", 529, 262, 95, 30},
    {"透明标签6", TransLabel, "", 18, 373, 590, 24},
};

const Expected kRestaurantSettingsScreen[] = {
    {"分组框1", GroupBox, "", 2, -2, 776, 525},
    {"透明标签1", TransLabel, "分组框1", 16, 18, 88, 24},
    {"按钮10", Button, "分组框1", 656, 16, 95, 25},
    {"外形框1", ShapeBox, "分组框1", 15, 50, 745, 1},
    {"分组框2", GroupBox, "分组框1", 14, 60, 340, 450},
    {"透明标签2", TransLabel, "分组框2", 10, 9, 70, 30},
    {"列表框_餐台", ListBox, "分组框2", 6, 40, 127, 404},
    {"分组框3", GroupBox, "分组框2", 140, 35, 195, 45},
    {"透明标签3", TransLabel, "分组框3", 16, 13, 48, 24},
    {"编辑框_餐台", EditBox, "分组框3", 68, 13, 120, 25},
    {"按钮_餐台添加", Button, "分组框2", 218, 96, 112, 32},
    {"按钮_餐台修改", Button, "分组框2", 219, 136, 112, 32},
    {"按钮_餐台删除", Button, "分组框2", 219, 176, 112, 32},
    {"分组框4", GroupBox, "分组框1", 360, 60, 402, 450},
    {"透明标签5", TransLabel, "分组框4", 10, 9, 70, 30},
    {"卷帘式菜单_菜单", OutlookBar, "分组框4", 7, 40, 184, 404},
    {"分组框5", GroupBox, "分组框4", 200, 35, 195, 45},
    {"透明标签4", TransLabel, "分组框5", 17, 9, 41, 32},
    {"编辑框_分类", EditBox, "分组框5", 68, 13, 120, 25},
    {"按钮_菜品分类添加", Button, "分组框4", 272, 96, 120, 30},
    {"按钮_菜品分类修改", Button, "分组框4", 272, 136, 120, 30},
    {"按钮_菜品分类删除", Button, "分组框4", 272, 176, 120, 30},
    {"外形框2", ShapeBox, "分组框4", 192, 221, 208, 1},
    {"分组框6", GroupBox, "分组框4", 200, 230, 195, 77},
    {"透明标签6", TransLabel, "分组框6", 17, 9, 41, 32},
    {"编辑框_菜品", EditBox, "分组框6", 68, 13, 120, 25},
    {"透明标签7", TransLabel, "分组框6", 17, 39, 41, 32},
    {"编辑框_单价", EditBox, "分组框6", 68, 43, 76, 25},
    {"透明标签8", TransLabel, "分组框6", 156, 43, 32, 24},
    {"按钮_菜品添加", Button, "分组框4", 272, 324, 120, 30},
    {"按钮_菜品修改", Button, "分组框4", 272, 364, 120, 30},
    {"按钮_菜品删除", Button, "分组框4", 272, 404, 120, 30},
    {"透明标签9", TransLabel, "", 19, 528, 600, 16},
};

TEST(ShellScreensLayout, EachScreenHoldsExactlyItsTableInOrder) {
    expectLayout(ui::screens::loginScreen(), kLoginScreen);
    expectLayout(ui::screens::mainWindow(), kMainWindow);
    expectLayout(ui::screens::userSettingsScreen(), kUserSettingsScreen);
    expectLayout(ui::screens::restaurantSettingsScreen(), kRestaurantSettingsScreen);
    for (const WindowDef& def :
         {ui::screens::loginScreen(), ui::screens::mainWindow(), ui::screens::userSettingsScreen(),
          ui::screens::restaurantSettingsScreen()})
        expectUniqueNamesAndEarlierContainers(def);
}

TEST(ShellScreensLayout, WindowsHaveTheirSizesCaptionsAndFlags) {
    const WindowDef main = ui::screens::mainWindow();
    EXPECT_EQ(main.name, "MainWindow");
    EXPECT_EQ(main.caption, "Veltrano");
    EXPECT_EQ((std::array{main.rect.width, main.rect.height}), (std::array{1024, 768}));
    EXPECT_TRUE(main.flags.maximiseBox && main.flags.minimiseBox);
    EXPECT_FALSE(main.icon.empty());

    const WindowDef login = ui::screens::loginScreen();
    EXPECT_EQ((std::array{login.rect.width, login.rect.height}), (std::array{402, 308}));
    EXPECT_EQ(login.backgroundColor, ui::Color::rgb(0xECECEC));

    const WindowDef users = ui::screens::userSettingsScreen();
    EXPECT_EQ(users.caption, "用户设置");
    EXPECT_FALSE(users.flags.minimiseBox);
    EXPECT_FALSE(users.flags.maximiseBox);

    const WindowDef restaurant = ui::screens::restaurantSettingsScreen();
    EXPECT_EQ((std::array{restaurant.rect.width, restaurant.rect.height}), (std::array{780, 550}));
    EXPECT_EQ(restaurant.caption, "");
}

TEST(MainWindowDefinition, ToolbarSkinsAndPopupMenuAreAsTheShellExpects) {
    const WindowDef def = ui::screens::mainWindow();
    const auto& buttons = def.control("工具条1").buttons;
    // The program's own entries follow the first eight, which keep their places.
    ASSERT_EQ(buttons.size(), 11u);
    const std::vector<std::string> texts{"",         "切换用户", "", "开台点菜", "买单结账", "",
                                         "明细查询", "系统设置", "", "日结",     "营业报表"};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i].separator, i == 0 || i == 2 || i == 5 || i == 8) << i;
        EXPECT_EQ(buttons[i].text, texts[i]) << i;
    }

    const auto& skins = def.control("组合框_皮肤");
    EXPECT_EQ(skins.comboType, ui::ComboType::DropDownList);
    EXPECT_EQ(skins.items,
              (std::vector<std::string>{"皮肤—灰色经典", "皮肤—金色积木", "皮肤—粉色回忆",
                                        "皮肤—蓝色天空", "皮肤—红灰金属"}));
    EXPECT_EQ(def.control("时钟1").interval, 1000);
    ASSERT_EQ(def.control("状态条_公告").parts.size(), 2u);
    EXPECT_EQ(def.control("状态条_公告").parts[0].width, 100);
    EXPECT_EQ(def.control("状态条_公告").parts[0].text, " 公告：");
    EXPECT_EQ(def.control("状态条_公告").parts[1].width, -1);

    ASSERT_EQ(def.menu.size(), 9u);
    EXPECT_TRUE(def.menu[0].hidden);
    EXPECT_EQ(def.menu[0].level, 0);
    std::vector<std::string> captions;
    for (std::size_t i = 1; i < def.menu.size(); ++i) {
        EXPECT_EQ(def.menu[i].level, 1);
        EXPECT_FALSE(def.menu[i].disabled);
        captions.push_back(def.menu[i].caption);
    }
    // The program's own entries come after the first five, which keep their places.
    EXPECT_EQ(captions, (std::vector<std::string>{"用户设置", "-", "餐厅设置", "-", "公告设置", "-",
                                                  "备份与恢复", "打印设置"}));
}

TEST(SettingsDefinitions, PermissionsPasswordsAndNumberBoxes) {
    const WindowDef users = ui::screens::userSettingsScreen();
    EXPECT_EQ(users.control("选择列表框_权限").items,
              (std::vector<std::string>{"开台", "结账", "查询", "删除", "流水导出", "单台导出",
                                        "设置用户", "设置餐台", "设置菜品", "设置公告"}));
    EXPECT_EQ(users.control("编辑框_密码").inputMode, ui::InputMode::Password);
    EXPECT_EQ(users.control("编辑框_密码").mask, "*");
    EXPECT_EQ(users.control("透明标签6").textColor, ui::Color::rgb(0xFF0000));

    const WindowDef login = ui::screens::loginScreen();
    EXPECT_EQ(login.control("编辑框_密码").inputMode, ui::InputMode::Password);
    EXPECT_EQ(login.control("组合框_用户").comboType, ui::ComboType::Editable);
    EXPECT_TRUE(login.control("组合框_用户").items.empty());
    EXPECT_EQ(login.control("透明标签3").caption, "密  码：");

    const WindowDef restaurant = ui::screens::restaurantSettingsScreen();
    EXPECT_EQ(restaurant.control("编辑框_单价").inputMode, ui::InputMode::WholeNumber);
    EXPECT_EQ(restaurant.control("透明标签1").caption, "餐厅设置");
}

} // namespace
