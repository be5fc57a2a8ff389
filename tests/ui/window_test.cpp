#include "common/fake_desktop.h"
#include "common/screen_driver.h"
#include "ui/window.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using testing_support::FakeDesktop;
using testing_support::ScreenDriver;
using ui::ControlKind;

ui::WindowDef windowDef(std::string name, int width, int height) {
    ui::WindowDef def;
    def.name = std::move(name);
    def.rect = {10, 20, width, height};
    def.add(ControlKind::Button, "按钮_关闭", "", {0, 0, 60, 24}).withCaption("关闭");
    def.add(ControlKind::ListBox, "列表框", "", {0, 30, 100, 100}).withItems({"设计时"});
    def.add(ControlKind::Timer, "时钟", "", {0, 0, 0, 0}).withInterval(1000);
    return def;
}

class WindowTest : public ::testing::Test {
protected:
    FakeDesktop desktop;
    ui::Window main{windowDef("MainWindow", 1024, 768)};
    ui::Window settings{windowDef("Settings", 650, 400)};
    ui::Window work{windowDef("Work", 1024, 630)};
    std::vector<std::string> log;
};

TEST_F(WindowTest, OpensCentredWithItsControlsBeforeCreatedAndShowsAfterIt) {
    main.definition().on.created = [&] {
        log.push_back("created with " + main.listBox("列表框").itemText(0));
        log.push_back("shown before created: " + std::to_string(desktop.shownWindows.size()));
    };
    desktop.screen = {1365, 767};
    main.open(desktop);
    EXPECT_TRUE(main.isOpen());
    EXPECT_EQ(main.left(), 170); // (1365 - 1024) / 2
    EXPECT_EQ(main.top(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"created with 设计时", "shown before created: 0"}));
    EXPECT_EQ(desktop.shownWindows, std::vector<std::string>{"MainWindow"});
    EXPECT_TRUE(desktop.timerRunning(main.timer("时钟")));
}

TEST_F(WindowTest, OpeningAnOpenWindowOnlyBringsItForward) {
    int created = 0;
    work.definition().on.created = [&] { ++created; };
    work.open(desktop, &main);
    work.listBox("列表框").addItem("加的");
    work.open(desktop, &main);
    EXPECT_EQ(desktop.activations, 1);
    desktop.minimise(work);
    work.open(desktop, &main);
    EXPECT_EQ(desktop.restorations, 1);
    EXPECT_FALSE(desktop.isMinimised(work));
    EXPECT_EQ(created, 1);
    EXPECT_EQ(work.listBox("列表框").itemCount(), 2);
}

TEST_F(WindowTest, ReopeningStartsFromTheDefinitionAgain) {
    work.open(desktop);
    work.listBox("列表框").addItem("加的");
    work.listBox("列表框").setSelection(1);
    work.button("按钮_关闭").setDisabled(true);
    work.close();
    EXPECT_FALSE(work.isOpen());
    work.open(desktop);
    EXPECT_EQ(work.listBox("列表框").itemCount(), 1);
    EXPECT_EQ(work.listBox("列表框").selection(), -1);
    EXPECT_FALSE(work.button("按钮_关闭").disabled());
}

TEST_F(WindowTest, ModalOpenReturnsAfterCloseAndBlocksTheOwnerMeanwhile) {
    int ownerClicks = 0;
    main.definition().control("按钮_关闭").on.clicked = [&] { ++ownerClicks; };
    settings.definition().control("按钮_关闭").on.clicked = [&] { settings.close(); };
    main.open(desktop);
    desktop.onModal = [&](ui::Window& modal) {
        log.push_back("modal " + modal.name());
        EXPECT_FALSE(main.acceptsInput());
        ScreenDriver(main).click("按钮_关闭");
        ScreenDriver(settings).click("按钮_关闭");
    };
    settings.open(desktop, &main, true);
    log.push_back("returned");
    EXPECT_EQ(log, (std::vector<std::string>{"modal Settings", "returned"}));
    EXPECT_EQ(ownerClicks, 0);
    EXPECT_FALSE(settings.isOpen());
    EXPECT_TRUE(main.acceptsInput());
    ScreenDriver(main).click("按钮_关闭");
    EXPECT_EQ(ownerClicks, 1);
}

TEST_F(WindowTest, ACreatedHandlerThatClosesTheWindowSkipsTheModalLoop) {
    settings.definition().on.created = [&] { settings.close(); };
    desktop.onModal = [&](ui::Window&) { log.push_back("modal loop"); };
    settings.open(desktop, &main, true);
    EXPECT_FALSE(settings.isOpen());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(desktop.shownWindows.empty());
}

TEST_F(WindowTest, ClosingTheOwnerClosesWhatItOwnsFirst) {
    main.definition().on.aboutToBeDestroyed = [&] { log.push_back("main"); };
    work.definition().on.aboutToBeDestroyed = [&] { log.push_back("work"); };
    main.open(desktop);
    work.open(desktop, &main);
    const ui::Timer& clock = work.timer("时钟");
    main.close();
    EXPECT_EQ(log, (std::vector<std::string>{"work", "main"}));
    EXPECT_FALSE(work.isOpen());
    EXPECT_FALSE(desktop.timerRunning(clock));
    main.close(); // closing a closed window does nothing
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(WindowTest, AHandlerMayCloseItsOwnWindowAndReadItsControlsAfterwards) {
    work.definition().control("按钮_关闭").on.clicked = [&] {
        work.close();
        log.push_back(work.listBox("列表框").itemText(0));
        work.open(desktop);
    };
    work.open(desktop);
    ScreenDriver(work).click("按钮_关闭");
    EXPECT_EQ(log, std::vector<std::string>{"设计时"});
    EXPECT_TRUE(work.isOpen());
}

TEST_F(WindowTest, WritingThePositionMovesWithoutRaisingMoved) {
    int moved = 0;
    main.definition().on.moved = [&] { ++moved; };
    main.setLeft(5); // not open: the definition takes it
    EXPECT_EQ(main.definition().rect.left, 5);
    main.open(desktop);
    main.setLeft(33);
    main.setTop(44);
    EXPECT_EQ(main.left(), 33);
    EXPECT_EQ(main.top(), 44);
    EXPECT_EQ(moved, 0);
    main.userMoved(100, 200);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(main.top(), 200);
}

TEST_F(WindowTest, TypedAccessorsRefuseUnknownNamesAndOtherKinds) {
    main.open(desktop);
    EXPECT_THROW(main.control("按钮_没有"), std::out_of_range);
    EXPECT_THROW(main.listBox("按钮_关闭"), std::logic_error);
    EXPECT_NO_THROW(main.label("按钮_关闭"));
    EXPECT_NE(main.nativeHandle(), 0);
}

class PopupMenuTest : public WindowTest {
protected:
    void SetUp() override {
        ui::WindowDef& def = main.definition();
        def.addMenuItem("菜单_设置", "设置", 0);
        for (auto* caption : {"用户设置", "-", "餐厅设置"})
            def.addMenuItem(std::string("菜单_") + caption, caption, 1).clicked = [this, caption] {
                log.push_back(caption);
            };
        def.addMenuItem("菜单_其他", "其他", 0);
        def.addMenuItem("菜单_帮助", "帮助", 1);
        main.open(desktop);
    }
};

TEST_F(PopupMenuTest, ShowsTheSubItemsAndRaisesTheChosenOne) {
    EXPECT_TRUE(main.definition().menuItem("菜单_设置").hidden);
    desktop.popupAnswers = {"餐厅设置", "-", std::nullopt};
    for (int i = 0; i < 3; ++i)
        main.popupMenu("菜单_设置");
    ASSERT_EQ(desktop.popups.size(), 3u);
    EXPECT_EQ(desktop.popups[0], (std::vector<std::string>{"用户设置", "-", "餐厅设置"}));
    EXPECT_EQ(log, std::vector<std::string>{"餐厅设置"});
}

TEST_F(PopupMenuTest, ADisabledItemDoesNothingAndReopeningEnablesItAgain) {
    main.setMenuItemDisabled("菜单_用户设置", true);
    desktop.popupAnswers = {"用户设置"};
    main.popupMenu("菜单_设置");
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(main.menuItemDisabled("菜单_用户设置"));
    EXPECT_FALSE(main.definition().menuItem("菜单_用户设置").disabled);
    main.close();
    main.open(desktop);
    EXPECT_FALSE(main.menuItemDisabled("菜单_用户设置"));
    ScreenDriver(main).chooseMenuItem("菜单_用户设置");
    EXPECT_EQ(log, std::vector<std::string>{"用户设置"});
}

TEST(DesktopTest, MessageBoxesCarryTheDefaultTitleAndAnswerFromTheQueue) {
    FakeDesktop desktop;
    desktop.messageAnswers = {ui::kCancel};
    EXPECT_EQ(desktop.messageBox("删除吗？", ui::kQuestionOkCancel), ui::kCancel);
    EXPECT_EQ(desktop.messageBox("保存成功！", ui::kInformationBox, "提示"), ui::kOk);
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].title, "信息：");
    EXPECT_EQ(desktop.messages[0].flags, 0x21);
    EXPECT_EQ(desktop.messages[1].title, "提示");

    std::string text = "旧公告";
    desktop.inputAnswers = {std::nullopt, "新公告"};
    EXPECT_FALSE(desktop.inputBox("公告", "公告设置：", text, nullptr));
    EXPECT_EQ(text, "旧公告");
    EXPECT_TRUE(desktop.inputBox("公告", "公告设置：", text, nullptr));
    EXPECT_EQ(text, "新公告");
    EXPECT_EQ(desktop.inputBoxes[1].initialText, "旧公告");
}

} // namespace
