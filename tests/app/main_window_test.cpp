#include "app/app_fixture.h"
#include "common/other_program.h"
#include "store/schema.h"

namespace {

using testing_support::AppTest;
namespace users = store::schema::users;

constexpr const char* kGatedWorkButtons[] = {"按钮_开台",     "按钮_结账",     "按钮_查询时间",
                                             "按钮_查询全部", "按钮_查询单号", "按钮_删除",
                                             "按钮_流水导出", "按钮_单台导出"};

bool gatedButtonDisabled(app::App& app, const char* name) {
    for (ui::Window* screen : {&app.orderScreen, &app.checkoutScreen, &app.recordsScreen}) {
        for (const auto& control : screen->controls())
            if (control->name() == name && control->kind() == ui::ControlKind::Button &&
                (std::string(name) != "按钮_删除" || screen == &app.recordsScreen))
                return control->disabled();
    }
    ADD_FAILURE() << "no gated button " << name;
    return false;
}

TEST_F(AppTest, WorkScreensOpenOverTheMainWindowAndFollowIt) {
    run([&] {
        auto bar = person(app.mainWindow);
        bar.clickToolButton("工具条1", 3);
        bar.clickToolButton("工具条1", 4);
        bar.clickToolButton("工具条1", 2); // a separator does nothing
        for (ui::Window* screen : {&app.orderScreen, &app.checkoutScreen}) {
            ASSERT_TRUE(screen->isOpen());
            EXPECT_EQ(screen->owner(), &app.mainWindow);
            EXPECT_FALSE(screen->isModal());
            EXPECT_EQ(screen->left(), app.mainWindow.left());
            EXPECT_EQ(screen->top(), app.mainWindow.top() + 105);
        }
        EXPECT_FALSE(app.recordsScreen.isOpen());
        app.mainWindow.userMoved(40, 30);
        EXPECT_EQ(app.orderScreen.left(), 40);
        EXPECT_EQ(app.checkoutScreen.top(), 135);
        bar.clickToolButton("工具条1", 3); // already open: only brought forward
        EXPECT_EQ(desktop.activations, 1);
    });
}

TEST_F(AppTest, SwitchingToAUserWithoutPermissionsGreysEveryGate) {
    addUser("服务员", "1234", "0000000000");
    logins.push_back({"服务员", "1234"});
    run([&] {
        auto bar = person(app.mainWindow);
        for (int entry : {3, 4, 6})
            bar.clickToolButton("工具条1", entry);
        for (const char* button : kGatedWorkButtons)
            EXPECT_FALSE(gatedButtonDisabled(app, button)) << button;

        bar.clickToolButton("工具条1", 1);
        EXPECT_EQ(app.mainWindow.label("标签_用户").caption(), "服务员");
        for (const char* button : kGatedWorkButtons)
            EXPECT_TRUE(gatedButtonDisabled(app, button)) << button;
        EXPECT_TRUE(app.mainWindow.menuItemDisabled("用户设置"));
        EXPECT_TRUE(app.mainWindow.menuItemDisabled("公告设置"));
        EXPECT_FALSE(app.mainWindow.menuItemDisabled("餐厅设置"));

        // The restaurant settings apply the same gates when they open.
        desktop.onModal = [&](ui::Window& window) {
            EXPECT_TRUE(window.button("按钮_餐台添加").disabled());
            EXPECT_TRUE(window.button("按钮_菜品删除").disabled());
            window.close();
        };
        desktop.popupAnswers = {"餐厅设置"};
        bar.clickToolButton("工具条1", 7);
        EXPECT_FALSE(app.restaurantSettingsScreen.isOpen());
    });
    EXPECT_EQ(desktop.popups.size(), 1u);
}

TEST_F(AppTest, ACancelledSwitchKeepsTheUserAndLeavesTheDatabaseClosed) {
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 1); // no login queued: cancelled
        EXPECT_FALSE(app.switchingUser);
        EXPECT_FALSE(app.database.IsOpen());
        EXPECT_EQ(app.mainWindow.label("标签_用户").caption(), "管理员");
        EXPECT_TRUE(app.currentUser.granted(app::Permission::SetUsers));

        // The next handler that needs the database opens it again.
        desktop.inputAnswers = {"今日特价：鱼香肉丝"};
        person(app.mainWindow).chooseMenuItem("公告设置");
        EXPECT_EQ(announcementInDatabase(), "今日特价：鱼香肉丝");
    });
}

TEST_F(AppTest, TheClockShowsTheTimeCutAfterItsLastNonZeroPart) {
    run([&] {
        EXPECT_EQ(app.mainWindow.label("标签_时间").caption(), "");
        const std::pair<support::CalendarTime, const char*> cases[] = {
            {{2023, 3, 7, 8, 0, 0}, "2023年3月7日8时"},
            {{2023, 3, 7, 8, 5, 0}, "2023年3月7日8时5分"},
            {{2023, 3, 7, 8, 5, 1}, "2023年3月7日8时5分1秒"},
        };
        for (const auto& [moment, text] : cases) {
            desktop.fakeClock.set(moment);
            desktop.tickTimers();
            EXPECT_EQ(app.mainWindow.label("标签_时间").caption(), text);
        }
    });
}

TEST_F(AppTest, SkinsAreAppliedAndStoredPerUser) {
    addUser("收银", "1", "0000000000", 7);
    addUser("学徒", "2", "0000000000", -5);
    logins.push_back({"收银", "1"});
    logins.push_back({"学徒", "2"});
    run([&] {
        person(app.mainWindow).pick("组合框_皮肤", 3);
        EXPECT_EQ(userField("管理员", users::kSkin), 3);
        person(app.mainWindow).pick("组合框_皮肤", 3); // the same again: applied and written again
        EXPECT_EQ(desktop.appliedSkins, (std::vector<int>{0, 3, 3}));

        person(app.mainWindow).clickToolButton("工具条1", 1);
        EXPECT_EQ(app.mainWindow.comboBox("组合框_皮肤").selection(), 4);
        EXPECT_EQ(desktop.appliedSkins.back(), 4);
        EXPECT_EQ(userField("收银", users::kSkin), 4);

        const std::size_t applied = desktop.appliedSkins.size();
        person(app.mainWindow).clickToolButton("工具条1", 1);
        EXPECT_EQ(app.mainWindow.comboBox("组合框_皮肤").selection(), -1);
        EXPECT_EQ(desktop.appliedSkins.size(), applied); // no look for no choice
        EXPECT_EQ(userField("学徒", users::kSkin), -1);
        EXPECT_EQ(userField("管理员", users::kSkin), 3);
    });
}

TEST_F(AppTest, TheAnnouncementIsReportedOnlyOnceStored) {
    run([&] {
        const std::string before = announcementInDatabase();
        desktop.inputAnswers = {std::nullopt, "", "周一店休"};
        auto main = person(app.mainWindow);
        main.chooseMenuItem("公告设置"); // cancelled
        EXPECT_TRUE(desktop.messages.empty());
        ASSERT_EQ(desktop.inputBoxes.size(), 1u);
        EXPECT_EQ(desktop.inputBoxes[0].prompt, "公告信息显示在程序底部，修改后全员生效！");
        EXPECT_EQ(desktop.inputBoxes[0].title, "公告设置：");
        EXPECT_EQ(desktop.inputBoxes[0].initialText, before);

        main.chooseMenuItem("公告设置"); // an empty text cannot be stored
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, "公告设置失败，请检查！");
        EXPECT_EQ(desktop.messages[0].flags, 0x30);
        EXPECT_EQ(app.mainWindow.statusBar("状态条_公告").partText(1), before);
        EXPECT_EQ(app.announcementText, before);
        EXPECT_EQ(announcementInDatabase(), before);

        main.chooseMenuItem("公告设置");
        ASSERT_EQ(desktop.messages.size(), 2u);
        EXPECT_EQ(desktop.messages[1].text, "公告设置成功！");
        EXPECT_EQ(desktop.messages[1].flags, 0x40);
        EXPECT_EQ(app.mainWindow.statusBar("状态条_公告").partText(1), "周一店休");
        EXPECT_EQ(app.announcementText, "周一店休");
        EXPECT_EQ(announcementInDatabase(), "周一店休");
        EXPECT_FALSE(app.users.IsOpen());
    });
}

TEST_F(AppTest, SettingsScreensOpenModallyAndCloseReturnsToTheMainWindow) {
    run([&] {
        std::vector<std::string> opened;
        desktop.onModal = [&](ui::Window& window) {
            opened.push_back(window.name());
            EXPECT_TRUE(window.isModal());
            EXPECT_FALSE(app.mainWindow.acceptsInput());
            window.close();
        };
        person(app.mainWindow).chooseMenuItem("用户设置");
        desktop.popupAnswers = {"餐厅设置"};
        person(app.mainWindow).clickToolButton("工具条1", 7);
        EXPECT_EQ(opened,
                  (std::vector<std::string>{"UserSettingsScreen", "RestaurantSettingsScreen"}));
        person(app.mainWindow).click("按钮2");
        EXPECT_TRUE(desktop.isMinimised(app.mainWindow));
    });
}

TEST_F(AppTest, TheCloseButtonClosesTheDatabaseAndEndsTheRun) {
    bool closedByButton = false;
    EXPECT_EQ(run([&] {
                  person(app.mainWindow).clickToolButton("工具条1", 3);
                  person(app.mainWindow).click("按钮1");
                  closedByButton = !app.mainWindow.isOpen();
                  EXPECT_FALSE(app.orderScreen.isOpen());
                  EXPECT_FALSE(app.database.IsOpen());
              }),
              0);
    EXPECT_TRUE(closedByButton);
}

// A character the file cannot hold would leave every user an empty announcement.
TEST_F(AppTest, AnAnnouncementTheFileCannotHoldIsRefusedBeforeAnythingIsWritten) {
    run([&] {
        const std::string before = announcementInDatabase();
        desktop.inputAnswers = {"今日特价\U0001F37A啤酒"};
        person(app.mainWindow).chooseMenuItem("公告设置");
        EXPECT_EQ(desktop.messageTexts(),
                  std::vector<std::string>{"公告中有无法保存的字符，请修改！"});
        EXPECT_EQ(desktop.messages[0].flags, 0x30);
        EXPECT_EQ(announcementInDatabase(), before);
        EXPECT_EQ(app.announcementText, before);
        EXPECT_EQ(app.mainWindow.statusBar("状态条_公告").partText(1), before);
    });
}

// A skin that could not be kept is told; the same skin chosen again is not written at all.
TEST_F(AppTest, ASkinThatCannotBeStoredIsTold) {
    app.database.SetBusyTimeout(20);
    run([&] {
        ui::ComboBox& skins = app.mainWindow.comboBox("组合框_皮肤");
        {
            testing_support::OtherProgram writer(directory.file("cysj.db"),
                                                 testing_support::OtherProgram::Hold::Writes);
            person(app.mainWindow).pick("组合框_皮肤", skins.selection()); // unchanged
            EXPECT_TRUE(desktop.messages.empty());
            person(app.mainWindow).pick("组合框_皮肤", 3);
        }
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"皮肤保存失败，请检查！"});
        EXPECT_EQ(userField("管理员", users::kSkin), 0);
        person(app.mainWindow).pick("组合框_皮肤", 3);
        EXPECT_EQ(userField("管理员", users::kSkin), 3);
        EXPECT_EQ(desktop.messages.size(), 1u);
    });
}

} // namespace
