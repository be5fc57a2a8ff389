#include "app/app_fixture.h"
#include "store/schema.h"

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::AppTest;
using Shown = std::vector<std::pair<std::string, int>>;

constexpr int kWarning = 0x30;
constexpr int kInformation = 0x40;
const char* const kTenFields = "开台||结账||查询||删除||流水导出||单台导出||设置用户||设置餐台||"
                               "设置菜品||设置公告";

class UserSettingsTest : public AppTest {
protected:
    // Logs in as the administrator, opens the user settings from the menu and runs `act` there.
    void atUserSettings(const std::function<void()>& act) {
        run([&] {
            desktop.onModal = [&](ui::Window& window) {
                act();
                window.close();
            };
            person(app.mainWindow).chooseMenuItem("用户设置");
        });
    }

    ui::Window& screen() { return app.userSettingsScreen; }
    testing_support::ScreenDriver clerk() { return person(app.userSettingsScreen); }

    void fill(const std::string& name, const std::string& password) {
        clerk().retype("编辑框_用户", name);
        clerk().retype("编辑框_密码", password);
    }
    void addThroughScreen(const std::string& name, const std::string& password) {
        fill(name, password);
        clerk().click("按钮_添加");
    }

    Shown shown() const {
        Shown texts;
        for (const auto& message : desktop.messages)
            texts.emplace_back(message.text, message.flags);
        return texts;
    }
    // Both lists, which always hold the same names; a test fails when they differ.
    std::vector<std::string> listed() {
        const auto& items = screen().listBox("列表框_用户").items();
        EXPECT_EQ(screen().comboBox("组合框_用户").items(), items);
        return items;
    }
    std::string namesInTable() {
        return querySql(
            "SELECT group_concat(用户, '|') FROM (SELECT 用户 FROM 用户 ORDER BY rowid)");
    }
    std::string column(const std::string& expression, int record) {
        return querySql("SELECT " + expression + " FROM 用户 ORDER BY rowid LIMIT 1 " + "OFFSET " +
                        std::to_string(record - 1));
    }
    std::string marks() {
        std::string ticks;
        const ui::ChkListBox& list = screen().chkListBox("选择列表框_权限");
        for (int item = 0; item < list.itemCount(); ++item)
            ticks += list.itemTicked(item) ? '1' : '0';
        return ticks;
    }
    bool disabled(const char* control) { return screen().control(control).disabled(); }
    std::string content(const char* box) { return screen().editBox(box).content(); }
};

TEST_F(UserSettingsTest, AddRefusesAListedNameBeforeTestingForBlanksAndKeepsSpacesAsTyped) {
    addUser("Alice", "pw");
    atUserSettings([&] {
        EXPECT_EQ(listed(), (std::vector<std::string>{"管理员", "Alice"}));
        EXPECT_EQ(screen().listBox("列表框_用户").selection(), -1);
        addThroughScreen("Alice", "");
        addThroughScreen("alice", "1");
        addThroughScreen("Alice ", "2");
        EXPECT_EQ(shown(), (Shown{{"要添加的用户已存在。请修改！", kWarning},
                                  {"用户添加成功！", kInformation},
                                  {"用户添加成功！", kInformation}}));
        EXPECT_EQ(listed(), (std::vector<std::string>{"管理员", "Alice", "alice", "Alice "}));
        EXPECT_EQ(content("编辑框_用户"), "");
        EXPECT_EQ(content("编辑框_密码"), "");
    });
    EXPECT_EQ(namesInTable(), "管理员|Alice|alice|Alice ");
}

TEST_F(UserSettingsTest, ANewUserHasSkinZeroNoPermissionAndCanLogIn) {
    atUserSettings([&] { addThroughScreen("小王", " 12 "); });
    EXPECT_EQ(column("用户 || '/' || 密码 || '/' || 皮肤", 2), "小王/ 12 /0");
    EXPECT_EQ(column(kTenFields, 2), "0000000000");
    EXPECT_EQ(column("公告内容 IS NULL", 2), "1");

    logins = {{"小王", " 12 "}};
    run([&] {
        EXPECT_EQ(app.currentUser.name, "小王");
        EXPECT_TRUE(app.mainWindow.menuItemDisabled("用户设置"));
    });
}

TEST_F(UserSettingsTest, ANameOrPasswordOfSpacesAloneIsRefusedByAddAndModify) {
    addUser("小李", "1");
    const std::vector<std::pair<std::string, std::string>> blanks{
        {"   ", "1"}, {"小赵", "  "}, {"\u3000", "1"}, {"小赵", "\u3000 \u3000"}, {"", "1"}};
    atUserSettings([&] {
        for (const auto& [name, password] : blanks) {
            addThroughScreen(name, password);
            clerk().pick("列表框_用户", 1);
            fill(name, password);
            clerk().click("按钮_修改");
        }
        EXPECT_EQ(shown(), Shown(2 * blanks.size(), {"用户或密码不能为空，请检查！", kWarning}));
    });
    EXPECT_EQ(namesInTable(), "管理员|小李");
    EXPECT_EQ(column("密码", 2), "1");
}

TEST_F(UserSettingsTest, AddWhileTheAdministratorIsShownOnlyClearsTheForm) {
    atUserSettings([&] {
        clerk().pick("列表框_用户", 0);
        EXPECT_EQ(content("编辑框_用户"), "管理员");
        EXPECT_EQ(content("编辑框_密码"), "admin");
        EXPECT_TRUE(disabled("编辑框_用户"));
        EXPECT_TRUE(disabled("按钮_删除"));

        clerk().click("按钮_添加");
        EXPECT_TRUE(shown().empty());
        EXPECT_EQ(screen().listBox("列表框_用户").selection(), -1);
        EXPECT_EQ(content("编辑框_用户"), "");
        EXPECT_EQ(content("编辑框_密码"), "");
        EXPECT_FALSE(disabled("编辑框_用户"));
        EXPECT_FALSE(disabled("按钮_删除"));
        EXPECT_EQ(namesInTable(), "管理员");

        addThroughScreen("小王", "1");
        EXPECT_EQ(shown(), (Shown{{"用户添加成功！", kInformation}}));
    });
    EXPECT_EQ(namesInTable(), "管理员|小王");
}

TEST_F(UserSettingsTest, ModifyRewritesTheSelectedUserAndRefills) {
    addUser("小李", "1");
    atUserSettings([&] {
        clerk().click("按钮_修改");
        clerk().pick("列表框_用户", 1);
        EXPECT_FALSE(disabled("编辑框_用户"));
        fill("小张 ", "2");
        clerk().click("按钮_修改");
        EXPECT_EQ(shown(),
                  (Shown{{"请先选择要修改的用户！", kWarning}, {"修改成功！", kInformation}}));
        EXPECT_EQ(listed(), (std::vector<std::string>{"管理员", "小张 "}));
        EXPECT_EQ(screen().listBox("列表框_用户").selection(), -1);
        EXPECT_EQ(content("编辑框_用户"), "");
    });
    EXPECT_EQ(column("用户 || '/' || 密码", 2), "小张 /2");
}

TEST_F(UserSettingsTest, DeleteRemovesTheRecordAtTheSelectedPositionNotTheFirstWithItsName) {
    addUser("小李", "1");
    addUser("小李", "2");
    addUser("小王", "3");
    atUserSettings([&] {
        clerk().click("按钮_删除");
        clerk().pick("列表框_用户", 2);
        EXPECT_EQ(content("编辑框_密码"), "1"); // shown by name: the first 小李
        clerk().click("按钮_删除");
        EXPECT_EQ(shown(),
                  (Shown{{"请先选择要删除的用户！", kWarning}, {"删除成功！", kInformation}}));
        EXPECT_EQ(listed(), (std::vector<std::string>{"管理员", "小李", "小王"}));
        EXPECT_EQ(content("编辑框_密码"), "");
    });
    EXPECT_EQ(
        querySql("SELECT group_concat(密码, '|') FROM (SELECT 密码 FROM 用户 ORDER BY rowid)"),
        "admin|1|3");
}

TEST_F(UserSettingsTest, AUserRenamedToAnotherUsersNameLeadsToTheFirstOfThem) {
    addUser("小李", "1", "1100000000");
    addUser("小张", "2", "0000000001");
    atUserSettings([&] {
        clerk().pick("列表框_用户", 2);
        fill("小李", "2");
        clerk().click("按钮_修改");
        EXPECT_EQ(listed(), (std::vector<std::string>{"管理员", "小李", "小李"}));

        clerk().pick("列表框_用户", 2);
        EXPECT_EQ(content("编辑框_密码"), "1");
        fill("小李", "9");
        clerk().click("按钮_修改");

        clerk().pick("组合框_用户", 2);
        EXPECT_EQ(marks(), "1100000000");
        clerk().toggle("选择列表框_权限", 9);
        clerk().click("按钮_确定");
        EXPECT_EQ(shown(), (Shown{{"修改成功！", kInformation},
                                  {"修改成功！", kInformation},
                                  {"权限设置成功！", kInformation}}));
    });
    EXPECT_EQ(column("密码 || '/' || " + std::string(kTenFields), 2), "9/1100000001");
    EXPECT_EQ(column("密码 || '/' || " + std::string(kTenFields), 3), "2/0000000001");
}

TEST_F(UserSettingsTest, PermissionsShowOnlyOneAsGrantedAndSaveAllTenInOneGo) {
    addUser("小李", "1", "1010000000");
    executeSql("UPDATE 用户 SET 结账 = 2, 设置公告 = -1 WHERE 用户 = '小李'");
    atUserSettings([&] {
        clerk().click("按钮_全选");
        clerk().click("按钮_反选");
        clerk().click("按钮_确定");
        clerk().pick("组合框_用户", "小李");
        EXPECT_EQ(marks(), "1010000000");
        clerk().click("按钮_全选");
        EXPECT_EQ(marks(), "1111111111");
        clerk().click("按钮_反选");
        EXPECT_EQ(marks(), "0000000000");
        clerk().click("按钮_反选"); // clears again rather than inverting
        EXPECT_EQ(marks(), "0000000000");
        for (const int item : {1, 4, 8})
            clerk().toggle("选择列表框_权限", item);
        clerk().click("按钮_确定");

        const Shown refused(3, {"请选择要设置权限的用户！", kWarning});
        Shown expected = refused;
        expected.emplace_back("权限设置成功！", kInformation);
        EXPECT_EQ(shown(), expected);
        EXPECT_EQ(screen().comboBox("组合框_用户").selection(), -1);
        EXPECT_EQ(screen().comboBox("组合框_用户").content(), "");
        EXPECT_EQ(marks(), "0000000000");
    });
    EXPECT_EQ(column(kTenFields, 2), "0100100010");
    EXPECT_EQ(column("皮肤", 2), "0");
}

TEST_F(UserSettingsTest, TheAdministratorKeepsItsNameRecordAndPermissions) {
    addUser("小李", "1", "1000000000");
    atUserSettings([&] {
        auto clerkAtScreen = clerk();
        clerkAtScreen.pick("列表框_用户", 0);
        clerkAtScreen.type("编辑框_用户", "X");
        clerkAtScreen.retype("编辑框_密码", "secret");
        clerkAtScreen.click("按钮_删除");
        clerkAtScreen.click("按钮_修改");

        clerkAtScreen.pick("组合框_用户", 0);
        EXPECT_EQ(marks(), "1111111111");
        for (const char* control : {"选择列表框_权限", "按钮_全选", "按钮_反选", "按钮_确定"})
            EXPECT_TRUE(disabled(control)) << control;
        clerkAtScreen.toggle("选择列表框_权限", 0);
        clerkAtScreen.click("按钮_反选");
        clerkAtScreen.click("按钮_确定");
        EXPECT_EQ(marks(), "1111111111");

        clerkAtScreen.pick("组合框_用户", 1);
        EXPECT_FALSE(disabled("按钮_确定"));
        EXPECT_EQ(marks(), "1000000000");
        EXPECT_EQ(shown(), (Shown{{"修改成功！", kInformation}}));
    });
    EXPECT_EQ(column("用户 || '/' || 密码", 1), "管理员/secret");
    EXPECT_EQ(column(kTenFields, 1), "1111111111");
    EXPECT_EQ(namesInTable(), "管理员|小李");
}

TEST_F(UserSettingsTest, AUserNamedLikeTheAdministratorCannotReachTheAdministratorsRecord) {
    addUser("管理员", "other");
    atUserSettings([&] {
        clerk().pick("列表框_用户", 1);
        EXPECT_EQ(content("编辑框_密码"), "admin");
        EXPECT_TRUE(disabled("编辑框_用户"));
        EXPECT_FALSE(disabled("按钮_删除"));
        clerk().type("编辑框_用户", "X");
        clerk().click("按钮_修改");

        clerk().pick("组合框_用户", 1);
        EXPECT_TRUE(disabled("按钮_确定"));
        clerk().click("按钮_反选");
        clerk().click("按钮_确定");

        clerk().pick("列表框_用户", 1);
        clerk().click("按钮_删除");
    });
    EXPECT_EQ(namesInTable(), "管理员");
    EXPECT_EQ(column("密码 || '/' || " + std::string(kTenFields), 1), "admin/1111111111");
}

TEST_F(UserSettingsTest, WritesTheDatabaseRefusesAreReportedAndChangeNothing) {
    addUser("小李", "1");
    executeSql("CREATE TRIGGER refuse_insert BEFORE INSERT ON 用户 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    executeSql("CREATE TRIGGER refuse_update BEFORE UPDATE ON 用户 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    executeSql("CREATE TRIGGER refuse_delete BEFORE DELETE ON 用户 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    atUserSettings([&] {
        addThroughScreen("小王", "2");
        EXPECT_EQ(content("编辑框_用户"), "小王");
        clerk().pick("列表框_用户", 1);
        fill("小张", "3");
        clerk().click("按钮_修改");
        EXPECT_EQ(content("编辑框_用户"), "小张");
        clerk().click("按钮_删除");
        EXPECT_EQ(screen().listBox("列表框_用户").selection(), 1);
        clerk().pick("组合框_用户", 1);
        clerk().click("按钮_全选");
        clerk().click("按钮_确定");
        EXPECT_EQ(screen().comboBox("组合框_用户").selection(), 1);
        EXPECT_EQ(shown(), (Shown{{"用户添加失败，请检查！", kWarning},
                                  {"修改失败，请检查！", kWarning},
                                  {"删除失败，请检查！", kWarning},
                                  {"修改失败，请检查！", kWarning}}));
        EXPECT_EQ(listed(), (std::vector<std::string>{"管理员", "小李"}));
    });
    EXPECT_EQ(column("用户 || 密码 || " + std::string(kTenFields), 2), "小李10000000000");
}

TEST_F(UserSettingsTest, WithoutTheDatabaseTheEmptyListsAreToldAndAddFails) {
    run([&] {
        std::filesystem::remove(directory.path() / "cysj.db");
        desktop.onModal = [&](ui::Window&) {
            EXPECT_TRUE(listed().empty());
            addThroughScreen("小王", "1");
            clerk().click("按钮3");
        };
        person(app.mainWindow).chooseMenuItem("用户设置");
        EXPECT_FALSE(screen().isOpen());
        EXPECT_EQ(shown(), (Shown{{"读取数据失败，请检查！", kWarning},
                                  {"用户添加失败，请检查！", kWarning}}));
    });
}

} // namespace
