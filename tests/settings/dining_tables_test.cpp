#include "app/app_fixture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const Texts kDeliveredTables{"大厅01", "大厅02", "大厅03", "大厅04", "大厅05",
                             "大厅06", "大厅07", "大厅08", "牡丹厅", "玉兰厅"};

class DiningTableTest : public testing_support::AppTest {
protected:
    // Logs in, opens the restaurant settings from the tool menu and runs `act` on them.
    void atSettings(const std::function<void()>& act) {
        run([&] {
            desktop.onModal = [&](ui::Window& window) {
                act();
                window.close();
            };
            desktop.popupAnswers = {"餐厅设置"};
            person(app.mainWindow).clickToolButton("工具条1", 7);
        });
    }

    ui::Window& screen() { return app.restaurantSettingsScreen; }
    testing_support::ScreenDriver clerk() { return person(app.restaurantSettingsScreen); }
    const Texts& listed() { return screen().listBox("列表框_餐台").items(); }
    std::string box() { return screen().editBox("编辑框_餐台").content(); }

    void add(const std::string& name) {
        clerk().retype("编辑框_餐台", name);
        clerk().click("按钮_餐台添加");
    }

    // The names in the table, in table order.
    Texts stored() {
        const std::string names = querySql("SELECT group_concat(IFNULL(餐台, '?'), ',') FROM "
                                           "(SELECT 餐台 FROM 餐台 ORDER BY rowid)");
        Texts result;
        for (std::size_t start = 0; start <= names.size();) {
            const std::size_t comma = std::min(names.find(',', start), names.size());
            result.push_back(names.substr(start, comma - start));
            start = comma + 1;
        }
        return result;
    }

    Texts messagesSince(std::size_t from) {
        const Texts texts = desktop.messageTexts();
        return {texts.begin() + static_cast<long>(std::min(from, texts.size())), texts.end()};
    }

    void expectWarnings() {
        for (const auto& message : desktop.messages) {
            EXPECT_EQ(message.flags, 0x30) << message.text;
            EXPECT_EQ(message.owner, &screen()) << message.text;
        }
    }
};

TEST_F(DiningTableTest, AddingRefusesBlankAndListedNamesButTakesATrailingSpace) {
    atSettings([&] {
        EXPECT_EQ(listed(), kDeliveredTables);
        EXPECT_EQ(screen().listBox("列表框_餐台").selection(), -1);
        for (const char* name : {"", "  ", "　 　", "大厅01"})
            add(name);
        EXPECT_EQ(messagesSince(0), (Texts{"餐台不能为空，请修改！", "餐台不能为空，请修改！",
                                           "餐台不能为空，请修改！", "餐台已存在，请修改！"}));
        expectWarnings();
        EXPECT_EQ(stored(), kDeliveredTables);

        add("大厅01 ");
        EXPECT_EQ(desktop.messages.size(), 4u);
        EXPECT_EQ(listed().back(), "大厅01 ");
        EXPECT_EQ(stored().back(), "大厅01 ");
        EXPECT_EQ(box(), "");
    });
}

TEST_F(DiningTableTest, RenamingNeedsASelectionAndAnotherName) {
    atSettings([&] {
        clerk().click("按钮_餐台修改");
        clerk().pick("列表框_餐台", "大厅03");
        EXPECT_EQ(box(), "大厅03");
        clerk().click("按钮_餐台修改"); // its own name
        clerk().retype("编辑框_餐台", "玉兰厅");
        clerk().click("按钮_餐台修改");
        EXPECT_EQ(messagesSince(0),
                  (Texts{"请选择要修改的餐台！", "餐台已存在，请修改！", "餐台已存在，请修改！"}));
        expectWarnings();

        clerk().retype("编辑框_餐台", "露台 ");
        clerk().click("按钮_餐台修改");
        EXPECT_EQ(desktop.messages.size(), 3u);
        EXPECT_EQ(listed()[2], "露台 ");
        EXPECT_EQ(stored()[2], "露台 ");
        EXPECT_EQ(box(), "");
        EXPECT_EQ(screen().listBox("列表框_餐台").selection(), -1);
    });
}

TEST_F(DiningTableTest, RenameAndDeleteAddressTheRecordAtTheListPosition) {
    executeSql("INSERT INTO 餐台 (餐台) VALUES ('大厅02'), ('大厅02');");
    atSettings([&] {
        clerk().pick("列表框_餐台", 10); // the second 大厅02
        clerk().retype("编辑框_餐台", "露台");
        clerk().click("按钮_餐台修改");
        EXPECT_EQ(stored()[1], "大厅02");
        EXPECT_EQ(stored()[10], "露台");

        clerk().click("按钮_餐台删除");
        clerk().pick("列表框_餐台", 11); // the third 大厅02
        clerk().click("按钮_餐台删除");
        clerk().pick("列表框_餐台", 3);
        clerk().click("按钮_餐台删除");
        EXPECT_EQ(messagesSince(0), (Texts{"请选择要删除的餐台！", "删除成功！", "删除成功！"}));
        EXPECT_EQ(desktop.messages[1].flags, 0x40);
        Texts expected = kDeliveredTables;
        expected.erase(expected.begin() + 3);
        expected.push_back("露台");
        EXPECT_EQ(stored(), expected);
        EXPECT_EQ(listed(), expected);
        EXPECT_EQ(box(), "");
    });
}

// The cursor never writes an empty text, so the rename fails at its commit.
TEST_F(DiningTableTest, RenamingToTheEmptyNameFailsAndKeepsListAndBox) {
    atSettings([&] {
        clerk().pick("列表框_餐台", "大厅02");
        clerk().retype("编辑框_餐台", "");
        clerk().click("按钮_餐台修改");
        EXPECT_EQ(messagesSince(0), Texts{"修改失败，请检查！"});
        expectWarnings();
        EXPECT_EQ(stored(), kDeliveredTables);
        EXPECT_EQ(listed(), kDeliveredTables);
        EXPECT_EQ(screen().listBox("列表框_餐台").selection(), 1);
    });
}

TEST_F(DiningTableTest, WritesTheDatabaseRefusesAreReported) {
    executeSql("CREATE TRIGGER no_adds BEFORE INSERT ON 餐台 BEGIN SELECT RAISE(ABORT, 'x'); END;"
               "CREATE TRIGGER no_deletes BEFORE DELETE ON 餐台 "
               "BEGIN SELECT RAISE(ABORT, 'x'); END;");
    atSettings([&] {
        add("露台");
        EXPECT_EQ(messagesSince(0), Texts{"添加餐台失败，请检查！"});
        EXPECT_EQ(box(), "露台");

        // A failed deletion is told, and the list is read again all the same.
        executeSql("DROP TRIGGER no_adds; INSERT INTO 餐台 (餐台) VALUES ('吧台');");
        clerk().pick("列表框_餐台", "大厅05");
        clerk().click("按钮_餐台删除");
        EXPECT_EQ(messagesSince(1), Texts{"删除失败，请检查！"});
        EXPECT_EQ(desktop.messages.back().flags, 0x30);
        EXPECT_EQ(listed().size(), 11u);
        EXPECT_EQ(listed().back(), "吧台");
        EXPECT_EQ(box(), "大厅05");
    });
}

TEST_F(DiningTableTest, TheOpenOrderScreenFollowsAndOrdersKeepTheirTable) {
    executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作) VALUES "
               "('20221027120000', '2022年10月27日12时', '牡丹厅', 6, 0, 0, '管理员');");
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 3);
        const ui::ComboBox& tables = app.orderScreen.comboBox("组合框_餐台");
        desktop.onModal = [&](ui::Window& window) {
            add("露台");
            EXPECT_EQ(tables.items().back(), "露台");
            clerk().pick("列表框_餐台", "牡丹厅");
            clerk().retype("编辑框_餐台", "芍药厅");
            clerk().click("按钮_餐台修改");
            EXPECT_EQ(tables.itemText(8), "芍药厅");
            clerk().pick("列表框_餐台", "大厅01");
            clerk().click("按钮_餐台删除");
            EXPECT_EQ(tables.itemText(0), "大厅02");
            EXPECT_EQ(tables.items(), listed());
            window.close();
        };
        desktop.popupAnswers = {"餐厅设置"};
        person(app.mainWindow).clickToolButton("工具条1", 7);
    });
    EXPECT_EQ(querySql("SELECT 台号 FROM 流水"), "牡丹厅");
}

TEST_F(DiningTableTest, WithoutThePermissionTheListShowsButTheButtonsAreOff) {
    addUser("小李", "1", "1111111011");
    logins = {{"小李", "1"}};
    atSettings([&] {
        EXPECT_EQ(listed(), kDeliveredTables);
        clerk().pick("列表框_餐台", "大厅04");
        EXPECT_EQ(box(), "大厅04");
        for (const char* button : {"按钮_餐台添加", "按钮_餐台修改", "按钮_餐台删除"}) {
            EXPECT_TRUE(screen().button(button).disabled()) << button;
            clerk().click(button);
        }
        EXPECT_FALSE(screen().button("按钮_菜品添加").disabled());
        EXPECT_TRUE(desktop.messages.empty());
        EXPECT_EQ(stored(), kDeliveredTables);
    });
}

TEST_F(DiningTableTest, TheCloseButtonClosesTheScreen) {
    run([&] {
        desktop.onModal = [&](ui::Window&) { clerk().click("按钮10"); };
        desktop.popupAnswers = {"餐厅设置"};
        person(app.mainWindow).clickToolButton("工具条1", 7);
        EXPECT_FALSE(screen().isOpen());
    });
}

} // namespace
