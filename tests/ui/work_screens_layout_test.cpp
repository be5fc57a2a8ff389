#include "ui/layout_check.h"
#include "ui/screens/screens.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace {

using testing_support::Expected;
using testing_support::expectLayout;
using testing_support::expectUniqueNamesAndEarlierContainers;
using ui::ControlDef;
using ui::ControlKind;
using ui::WindowDef;

using enum ControlKind;

const Expected kOrderScreen[] = {
    {"分组框1", GroupBox, "", 4, 0, 1016, 80},
    {"透明标签1", TransLabel, "分组框1", 35, 28, 96, 30},
    {"组合框_餐台", ComboBox, "分组框1", 139, 29, 128, 20},
    {"透明标签2", TransLabel, "分组框1", 294, 28, 60, 30},
    {"组合框_人数", ComboBox, "分组框1", 351, 29, 72, 20},
    {"按钮_开台", Button, "分组框1", 463, 28, 100, 30},
    {"外形框1", ShapeBox, "分组框1", 605, 7, 1, 70},
    {"透明标签3", TransLabel, "分组框1", 651, 28, 101, 30},
    {"标签_单号", Label, "分组框1", 760, 28, 217, 30},
    {"卷帘式菜单_点菜", OutlookBar, "", 5, 80, 215, 545},
    {"透明标签4", TransLabel, "", 255, 104, 78, 25},
    {"标签_当前操作", Label, "", 336, 104, 120, 24},
    {"按钮_数量加", Button, "", 474, 104, 50, 24},
    {"按钮_数量减", Button, "", 530, 104, 50, 24},
    {"按钮_删除", Button, "", 607, 104, 50, 24},
    {"透明标签5", TransLabel, "", 722, 104, 78, 25},
    {"组合框_切换", ComboBox, "", 802, 105, 100, 21},
    {"按钮_切换", Button, "", 932, 104, 60, 24},
    {"超级列表框_点菜", ListView, "", 220, 152, 800, 432},
    {"透明标签7", TransLabel, "", 239, 599, 80, 16},
    {"标签_开台时间", Label, "", 312, 596, 210, 20},
    {"透明标签8", TransLabel, "", 632, 599, 42, 16},
    {"标签_人数", Label, "", 672, 596, 50, 20},
    {"透明标签9", TransLabel, "", 745, 599, 68, 16},
    {"标签_菜品总数", Label, "", 815, 596, 50, 20},
    {"透明标签10", TransLabel, "", 886, 599, 56, 16},
    {"标签_总金额", Label, "", 942, 596, 50, 20},
    // Printing, after every control above and where none of them is.
    {"按钮_送厨", Button, "", 663, 104, 50, 24},
    {"按钮_预结单", Button, "", 536, 594, 80, 24},
};

const Expected kCheckoutScreen[] = {
    {"分组框1", GroupBox, "", 5, 0, 1016, 200},
    {"超级列表框_流水", ListView, "分组框1", 3, 9, 1010, 187},
    {"分组框2", GroupBox, "", 5, 198, 700, 425},
    {"超级列表框_明细", ListView, "分组框2", 3, 9, 694, 413},
    {"透明标签1", TransLabel, "", 750, 240, 88, 24},
    {"标签_台号", Label, "", 850, 240, 120, 24},
    {"透明标签2", TransLabel, "", 750, 287, 88, 24},
    {"标签_金额", Label, "", 850, 288, 80, 24},
    {"透明标签6", TransLabel, "", 945, 288, 25, 24},
    {"透明标签4", TransLabel, "", 750, 336, 88, 24},
    {"编辑框_备注", EditBox, "", 850, 337, 120, 35},
    {"编辑框_备注文本", EditBox, "", 850, 371, 120, 35},
    {"外形框1", ShapeBox, "", 729, 440, 270, 1},
    {"透明标签5", TransLabel, "", 750, 479, 88, 24},
    {"标签_找零", Label, "", 850, 479, 80, 24},
    {"透明标签7", TransLabel, "", 945, 479, 25, 24},
    {"透明标签3", TransLabel, "", 750, 523, 88, 24},
    {"编辑框_金额", EditBox, "", 850, 524, 80, 24},
    {"透明标签8", TransLabel, "", 945, 524, 25, 24},
    {"按钮_结账", Button, "", 792, 571, 144, 30},
    // The way of paying, after every control above and in the free band below the line.
    {"透明标签_付款方式", TransLabel, "", 750, 446, 88, 26},
    {"组合框_付款方式", ComboBox, "", 850, 446, 120, 26},
};

const Expected kRecordsScreen[] = {
    {"分组框1", GroupBox, "", 4, -1, 1016, 627},
    {"按钮_查询全部", Button, "分组框1", 7, 13, 72, 24},
    {"透明标签1", TransLabel, "分组框1", 143, 17, 37, 16},
    {"编辑框_单号", EditBox, "分组框1", 190, 14, 161, 22},
    {"按钮_查询单号", Button, "分组框1", 369, 13, 56, 24},
    {"透明标签2", TransLabel, "分组框1", 502, 17, 40, 16},
    {"日期框1", DatePicker, "分组框1", 554, 13, 136, 24},
    {"透明标签3", TransLabel, "分组框1", 701, 13, 32, 24},
    {"日期框2", DatePicker, "分组框1", 738, 13, 136, 24},
    {"按钮_查询时间", Button, "分组框1", 897, 13, 64, 24},
    {"超级列表框_流水", ListView, "分组框1", 3, 42, 1010, 250},
    {"透明标签4", TransLabel, "分组框1", 24, 302, 72, 24},
    {"标签_人数合计", Label, "分组框1", 101, 302, 72, 24},
    {"透明标签5", TransLabel, "分组框1", 207, 302, 72, 24},
    {"标签_金额合计", Label, "分组框1", 284, 302, 72, 24},
    {"透明标签6", TransLabel, "分组框1", 394, 302, 72, 24},
    {"标签_已结合计", Label, "分组框1", 474, 302, 72, 24},
    {"透明标签7", TransLabel, "分组框1", 588, 302, 72, 24},
    {"标签_未结合计", Label, "分组框1", 665, 302, 72, 24},
    {"按钮_删除", Button, "分组框1", 780, 302, 88, 24},
    {"按钮_流水导出", Button, "分组框1", 888, 302, 112, 24},
    {"外形框1", ShapeBox, "分组框1", 4, 334, 1008, 1},
    {"超级列表框_明细", ListView, "分组框1", 3, 337, 697, 286},
    {"透明标签8", TransLabel, "分组框1", 745, 373, 60, 20},
    {"标签_单号", Label, "分组框1", 806, 369, 160, 24},
    {"透明标签12", TransLabel, "分组框1", 745, 410, 60, 20},
    {"标签_时间", Label, "分组框1", 806, 406, 160, 24},
    {"透明标签9", TransLabel, "分组框1", 745, 447, 60, 20},
    {"标签_台号", Label, "分组框1", 806, 443, 160, 24},
    {"透明标签10", TransLabel, "分组框1", 745, 484, 60, 20},
    {"标签_人数", Label, "分组框1", 806, 480, 160, 24},
    {"透明标签11", TransLabel, "分组框1", 745, 524, 60, 20},
    {"标签_金额", Label, "分组框1", 806, 520, 160, 24},
    {"按钮_单台导出", Button, "分组框1", 806, 565, 160, 32},
    // Printing the order again, after every control above and where none of them is.
    {"按钮_补打", Button, "分组框1", 712, 565, 84, 32},
};

std::vector<std::string> titles(const ControlDef& list) {
    std::vector<std::string> result;
    std::transform(list.columns.begin(), list.columns.end(), std::back_inserter(result),
                   [](const ui::ListColumn& column) { return column.title; });
    return result;
}

const std::vector<std::string> kLineTitles = {"序号", "系统单号", "菜品名称", "单价",
                                              "数量", "金额",     "菜品分类"};

TEST(WorkScreensLayout, OrderScreenHoldsExactlyItsTableInOrder) {
    expectLayout(ui::screens::orderScreen(), kOrderScreen);
}

TEST(WorkScreensLayout, CheckoutScreenHoldsExactlyItsTableInOrder) {
    expectLayout(ui::screens::checkoutScreen(), kCheckoutScreen);
}

TEST(WorkScreensLayout, RecordsScreenHoldsExactlyItsTableInOrder) {
    expectLayout(ui::screens::recordsScreen(), kRecordsScreen);
}

TEST(WorkScreensLayout, WindowsAreFullWidthWithoutCaptionOrMaximiseBox) {
    const WindowDef screens[] = {ui::screens::orderScreen(), ui::screens::checkoutScreen(),
                                 ui::screens::recordsScreen()};
    const char* names[] = {"OrderScreen", "CheckoutScreen", "RecordsScreen"};
    for (std::size_t i = 0; i < std::size(screens); ++i) {
        const WindowDef& def = screens[i];
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(def.name, names[i]);
        EXPECT_EQ(def.rect.width, 1024);
        EXPECT_EQ(def.rect.height, 630);
        EXPECT_EQ(def.caption, "");
        EXPECT_TRUE(def.flags.minimiseBox);
        EXPECT_FALSE(def.flags.maximiseBox);
        EXPECT_TRUE(def.flags.systemMenu);
        EXPECT_FALSE(def.backgroundColor.has_value());
    }
}

TEST(WorkScreensLayout, NamesAreUniqueAndContainersAreEarlierGroupBoxes) {
    for (const WindowDef& def :
         {ui::screens::orderScreen(), ui::screens::checkoutScreen(), ui::screens::recordsScreen()})
        expectUniqueNamesAndEarlierContainers(def);
}

TEST(OrderScreenDefinition, CombosListAndBottomLabelsStartAsHandlersExpect) {
    const WindowDef def = ui::screens::orderScreen();
    EXPECT_EQ(def.control("组合框_餐台").comboType, ui::ComboType::DropDownList);
    EXPECT_EQ(def.control("组合框_切换").comboType, ui::ComboType::DropDownList);

    const ControlDef& guests = def.control("组合框_人数");
    EXPECT_EQ(guests.comboType, ui::ComboType::Editable);
    ASSERT_EQ(guests.items.size(), 20u);
    EXPECT_EQ(guests.items.front(), "1");
    EXPECT_EQ(guests.items[9], "10");
    EXPECT_EQ(guests.items.back(), "20");
    EXPECT_EQ(guests.selection, -1);

    const ControlDef& lines = def.control("超级列表框_点菜");
    EXPECT_EQ(titles(lines), kLineTitles);
    EXPECT_FALSE(lines.multiSelect);
    EXPECT_TRUE(lines.fullRowSelect && lines.gridLines && lines.showSelectionAlways);

    // An empty current-table label means no order is current.
    EXPECT_EQ(def.control("标签_当前操作").caption, "");
    EXPECT_EQ(def.control("标签_单号").caption, "");
    EXPECT_EQ(def.control("标签_开台时间").caption, "2022年12月31日12时35分");
    for (const char* total : {"标签_人数", "标签_菜品总数", "标签_总金额"}) {
        EXPECT_EQ(def.control(total).caption, "0") << total;
        EXPECT_EQ(def.control(total).alignment, ui::Alignment::Right) << total;
    }
    EXPECT_EQ(def.control("按钮_开台").caption, "开台");
}

TEST(CheckoutScreenDefinition, ListsAndBoxesStartAsHandlersExpect) {
    const WindowDef def = ui::screens::checkoutScreen();
    const ControlDef& orders = def.control("超级列表框_流水");
    EXPECT_EQ(titles(orders), (std::vector<std::string>{"序号", "系统单号", "开台时间", "台号",
                                                        "人数", "总金额", "结账状态", "操作员"}));
    EXPECT_FALSE(orders.multiSelect);
    const ControlDef& lines = def.control("超级列表框_明细");
    EXPECT_EQ(titles(lines), kLineTitles);
    EXPECT_TRUE(lines.multiSelect);

    EXPECT_EQ(def.control("编辑框_金额").inputMode, ui::InputMode::WholeNumber);
    const ControlDef& remark = def.control("编辑框_备注");
    EXPECT_EQ(remark.inputMode, ui::InputMode::ReadOnly);
    EXPECT_TRUE(remark.multiLine);
    const ControlDef& freeRemark = def.control("编辑框_备注文本");
    EXPECT_EQ(freeRemark.inputMode, ui::InputMode::Normal);
    EXPECT_TRUE(freeRemark.multiLine);
    EXPECT_EQ(def.control("按钮_结账").caption, "结 账");
}

TEST(RecordsScreenDefinition, ListsTotalsAndNumberBoxStartAsHandlersExpect) {
    const WindowDef def = ui::screens::recordsScreen();
    // The export writes these titles as the header of the spreadsheet.
    const ControlDef& orders = def.control("超级列表框_流水");
    EXPECT_EQ(titles(orders),
              (std::vector<std::string>{"序号", "系统单号", "开台时间", "台号", "人数", "总金额",
                                        "结账状态", "操作员", "结账备注"}));
    EXPECT_FALSE(orders.multiSelect);
    const ControlDef& lines = def.control("超级列表框_明细");
    EXPECT_EQ(titles(lines), kLineTitles);
    EXPECT_TRUE(lines.multiSelect);

    EXPECT_EQ(def.control("编辑框_单号").inputMode, ui::InputMode::WholeNumber);
    for (const char* total : {"标签_人数合计", "标签_金额合计", "标签_已结合计", "标签_未结合计"})
        EXPECT_EQ(def.control(total).caption, "0") << total;
    EXPECT_EQ(def.control("按钮_流水导出").caption, "流水导出Excel");
    EXPECT_EQ(def.control("按钮_单台导出").caption, "单台导出Excel");
}

} // namespace
