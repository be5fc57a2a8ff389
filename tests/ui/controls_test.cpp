#include "common/fake_desktop.h"
#include "common/screen_driver.h"
#include "ui/window.h"

#include <gtest/gtest.h>

namespace {

using testing_support::FakeDesktop;
using testing_support::ScreenDriver;
using ui::ControlKind;

// One window with a control of every kind that carries behaviour, open on a fake desktop.
class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() : window(definition()) {}

    static ui::WindowDef definition() {
        ui::WindowDef def;
        def.name = "Sample";
        def.rect = {0, 0, 400, 300};
        def.add(ControlKind::Label, "标签", "", {0, 0, 50, 20}).withCaption("0");
        def.add(ControlKind::Button, "按钮", "", {0, 20, 50, 20}).withCaption("确定");
        def.add(ControlKind::EditBox, "编辑框", "", {0, 40, 50, 20});
        def.add(ControlKind::EditBox, "编辑框_数字", "", {0, 60, 50, 20})
            .withInputMode(ui::InputMode::WholeNumber);
        def.add(ControlKind::EditBox, "编辑框_只读", "", {0, 80, 50, 20})
            .withInputMode(ui::InputMode::ReadOnly)
            .withCaption("固定");
        def.add(ControlKind::EditBox, "编辑框_备注", "", {0, 100, 50, 60}).withMultiLine();
        def.add(ControlKind::EditBox, "编辑框_短", "", {0, 160, 50, 20}).withMaxLength(4);
        def.add(ControlKind::ComboBox, "组合框_可编辑", "", {60, 0, 80, 20})
            .withItems({"1", "2", "3"}, 1);
        def.add(ControlKind::ComboBox, "组合框_列表", "", {60, 20, 80, 20})
            .withComboType(ui::ComboType::DropDownList)
            .withItems({"大厅1", "大厅2"});
        def.add(ControlKind::ListBox, "列表框", "", {60, 40, 80, 60}).withItems({"甲", "乙"});
        def.add(ControlKind::ChkListBox, "选择列表框", "", {60, 100, 80, 60})
            .withItems({"开台", "结账"});
        def.add(ControlKind::StatusBar, "状态条", "", {0, 280, 400, 20})
            .withParts({{100, "当前用户："}, {-1, ""}});
        def.add(ControlKind::ToolBar, "工具条", "", {0, 0, 400, 40})
            .withButtons({{"", "", true}, {"开台点菜", "", false}, {"", "", true}});
        def.add(ControlKind::ListView, "列表_单选", "", {150, 0, 200, 100})
            .withColumns({{"台号", 60, ui::Alignment::Left}, {"金额", 60, ui::Alignment::Right}})
            .asReportList();
        def.add(ControlKind::ListView, "列表_多选", "", {150, 100, 200, 100})
            .withColumns({{"菜品", 100, ui::Alignment::Left}})
            .asReportList(true);
        def.add(ControlKind::OutlookBar, "菜单", "", {350, 0, 50, 200})
            .withGroups({{"凉菜", {"拍黄瓜/8元", "皮蛋/10元"}}, {"热菜", {"鱼香肉丝/28元"}}});
        def.add(ControlKind::Timer, "时钟", "", {0, 0, 0, 0}).withInterval(1000);
        def.add(ControlKind::Chart, "图表", "", {0, 200, 150, 80});
        return def;
    }

    // Counts each event of the named control into `count`.
    void countEvents(std::string_view name, int& count) {
        auto& on = window.definition().control(name).on;
        on.clicked = on.contentChanged = on.selectionChanged = on.tick = [&count] { ++count; };
    }

    void open() { window.open(desktop); }

    FakeDesktop desktop;
    ui::Window window;
    ScreenDriver person{window};
};

TEST_F(ControlsTest, WritingEditContentRaisesContentChangedOnceEvenWhenUnchanged) {
    std::vector<std::string> seen;
    window.definition().control("编辑框").on.contentChanged = [&] {
        seen.push_back(window.editBox("编辑框").content());
    };
    open();
    window.editBox("编辑框").setContent("12");
    window.editBox("编辑框").setContent("12");
    // The handler ran inside the write and already saw the new text.
    EXPECT_EQ(seen, (std::vector<std::string>{"12", "12"}));
}

TEST_F(ControlsTest, WholeNumberBoxRefusesTypedLettersButTakesHandlerWrites) {
    int changes = 0;
    countEvents("编辑框_数字", changes);
    open();
    person.type("编辑框_数字", "-1a2.5元");
    EXPECT_EQ(window.editBox("编辑框_数字").content(), "-125");
    EXPECT_EQ(changes, 4); // one per accepted character
    window.editBox("编辑框_数字").setContent("12.5元");
    EXPECT_EQ(window.editBox("编辑框_数字").content(), "12.5元");
}

TEST_F(ControlsTest, AnEditIsCheckedByWhatItInserts) {
    int changes = 0;
    countEvents("编辑框_数字", changes);
    open();
    ui::EditBox& amount = window.editBox("编辑框_数字");
    amount.setContent("12.5元"); // a handler's write keeps what a person could not type
    changes = 0;
    EXPECT_TRUE(amount.userEdit("12.5"));   // deleting is always allowed
    EXPECT_TRUE(amount.userEdit("1-32.5")); // "-3" typed in the middle
    EXPECT_FALSE(amount.userEdit("1-32.5x"));
    EXPECT_FALSE(amount.userEdit("1a-32.5"));
    EXPECT_EQ(amount.content(), "1-32.5");
    EXPECT_EQ(changes, 2);

    ui::EditBox& shortBox = window.editBox("编辑框_短");
    EXPECT_TRUE(shortBox.userEdit("汤面"));
    EXPECT_FALSE(shortBox.userEdit("汤面a"));
    EXPECT_TRUE(shortBox.userEdit("汤粉")); // a replacement that keeps the length
    EXPECT_FALSE(window.editBox("编辑框").userEdit("饭😀"));
    EXPECT_FALSE(window.editBox("编辑框").userEdit("a\r\nb"));
    EXPECT_TRUE(window.editBox("编辑框_备注").userEdit("a\r\nb"));
    EXPECT_FALSE(window.editBox("编辑框_只读").userEdit(""));
    EXPECT_EQ(window.editBox("编辑框_只读").content(), "固定");
}

TEST_F(ControlsTest, TypingRespectsReadOnlyMaximumLengthAndGbk) {
    open();
    person.type("编辑框_只读", "x");
    EXPECT_EQ(window.editBox("编辑框_只读").content(), "固定");
    window.editBox("编辑框_只读").setContent("由程序写入");
    EXPECT_EQ(window.editBox("编辑框_只读").content(), "由程序写入");

    person.type("编辑框_短", "ab中c"); // "中" takes two of the four bytes
    EXPECT_EQ(window.editBox("编辑框_短").content(), "ab中");
    person.type("编辑框", "汤😀面");
    EXPECT_EQ(window.editBox("编辑框").content(), "汤面");
    person.pressEnter("编辑框");
    EXPECT_EQ(window.editBox("编辑框").content(), "汤面");
}

TEST_F(ControlsTest, KeyDownReachesTheHandlerBeforeTheControl) {
    std::string seenAtEnter = "not called";
    int seenKey = 0;
    int seenModifiers = 0;
    window.definition().control("编辑框_备注").on.keyDown = [&](int key, int modifiers) {
        seenKey = key;
        seenModifiers = modifiers;
        seenAtEnter = window.editBox("编辑框_备注").content();
    };
    open();
    person.type("编辑框_备注", "少辣");
    person.pressKey("编辑框_备注", ui::kKeyEnter, ui::kModifierShift);
    EXPECT_EQ(seenKey, ui::kKeyEnter);
    EXPECT_EQ(seenModifiers, ui::kModifierShift);
    EXPECT_EQ(seenAtEnter, "少辣");
    EXPECT_EQ(window.editBox("编辑框_备注").content(), "少辣\r\n");
}

TEST_F(ControlsTest, WritingASelectionClampsAndRaisesNothing) {
    int picks = 0;
    countEvents("列表框", picks);
    open();
    ui::ListBox& list = window.listBox("列表框");
    list.setSelection(7);
    EXPECT_EQ(list.selection(), 1);
    list.setSelection(-5);
    EXPECT_EQ(list.selection(), -1);
    list.setSelection(0);
    EXPECT_EQ(list.selection(), 0);
    EXPECT_EQ(picks, 0);
    person.pick("列表框", "乙");
    EXPECT_EQ(list.selection(), 1);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(list.itemText(2), "");
    EXPECT_EQ(list.itemText(-1), "");
    list.clearItems();
    list.setSelection(3);
    EXPECT_EQ(list.selection(), -1);
}

TEST_F(ControlsTest, DropDownListShowsOnlyTheChosenItem) {
    open();
    ui::ComboBox& tables = window.comboBox("组合框_列表");
    EXPECT_EQ(tables.content(), "");
    person.type("组合框_列表", "大厅9");
    EXPECT_EQ(tables.content(), "");
    person.pick("组合框_列表", "大厅2");
    EXPECT_EQ(tables.content(), "大厅2");
    tables.setContent("大厅1");
    EXPECT_EQ(tables.selection(), 0);
    tables.setContent("包间");
    EXPECT_EQ(tables.selection(), -1);
    EXPECT_EQ(tables.content(), "");
}

TEST_F(ControlsTest, EditableComboShowsTheChosenItemOrWhatWasTyped) {
    open();
    ui::ComboBox& guests = window.comboBox("组合框_可编辑");
    EXPECT_EQ(guests.content(), "2"); // the initial selection
    guests.setSelection(99);
    EXPECT_EQ(guests.content(), "3");
    person.retype("组合框_可编辑", "12");
    EXPECT_EQ(guests.content(), "12");
    guests.setSelection(-1);
    EXPECT_EQ(guests.content(), "");
    guests.setContent("5人");
    EXPECT_EQ(guests.content(), "5人");
    guests.clearItems();
    EXPECT_EQ(guests.content(), "");
    EXPECT_EQ(guests.addItem("8"), 0);
}

TEST_F(ControlsTest, CheckListAndStatusBarIgnoreIndexesOutOfRange) {
    open();
    ui::ChkListBox& rights = window.chkListBox("选择列表框");
    rights.setItemTicked(1, true);
    rights.setItemTicked(5, true);
    person.toggle("选择列表框", 0);
    EXPECT_TRUE(rights.itemTicked(0));
    EXPECT_TRUE(rights.itemTicked(1));
    EXPECT_FALSE(rights.itemTicked(5));

    ui::StatusBar& bar = window.statusBar("状态条");
    bar.setPartText(1, "公告");
    bar.setPartText(2, "ignored");
    bar.setPartText(-1, "ignored");
    EXPECT_EQ(bar.partText(0), "当前用户：");
    EXPECT_EQ(bar.partText(1), "公告");
    EXPECT_EQ(bar.partCount(), 2);
}

TEST_F(ControlsTest, ToolBarCountsSeparatorsAndASeparatorRaisesNothing) {
    std::vector<int> clicked;
    window.definition().control("工具条").on.buttonClicked = [&](int i) { clicked.push_back(i); };
    open();
    for (int i = -1; i <= 3; ++i)
        person.clickToolButton("工具条", i);
    EXPECT_EQ(clicked, std::vector<int>{1});
}

TEST_F(ControlsTest, ListViewRowsCellsAndSelectionFollowInsertsAndDeletes) {
    int clicks = 0;
    countEvents("列表_单选", clicks);
    open();
    ui::ListView& list = window.listView("列表_单选");
    EXPECT_EQ(list.insertRow("A1"), 0);
    EXPECT_EQ(list.insertRow("A3"), 1);
    EXPECT_EQ(list.insertRow(1, "A2"), 1);
    EXPECT_EQ(list.insertRow(-3, "A4"), 3);
    EXPECT_EQ(list.insertRow(99, "A5"), 4);
    list.setCellText(1, 1, "38");
    list.setCellText(1, 2, "no such column");
    list.setCellText(9, 0, "no such row");
    EXPECT_EQ(list.cellText(1, 0), "A2");
    EXPECT_EQ(list.cellText(1, 1), "38");
    EXPECT_EQ(list.cellText(1, 2), "");
    EXPECT_EQ(list.cellText(0, 1), "");
    EXPECT_EQ(list.columnTitle(1), "金额");
    EXPECT_EQ(list.columnTitle(2), "");

    person.clickRow("列表_单选", 2);
    EXPECT_EQ(list.selectedRow(), 2);
    list.insertRow(0, "A0");
    EXPECT_EQ(list.selectedRow(), 3); // the same order, one row down
    list.deleteRow(0);
    EXPECT_EQ(list.selectedRow(), 2);
    list.deleteRow(2);
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_EQ(list.rowCount(), 4);

    person.clickRow("列表_单选", 1);
    person.clickEmptySpace("列表_单选");
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_EQ(clicks, 3);
    list.deleteAllRows();
    EXPECT_EQ(list.rowCount(), 0);
}

// A list of years of orders is filled a whole row at a time and numbers its rows without
// storing a number in each.
TEST_F(ControlsTest, ListViewTakesWholeRowsAndNumbersThemInAColumn) {
    open();
    ui::ListView& list = window.listView("列表_单选");
    const long long changesBefore = desktop.controlChanges;
    {
        ui::ListView::RowBurst rows(list);
        EXPECT_EQ(rows.add({"大厅1", "38"}), 0);
        EXPECT_EQ(rows.add({"大厅2"}), 1);
        EXPECT_EQ(rows.add({"大厅3", "12", "beyond the columns"}), 2);
        EXPECT_EQ(desktop.controlChanges, changesBefore) << "the view hears at the end";
    }
    EXPECT_EQ(desktop.controlChanges, changesBefore + 1);
    { ui::ListView::RowBurst nothing(list); }
    EXPECT_EQ(desktop.controlChanges, changesBefore + 1) << "no rows, no change";
    EXPECT_EQ(list.cellText(0, 1), "38");
    EXPECT_EQ(list.cellText(1, 1), "");
    EXPECT_EQ(list.cellText(2, 2), "beyond the columns");
    list.setCellText(1, 1, "7");
    EXPECT_EQ(list.cellText(1, 0), "大厅2");
    EXPECT_EQ(list.cellText(1, 1), "7");

    list.numberRowsIn(0);
    EXPECT_EQ(list.cellText(2, 0), "3");
    list.setCellText(2, 0, "written");
    EXPECT_EQ(list.cellText(2, 0), "3");
    person.clickRow("列表_单选", 2);
    list.deleteRow(0);
    EXPECT_EQ(list.cellText(0, 0), "1");
    EXPECT_EQ(list.cellText(1, 0), "2");
    EXPECT_EQ(list.cellText(1, 1), "12");
    EXPECT_EQ(list.selectedRow(), 1);
    list.clearSelection();
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_EQ(list.insertRow(0, "ignored"), 0);
    EXPECT_EQ(list.cellText(0, 0), "1");
    EXPECT_EQ(list.cellText(2, 0), "3");
    EXPECT_EQ(list.cellText(3, 0), "");
}

// A closed screen does not hold its lists' rows until it opens again.
TEST_F(ControlsTest, ClosingTheWindowLetsItsListRowsGo) {
    open();
    {
        ui::ListView::RowBurst rows(window.listView("列表_单选"));
        for (int row = 0; row < 1000; ++row)
            rows.add({"大厅", std::to_string(row)});
    }
    person.clickRow("列表_单选", 5);
    window.close();
    EXPECT_EQ(window.listView("列表_单选").rowCount(), 0);
    EXPECT_EQ(window.listView("列表_单选").selectedRow(), -1);
    EXPECT_EQ(window.listBox("列表框").itemText(0), "甲") << "small contents stay readable";
}

TEST_F(ControlsTest, CtrlClickBuildsAMultipleSelectionOnlyWhereAllowed) {
    open();
    for (auto* name : {"列表_单选", "列表_多选"}) {
        for (auto* text : {"a", "b", "c"})
            window.listView(name).insertRow(text);
        person.clickRow(name, 2);
        person.clickRow(name, 0, ui::kModifierCtrl);
    }
    EXPECT_EQ(window.listView("列表_单选").selectedRows(), (std::set<int>{0}));
    EXPECT_EQ(window.listView("列表_多选").selectedRows(), (std::set<int>{0, 2}));
    EXPECT_EQ(window.listView("列表_多选").selectedRow(), 0);
    person.clickRow("列表_多选", 0, ui::kModifierCtrl);
    EXPECT_EQ(window.listView("列表_多选").selectedRows(), (std::set<int>{2}));
}

TEST_F(ControlsTest, OutlookBarStartsClosedAndTracksTheCurrentGroupAndItem) {
    std::vector<std::pair<int, int>> items;
    std::vector<int> groups;
    auto& on = window.definition().control("菜单").on;
    on.itemClicked = [&](int g, int i) { items.emplace_back(g, i); };
    on.groupClicked = [&](int g) { groups.push_back(g); };
    open();
    ui::OutlookBar& bar = window.outlookBar("菜单");
    EXPECT_EQ(bar.currentGroup(), -1);
    EXPECT_EQ(bar.currentItem(), -1);
    EXPECT_EQ(bar.itemCount(), 0);
    EXPECT_EQ(bar.addItem("nowhere"), -1);

    person.chooseGroup("菜单", "凉菜");
    person.chooseItem("菜单", "皮蛋/10元");
    EXPECT_EQ(bar.currentItem(), 1);
    bar.deleteItems(0);
    EXPECT_EQ(bar.currentItem(), 0); // still 皮蛋
    EXPECT_EQ(bar.itemText(0), "皮蛋/10元");
    EXPECT_EQ(bar.addItem("凉拌木耳/12元", 1), 1);
    EXPECT_EQ(bar.itemText(1, 1), "凉拌木耳/12元");
    bar.deleteItems(-1);
    EXPECT_EQ(bar.itemCount(), 0);
    EXPECT_EQ(bar.currentItem(), -1);

    bar.setCurrentGroup(1);
    EXPECT_EQ(bar.currentGroup(), 1);
    bar.setCurrentGroup(5);
    EXPECT_EQ(bar.currentGroup(), -1);
    EXPECT_EQ(groups, std::vector<int>{0}); // writing the group raises nothing
    EXPECT_EQ(items, (std::vector<std::pair<int, int>>{{0, 1}}));

    EXPECT_EQ(bar.addGroup("主食"), 2);
    EXPECT_EQ(bar.groupText(2), "主食");
    bar.removeAll();
    EXPECT_EQ(bar.groupCount(), 0);
    EXPECT_EQ(bar.groupText(0), "");
}

TEST_F(ControlsTest, AChartShowsWhatItWasLastGivenAndTellsTheViewOfEveryChange) {
    open();
    ui::Chart& chart = window.chart("图表");
    EXPECT_EQ(window.control("图表").kind(), ControlKind::Chart);
    EXPECT_TRUE(chart.points().empty());
    const long long changesBefore = desktop.controlChanges;

    chart.show(ui::ChartKind::Pie, "今日销售", {{"凉菜", 12.5}, {"热菜", 40}});
    EXPECT_EQ(chart.chartKind(), ui::ChartKind::Pie);
    EXPECT_EQ(chart.title(), "今日销售");
    EXPECT_EQ(chart.points(), (std::vector<ui::ChartPoint>{{"凉菜", 12.5}, {"热菜", 40}}));
    EXPECT_EQ(desktop.controlChanges, changesBefore + 1);

    chart.show(ui::ChartKind::Line, "本周", {{"周一", -3}});
    EXPECT_EQ(chart.chartKind(), ui::ChartKind::Line);
    EXPECT_EQ(chart.title(), "本周");
    EXPECT_EQ(chart.points(), (std::vector<ui::ChartPoint>{{"周一", -3}}));
    EXPECT_EQ(desktop.controlChanges, changesBefore + 2);

    chart.clear();
    EXPECT_EQ(chart.title(), "");
    EXPECT_TRUE(chart.points().empty());
    EXPECT_EQ(desktop.controlChanges, changesBefore + 3);
}

TEST_F(ControlsTest, DisabledControlsIgnoreAPerson) {
    int events = 0;
    countEvents("按钮", events);
    countEvents("列表框", events);
    countEvents("编辑框", events);
    countEvents("时钟", events);
    open();
    for (auto* name : {"按钮", "列表框", "编辑框", "时钟"})
        window.control(name).setDisabled(true);
    person.click("按钮");
    person.pick("列表框", 0);
    person.type("编辑框", "1");
    desktop.tickTimers();
    EXPECT_EQ(events, 0);
    EXPECT_EQ(window.listBox("列表框").selection(), -1);
    window.control("按钮").setDisabled(false);
    person.click("按钮");
    window.control("时钟").setDisabled(false);
    desktop.tickTimers();
    EXPECT_EQ(events, 2);
}

} // namespace
