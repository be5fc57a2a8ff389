#include "app/app_fixture.h"
#include "app/shell.h"

namespace {

using testing_support::AppTest;

TEST_F(AppTest, TheAdministratorLogsInAndSeesTheMainWindow) {
    EXPECT_EQ(run([&] {
                  ui::Window& main = app.mainWindow;
                  EXPECT_EQ(main.label("标签_用户").caption(), "管理员");
                  EXPECT_EQ(main.statusBar("状态条_公告").partText(1), announcementInDatabase());
                  EXPECT_FALSE(announcementInDatabase().empty());
                  EXPECT_FALSE(main.menuItemDisabled("用户设置"));
                  EXPECT_FALSE(main.menuItemDisabled("公告设置"));
                  EXPECT_EQ(desktop.appliedSkins, std::vector<int>{0});
                  EXPECT_TRUE(app.database.IsOpen());
                  EXPECT_FALSE(app.users.IsOpen());
              }),
              0);
    EXPECT_TRUE(wasShown("MainWindow"));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(app.database.IsOpen()); // closing the main window closed it
}

TEST_F(AppTest, AnEmptyPasswordIsRefusedByTheButtonAndByEnter) {
    desktop.onModal = [&](ui::Window& window) {
        if (&window != &app.loginScreen) return window.close();
        person(window).click("按钮_登录");
        person(window).pressEnter("编辑框_密码");
        person(window).type("编辑框_密码", " ");
        person(window).pressEnter("编辑框_密码"); // a space is a password, and a wrong one
        person(window).click("按钮_取消");
    };
    EXPECT_EQ(app.run(), 0);
    ASSERT_EQ(desktop.messages.size(), 3u);
    EXPECT_EQ(desktop.messages[0].text, "密码不能为空！");
    EXPECT_EQ(desktop.messages[0].flags, 0x30);
    EXPECT_EQ(desktop.messages[1].text, "密码不能为空！");
    EXPECT_EQ(desktop.messages[2].text, "密码错误，请重新输入！");
    EXPECT_EQ(desktop.messages[2].flags, 0x30);
}

TEST_F(AppTest, CancellingTheFirstLoginEndsWithZeroBeforeTheMainWindowShows) {
    logins.clear();
    EXPECT_EQ(run([] { ADD_FAILURE() << "the main window must not run"; }), 0);
    EXPECT_FALSE(wasShown("MainWindow"));
    EXPECT_FALSE(app.database.IsOpen());
    EXPECT_FALSE(app.users.IsOpen());
}

TEST_F(AppTest, AWrongPasswordStillRefreshesTheAnnouncement) {
    app.announcementText = "stale";
    int attempts = 0;
    desktop.onModal = [&](ui::Window& window) {
        if (&window != &app.loginScreen) return window.close();
        for (const char* password : {"Admin", "admin "}) {
            person(window).retype("编辑框_密码", password);
            person(window).click("按钮_登录");
            ++attempts;
            EXPECT_TRUE(window.isOpen());
        }
        EXPECT_EQ(app.announcementText, announcementInDatabase());
        EXPECT_TRUE(app.currentUser.name.empty());
        person(window).retype("编辑框_密码", "admin");
        person(window).click("按钮_登录");
    };
    app.run();
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(desktop.messageTexts(),
              (std::vector<std::string>{"密码错误，请重新输入！", "密码错误，请重新输入！"}));
    EXPECT_EQ(app.currentUser.name, "管理员");
}

TEST_F(AppTest, TwoUsersOfOneNameLogInAsTheRecordHoldingThePassword) {
    addUser("管理员", "second", "0000000000");
    logins = {{"管理员", "second"}};
    run([&] {
        EXPECT_TRUE(app.mainWindow.menuItemDisabled("用户设置"));
        EXPECT_TRUE(app.mainWindow.menuItemDisabled("公告设置"));
    });
    EXPECT_EQ(app.currentUser.name, "管理员");
    EXPECT_FALSE(app.currentUser.granted(app::Permission::OpenTable));
}

TEST_F(AppTest, TheNameComparedIsTheChosenItemNotTypedText) {
    addUser("服务员", "1234");
    desktop.onModal = [&](ui::Window& window) {
        if (&window != &app.loginScreen) return window.close();
        ui::ComboBox& names = window.comboBox("组合框_用户");
        EXPECT_EQ(names.content(), "管理员"); // the first user is chosen when the screen opens
        person(window).pick("组合框_用户", "服务员");
        person(window).retype("组合框_用户", "管理员");
        person(window).type("编辑框_密码", "admin");
        person(window).click("按钮_登录");
        EXPECT_TRUE(window.isOpen());
        names.setSelection(-1);
        person(window).click("按钮_登录");
        EXPECT_TRUE(window.isOpen());
        person(window).click("按钮_取消");
    };
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(desktop.messageTexts(),
              (std::vector<std::string>{"密码错误，请重新输入！", "密码错误，请重新输入！"}));
}

TEST(LoginWithoutDatabase, AMissingFileIsReportedAndNothingCanLogIn) {
    testing_support::TestDirectory empty;
    testing_support::FakeDesktop desktop(empty.path());
    app::App program(desktop);
    app::bindShell(program);
    desktop.onModal = [&](ui::Window& window) {
        EXPECT_EQ(window.comboBox("组合框_用户").itemCount(), 0);
        testing_support::ScreenDriver person(window);
        person.type("编辑框_密码", "admin");
        person.click("按钮_登录");
        person.click("按钮_取消");
    };
    EXPECT_EQ(program.run(), 0);
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, "没有找到数据库文件，请检查！");
    EXPECT_EQ(desktop.messages[0].flags, 0x10);
    EXPECT_EQ(desktop.messages[0].title, "信息：");
    // A file that is not there is not a wrong password.
    EXPECT_EQ(desktop.messages[1].text, "没有找到数据库文件，请检查！");
    EXPECT_EQ(desktop.messages[1].flags, 0x10);
    EXPECT_FALSE(std::filesystem::exists(empty.file("cysj.db")));
}

TEST_F(AppTest, ASecondCopyShowsTheWarningActivatesTheFirstAndEnds) {
    desktop.anotherCopyRunning = true;
    EXPECT_EQ(run([] { ADD_FAILURE() << "the main window must not run"; }), 0);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "检测到已有同样的程序在运行，请无重复运行！");
    EXPECT_EQ(desktop.messages[0].title, "友情提醒:");
    EXPECT_EQ(desktop.messages[0].flags, 0x40);
    EXPECT_EQ(desktop.runningInstanceActivations, 1);
    EXPECT_EQ(logins.size(), 1u); // the login screen never opened
    EXPECT_FALSE(app.database.IsOpen());
}

} // namespace
