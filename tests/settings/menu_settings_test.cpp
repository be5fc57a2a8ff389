#include "app/app_fixture.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const Texts kHotDishes{"宫保鸡丁/32元", "鱼香肉丝/28元", "麻婆豆腐/18元", "红烧肉/48元"};

class MenuSettingsTest : public testing_support::AppTest {
protected:
    // Logs in, opens the restaurant settings from the tool menu and runs `act` on them; with
    // `orderScreenOpen` the order screen is opened first.
    void atSettings(const std::function<void()>& act, bool orderScreenOpen = false) {
        run([&] {
            if (orderScreenOpen) person(app.mainWindow).clickToolButton("工具条1", 3);
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
    ui::OutlookBar& bar() { return screen().outlookBar("卷帘式菜单_菜单"); }
    std::string box(const char* name) { return screen().editBox(name).content(); }

    static Texts titles(const ui::OutlookBar& menu) {
        Texts result;
        for (int group = 0; group < menu.groupCount(); ++group)
            result.push_back(menu.groupText(group));
        return result;
    }

    static Texts items(const ui::OutlookBar& menu, const std::string& title) {
        Texts result;
        for (int group = 0; group < menu.groupCount(); ++group) {
            if (menu.groupText(group) != title) continue;
            for (int item = 0; item < menu.itemCount(group); ++item)
                result.push_back(menu.itemText(item, group));
        }
        return result;
    }

    void chooseDish(const std::string& category, const std::string& dish) {
        clerk().chooseGroup("卷帘式菜单_菜单", category);
        clerk().chooseItem("卷帘式菜单_菜单", dish);
    }

    void typeDish(const std::string& name, const std::string& price) {
        clerk().retype("编辑框_菜品", name);
        clerk().retype("编辑框_单价", price);
    }

    // The stored dishes of a category, in table order, joined by "|".
    std::string dishesOf(const std::string& category) {
        return querySql(
            "SELECT group_concat(菜品, '|') FROM (SELECT 菜品 FROM 菜品 WHERE 分类 = '" + category +
            "' ORDER BY rowid)");
    }
    std::string count(const std::string& table) {
        return querySql("SELECT COUNT(*) FROM " + table);
    }

    Texts messagesSince(std::size_t from) {
        const Texts texts = desktop.messageTexts();
        return {texts.begin() + static_cast<long>(std::min(from, texts.size())), texts.end()};
    }
};

TEST_F(MenuSettingsTest, ChoosingAGroupAndADishFillsTheBoxes) {
    executeSql(
        "INSERT INTO 菜品 (菜品, 分类) VALUES ('时价鱼', '热菜'), ('半/只烤鸭/88元', '热菜'),"
        "('无主菜/9元', '海鲜');");
    atSettings([&] {
        EXPECT_EQ(titles(bar()), (Texts{"凉菜", "热菜", "主食", "酒水"}));
        EXPECT_EQ(items(bar(), "主食"), (Texts{"米饭/2元", "扬州炒饭/18元", "牛肉面/22元"}));
        EXPECT_EQ(bar().currentGroup(), -1);

        typeDish("旧", "1");
        clerk().chooseGroup("卷帘式菜单_菜单", "热菜");
        EXPECT_EQ(box("编辑框_分类"), "热菜");
        EXPECT_EQ(box("编辑框_菜品"), "");
        EXPECT_EQ(box("编辑框_单价"), "");
        clerk().chooseItem("卷帘式菜单_菜单", "红烧肉/48元");
        EXPECT_EQ(box("编辑框_菜品"), "红烧肉");
        EXPECT_EQ(box("编辑框_单价"), "48");
        // Cut at the first "/", the price is every digit after it; no "/" is all name.
        clerk().chooseItem("卷帘式菜单_菜单", "半/只烤鸭/88元");
        EXPECT_EQ(box("编辑框_菜品"), "半");
        EXPECT_EQ(box("编辑框_单价"), "88");
        clerk().chooseItem("卷帘式菜单_菜单", "时价鱼");
        EXPECT_EQ(box("编辑框_菜品"), "时价鱼");
        EXPECT_EQ(box("编辑框_单价"), "");
        EXPECT_EQ(box("编辑框_分类"), "热菜");
    });
}

TEST_F(MenuSettingsTest, AnAddedDishIsStoredAsNameSlashPriceAndChosenBack) {
    atSettings([&] {
        clerk().chooseGroup("卷帘式菜单_菜单", "热菜");
        typeDish("东北烤全羊", "188");
        clerk().click("按钮_菜品添加");
        EXPECT_TRUE(desktop.messages.empty());
        EXPECT_EQ(querySql("SELECT 分类 FROM 菜品 WHERE 菜品 = '东北烤全羊/188元'"), "热菜");
        EXPECT_EQ(bar().currentGroup(), 1);
        EXPECT_EQ(items(bar(), "热菜").back(), "东北烤全羊/188元");
        EXPECT_EQ(box("编辑框_菜品"), "东北烤全羊");

        clerk().chooseItem("卷帘式菜单_菜单", "宫保鸡丁/32元");
        clerk().chooseItem("卷帘式菜单_菜单", "东北烤全羊/188元");
        EXPECT_EQ(box("编辑框_菜品"), "东北烤全羊");
        EXPECT_EQ(box("编辑框_单价"), "188");
    });
}

TEST_F(MenuSettingsTest, AddingADishChecksGroupBoxesSlashAndTheOpenCategory) {
    atSettings([&] {
        typeDish("米饭", "2");
        clerk().click("按钮_菜品添加");
        clerk().chooseGroup("卷帘式菜单_菜单", "主食");
        for (const auto& [name, price] : std::vector<std::pair<std::string, std::string>>{
                 {"", "5"}, {"　", "5"}, {"汤圆", ""}, {"汤/圆", "5"}, {"米饭", "3"}}) {
            typeDish(name, price);
            clerk().click("按钮_菜品添加");
        }
        EXPECT_EQ(messagesSince(0),
                  (Texts{"请选择要添加菜品的分类！", "菜品或单价不能为空，请修改！",
                         "菜品或单价不能为空，请修改！", "菜品或单价不能为空，请修改！",
                         "菜品名称不能包含特殊字符‘ / ’", "菜品已存在，请修改！"}));
        for (const auto& message : desktop.messages)
            EXPECT_EQ(message.flags, 0x30);
        EXPECT_EQ(count("菜品"), "12");

        clerk().chooseGroup("卷帘式菜单_菜单", "热菜");
        typeDish("米饭", "3");
        clerk().click("按钮_菜品添加");
        EXPECT_EQ(desktop.messages.size(), 6u);
        EXPECT_EQ(dishesOf("热菜").substr(dishesOf("热菜").rfind('|') + 1), "米饭/3元");
    });
}

TEST_F(MenuSettingsTest, ModifyingADishNeedsAChoiceAndAChange) {
    atSettings([&] {
        clerk().click("按钮_菜品修改");
        chooseDish("热菜", "红烧肉/48元");
        clerk().click("按钮_菜品修改"); // unchanged
        typeDish("红烧肉", "");
        clerk().click("按钮_菜品修改");
        EXPECT_EQ(messagesSince(0), (Texts{"请选择要修改的菜品！", "菜品已存在，请修改！",
                                           "菜品或单价不能为空，请修改！"}));

        typeDish("红烧肉", "52");
        clerk().click("按钮_菜品修改");
        EXPECT_EQ(messagesSince(3), Texts{"菜品修改成功！"});
        EXPECT_EQ(desktop.messages.back().flags, 0x40);
        EXPECT_EQ(box("编辑框_菜品"), "");
        EXPECT_EQ(box("编辑框_单价"), "");
        EXPECT_EQ(bar().currentGroup(), 1);
        EXPECT_EQ(bar().currentItem(), -1);
        EXPECT_EQ(items(bar(), "热菜")[3], "红烧肉/52元");

        clerk().chooseItem("卷帘式菜单_菜单", "红烧肉/52元");
        typeDish("东坡肉", "52"); // the name alone is a change
        clerk().click("按钮_菜品修改");
        EXPECT_EQ(dishesOf("热菜"), "宫保鸡丁/32元|鱼香肉丝/28元|麻婆豆腐/18元|东坡肉/52元");
    });
}

TEST_F(MenuSettingsTest, DeletingADishNeedsAChoice) {
    atSettings([&] {
        clerk().chooseGroup("卷帘式菜单_菜单", "主食");
        clerk().click("按钮_菜品删除");
        clerk().chooseItem("卷帘式菜单_菜单", "扬州炒饭/18元");
        clerk().click("按钮_菜品删除");
        EXPECT_EQ(messagesSince(0), (Texts{"请选择要删除的菜品！", "删除修改成功！"}));
        EXPECT_EQ(desktop.messages.back().flags, 0x40);
        EXPECT_EQ(dishesOf("主食"), "米饭/2元|牛肉面/22元");
        EXPECT_EQ(items(bar(), "主食"), (Texts{"米饭/2元", "牛肉面/22元"}));
        EXPECT_EQ(bar().currentGroup(), 2);
        EXPECT_EQ(box("编辑框_菜品"), "");
    });
}

// The same text in an earlier category must not be the one changed.
TEST_F(MenuSettingsTest, ModifyAndDeleteActOnTheDishOfTheOpenCategory) {
    executeSql("INSERT INTO 菜品 (菜品, 分类) VALUES ('米饭/2元', '热菜'), ('米饭/2元', '酒水');");
    atSettings([&] {
        chooseDish("热菜", "米饭/2元");
        typeDish("米饭", "3");
        clerk().click("按钮_菜品修改");
        chooseDish("酒水", "米饭/2元");
        clerk().click("按钮_菜品删除");
        EXPECT_EQ(messagesSince(0), (Texts{"菜品修改成功！", "删除修改成功！"}));
        EXPECT_EQ(dishesOf("主食"), "米饭/2元|扬州炒饭/18元|牛肉面/22元");
        EXPECT_EQ(querySql("SELECT 菜品 FROM 菜品 WHERE 分类 = '热菜' ORDER BY rowid DESC"),
                  "米饭/3元");
        EXPECT_EQ(dishesOf("酒水"), "青岛啤酒/8元|酸梅汤/10元");
    });
}

TEST_F(MenuSettingsTest, DishWritesTheDatabaseRefusesAreReported) {
    executeSql("CREATE TRIGGER no_adds BEFORE INSERT ON 菜品 BEGIN SELECT RAISE(ABORT, 'x'); END;"
               "CREATE TRIGGER no_edits BEFORE UPDATE ON 菜品 BEGIN SELECT RAISE(ABORT, 'x'); END;"
               "CREATE TRIGGER no_deletes BEFORE DELETE ON 菜品 "
               "BEGIN SELECT RAISE(ABORT, 'x'); END;");
    atSettings([&] {
        clerk().chooseGroup("卷帘式菜单_菜单", "主食");
        typeDish("汤圆", "6");
        clerk().click("按钮_菜品添加");
        clerk().chooseItem("卷帘式菜单_菜单", "米饭/2元");
        typeDish("米饭", "3");
        clerk().click("按钮_菜品修改");
        clerk().click("按钮_菜品删除");
        // Gone since the bar was filled: nothing to change.
        executeSql("DROP TRIGGER no_edits; DROP TRIGGER no_deletes;"
                   "DELETE FROM 菜品 WHERE 菜品 = '牛肉面/22元';");
        clerk().chooseItem("卷帘式菜单_菜单", "牛肉面/22元");
        typeDish("牛肉面", "25");
        clerk().click("按钮_菜品修改");
        EXPECT_EQ(messagesSince(0), (Texts{"添加菜品失败，请检查！", "修改菜品失败，请检查！",
                                           "删除菜品失败，请检查！", "修改菜品失败，请检查！"}));
        for (const auto& message : desktop.messages)
            EXPECT_EQ(message.flags, 0x30);
        EXPECT_EQ(dishesOf("主食"), "米饭/2元|扬州炒饭/18元");
        EXPECT_EQ(items(bar(), "主食").size(), 3u);
        EXPECT_EQ(box("编辑框_菜品"), "牛肉面");
    });
}

TEST_F(MenuSettingsTest, AddingACategoryRefusesBlankAndListedNames) {
    atSettings([&] {
        for (const char* name : {"", " 　", "酒水", "汤羹"}) {
            clerk().retype("编辑框_分类", name);
            clerk().click("按钮_菜品分类添加");
        }
        EXPECT_EQ(messagesSince(0), (Texts{"分类不能为空，请修改！", "分类不能为空，请修改！",
                                           "分类已存在，请修改！"}));
        EXPECT_EQ(titles(bar()), (Texts{"凉菜", "热菜", "主食", "酒水", "汤羹"}));
        EXPECT_EQ(bar().currentGroup(), -1);
        EXPECT_EQ(box("编辑框_分类"), "");
        EXPECT_EQ(querySql("SELECT 分类 FROM 分类 ORDER BY rowid DESC"), "汤羹");
    });
}

TEST_F(MenuSettingsTest, RenamingACategoryMovesItsDishesHereAndOnTheOrderScreen) {
    executeSql("INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES "
               "('20221027120000', '红烧肉', 48, 1, 48, '热菜');");
    atSettings(
        [&] {
            clerk().click("按钮_菜品分类修改");
            clerk().chooseGroup("卷帘式菜单_菜单", "热菜");
            clerk().click("按钮_菜品分类修改"); // its own name
            clerk().retype("编辑框_分类", "炒菜");
            clerk().click("按钮_菜品分类修改");
            EXPECT_EQ(messagesSince(0), (Texts{"请选择要修改的分类！", "分类已存在，请修改！"}));

            EXPECT_EQ(titles(bar()), (Texts{"凉菜", "炒菜", "主食", "酒水"}));
            EXPECT_EQ(items(bar(), "炒菜"), kHotDishes);
            EXPECT_EQ(bar().currentGroup(), 1);
            EXPECT_EQ(box("编辑框_分类"), "");
            const ui::OutlookBar& orderMenu = app.orderScreen.outlookBar("卷帘式菜单_点菜");
            EXPECT_EQ(titles(orderMenu), titles(bar()));
            EXPECT_EQ(items(orderMenu, "炒菜"), kHotDishes);
            EXPECT_EQ(dishesOf("热菜"), "");

            // A blank name is a name; the empty one is never written.
            clerk().retype("编辑框_分类", " ");
            clerk().click("按钮_菜品分类修改");
            EXPECT_EQ(items(bar(), " "), kHotDishes);
            clerk().chooseGroup("卷帘式菜单_菜单", " ");
            clerk().retype("编辑框_分类", "");
            clerk().click("按钮_菜品分类修改");
            EXPECT_EQ(messagesSince(2), Texts{"修改分类失败，请检查！"});
        },
        true);
    EXPECT_EQ(dishesOf(" "), "宫保鸡丁/32元|鱼香肉丝/28元|麻婆豆腐/18元|红烧肉/48元");
    EXPECT_EQ(querySql("SELECT 分类 FROM 明细"), "热菜");
}

TEST_F(MenuSettingsTest, RenamingGoesOnPastADishThatCannotFollow) {
    executeSql("CREATE TRIGGER keep_one BEFORE UPDATE ON 菜品 WHEN OLD.菜品 = '鱼香肉丝/28元' "
               "BEGIN SELECT RAISE(ABORT, 'x'); END;");
    atSettings([&] {
        clerk().chooseGroup("卷帘式菜单_菜单", "热菜");
        clerk().retype("编辑框_分类", "炒菜");
        clerk().click("按钮_菜品分类修改");
        EXPECT_EQ(messagesSince(0), Texts{"修改菜品失败，请检查！"});
        EXPECT_EQ(items(bar(), "炒菜"), (Texts{"宫保鸡丁/32元", "麻婆豆腐/18元", "红烧肉/48元"}));
        EXPECT_EQ(dishesOf("热菜"), "鱼香肉丝/28元");
    });
}

TEST_F(MenuSettingsTest, DeletingACategoryDeletesExactlyItsDishes) {
    executeSql("INSERT INTO 菜品 (菜品, 分类) VALUES ('可乐/5元', '酒水');");
    atSettings(
        [&] {
            clerk().click("按钮_菜品分类删除");
            clerk().chooseGroup("卷帘式菜单_菜单", "热菜");
            clerk().click("按钮_菜品分类删除");
            // Three in a row, the last record of the table among them.
            clerk().chooseGroup("卷帘式菜单_菜单", "酒水");
            clerk().click("按钮_菜品分类删除");
            EXPECT_EQ(messagesSince(0),
                      (Texts{"请选择要删除的分类！", "分类删除成功！", "分类删除成功！"}));
            EXPECT_EQ(desktop.messages.back().flags, 0x40);
            EXPECT_EQ(titles(bar()), (Texts{"凉菜", "主食"}));
            EXPECT_EQ(bar().currentGroup(), -1);
            EXPECT_EQ(box("编辑框_分类"), "");
            const ui::OutlookBar& orderMenu = app.orderScreen.outlookBar("卷帘式菜单_点菜");
            EXPECT_EQ(titles(orderMenu), titles(bar()));
            EXPECT_EQ(items(orderMenu, "主食").size(), 3u);
        },
        true);
    EXPECT_EQ(count("菜品"), "6");
    EXPECT_EQ(count("分类"), "2");
    EXPECT_EQ(dishesOf("凉菜"), "拍黄瓜/12元|凉拌木耳/16元|夫妻肺片/28元");
}

// What is typed into the box after choosing the group names no category to delete.
TEST_F(MenuSettingsTest, DeletingACategoryTakesTheDishesOfItsGroup) {
    atSettings([&] {
        clerk().chooseGroup("卷帘式菜单_菜单", "凉菜");
        clerk().retype("编辑框_分类", "热菜");
        clerk().click("按钮_菜品分类删除");
    });
    EXPECT_EQ(dishesOf("凉菜"), "");
    EXPECT_EQ(dishesOf("热菜"), "宫保鸡丁/32元|鱼香肉丝/28元|麻婆豆腐/18元|红烧肉/48元");
    EXPECT_EQ(querySql("SELECT group_concat(分类) FROM 分类"), "热菜,主食,酒水");
}

TEST_F(MenuSettingsTest, ACategoryAndItsDishesGoTogetherOrNotAtAll) {
    executeSql("CREATE TRIGGER keep_categories BEFORE DELETE ON 分类 "
               "BEGIN SELECT RAISE(ABORT, 'x'); END;"
               "CREATE TRIGGER keep_one BEFORE DELETE ON 菜品 WHEN OLD.菜品 = '米饭/2元' "
               "BEGIN SELECT RAISE(ABORT, 'x'); END;");
    atSettings([&] {
        clerk().chooseGroup("卷帘式菜单_菜单", "凉菜");
        clerk().click("按钮_菜品分类删除");
        executeSql("DROP TRIGGER keep_categories;");
        clerk().chooseGroup("卷帘式菜单_菜单", "主食");
        clerk().click("按钮_菜品分类删除");
        EXPECT_EQ(messagesSince(0), (Texts{"删除分类失败，请检查！", "删除分类失败，请检查！"}));
        for (const auto& message : desktop.messages)
            EXPECT_EQ(message.flags, 0x30);
        EXPECT_EQ(titles(bar()).size(), 4u);
    });
    EXPECT_EQ(count("分类"), "4");
    EXPECT_EQ(count("菜品"), "12");
}

TEST_F(MenuSettingsTest, FailedCategoryWritesAreReportedAndMoveNoDish) {
    executeSql(
        "CREATE TRIGGER no_adds BEFORE INSERT ON 分类 BEGIN SELECT RAISE(ABORT, 'x'); END;"
        "CREATE TRIGGER no_edits BEFORE UPDATE ON 分类 BEGIN SELECT RAISE(ABORT, 'x'); END;");
    atSettings([&] {
        clerk().retype("编辑框_分类", "汤羹");
        clerk().click("按钮_菜品分类添加");
        clerk().chooseGroup("卷帘式菜单_菜单", "主食");
        clerk().retype("编辑框_分类", "面食");
        clerk().click("按钮_菜品分类修改");
        EXPECT_EQ(messagesSince(0), (Texts{"添加分类失败，请检查！", "修改分类失败，请检查！"}));
        EXPECT_EQ(box("编辑框_分类"), "面食");
    });
    EXPECT_EQ(count("分类"), "4");
    EXPECT_EQ(dishesOf("主食"), "米饭/2元|扬州炒饭/18元|牛肉面/22元");
}

TEST_F(MenuSettingsTest, WithoutThePermissionTheMenuShowsButTheButtonsAreOff) {
    addUser("小李", "1", "1111111101");
    logins = {{"小李", "1"}};
    atSettings([&] {
        chooseDish("酒水", "酸梅汤/10元");
        EXPECT_EQ(box("编辑框_分类"), "酒水");
        EXPECT_EQ(box("编辑框_菜品"), "酸梅汤");
        for (const char* button : {"按钮_菜品分类添加", "按钮_菜品分类修改", "按钮_菜品分类删除",
                                   "按钮_菜品添加", "按钮_菜品修改", "按钮_菜品删除"}) {
            EXPECT_TRUE(screen().button(button).disabled()) << button;
            clerk().click(button);
        }
        EXPECT_FALSE(screen().button("按钮_餐台添加").disabled());
        EXPECT_TRUE(desktop.messages.empty());
    });
    EXPECT_EQ(count("分类"), "4");
    EXPECT_EQ(count("菜品"), "12");
}

// The order screen reads a price back as the digits of the dish text; anything else would be
// charged as another price.
TEST_F(MenuSettingsTest, APriceIsDigitsOnlyAndFitsTheStoredPrice) {
    atSettings([&] {
        clerk().chooseGroup("卷帘式菜单_菜单", "主食");
        // The box takes only digits and "-" as typed.
        for (const char* price : {"-5", "1-2-3", "5-", "-"}) {
            typeDish("汤圆", price);
            clerk().click("按钮_菜品添加");
        }
        for (const char* price : {"2147483648", "99999999999", "99999999999999999999"}) {
            typeDish("汤圆", price);
            clerk().click("按钮_菜品添加");
        }
        Texts expected(4, "单价只能填写数字，请修改！");
        expected.insert(expected.end(), 3, "单价超出范围，请修改！");
        EXPECT_EQ(messagesSince(0), expected);
        EXPECT_EQ(count("菜品"), "12");
        typeDish("汤圆", "2147483647");
        clerk().click("按钮_菜品添加");
        EXPECT_EQ(dishesOf("主食"), "米饭/2元|扬州炒饭/18元|牛肉面/22元|汤圆/2147483647元");

        // Modify holds a dish to the same rules, "/" in its name included.
        chooseDish("主食", "米饭/2元");
        const std::size_t before = desktop.messages.size();
        typeDish("米饭/大碗", "3");
        clerk().click("按钮_菜品修改");
        typeDish("米饭", "-3");
        clerk().click("按钮_菜品修改");
        typeDish("米饭", "3000000000");
        clerk().click("按钮_菜品修改");
        EXPECT_EQ(messagesSince(before),
                  (Texts{"菜品名称不能包含特殊字符‘ / ’", "单价只能填写数字，请修改！",
                         "单价超出范围，请修改！"}));
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 菜品 WHERE 菜品 = '米饭/2元'"), "1");
    });
}

} // namespace
