#include "app/app_fixture.h"
#include "common/other_program.h"

#include <string>
#include <vector>

namespace {

using testing_support::AppTest;
using testing_support::OtherProgram;

class OrderScreenTest : public AppTest {
protected:
    ui::Window& screen() { return app.orderScreen; }
    testing_support::ScreenDriver counter() { return person(app.orderScreen); }

    void openOrderScreen() { person(app.mainWindow).clickToolButton("工具条1", 3); }

    void openTable(const std::string& table, const std::string& guests) {
        counter().pick("组合框_餐台", table);
        counter().retype("组合框_人数", guests);
        counter().click("按钮_开台");
    }

    void addDish(const std::string& category, const std::string& dish) {
        counter().chooseGroup("卷帘式菜单_点菜", category);
        counter().chooseItem("卷帘式菜单_点菜", dish);
    }

    void selectLine(const std::string& dish) {
        ui::ListView& list = screen().listView("超级列表框_点菜");
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.cellText(row, 2) == dish) return counter().clickRow("超级列表框_点菜", row);
        ADD_FAILURE() << "no line " << dish;
    }

    std::vector<std::string> line(int row) {
        std::vector<std::string> cells;
        for (int column = 0; column < 7; ++column)
            cells.push_back(screen().listView("超级列表框_点菜").cellText(row, column));
        return cells;
    }

    std::string caption(const char* label) { return screen().label(label).caption(); }

    std::string orderField(const std::string& number, const char* field) {
        return querySql("SELECT " + std::string(field) + " FROM 流水 WHERE 单号 = '" + number +
                        "'");
    }

    std::string lineField(const std::string& dish, const char* field) {
        return querySql("SELECT " + std::string(field) + " FROM 明细 WHERE 菜品 = '" + dish + "'");
    }

    // The texts of the messages from `from` on.
    std::vector<std::string> messagesSince(std::size_t from) {
        const auto texts = desktop.messageTexts();
        return {texts.begin() + static_cast<long>(std::min(from, texts.size())), texts.end()};
    }
};

TEST_F(OrderScreenTest, ScreenOpensWithTheTablesMenuAndOpenOrders) {
    executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作) VALUES "
               "('20221027120000', '2022年10月27日12时', '牡丹厅', 6, 120, 0, '管理员'),"
               "('20221027130000', '2022年10月27日13时', '大厅03', 2, 40, 1, '管理员');"
               "INSERT INTO 菜品 (菜品, 分类) VALUES ('无主菜/9元', '海鲜');");
    run([&] {
        openOrderScreen();
        EXPECT_EQ(screen().left(), app.mainWindow.left());
        EXPECT_EQ(screen().top(), app.mainWindow.top() + 105);
        EXPECT_EQ(screen().comboBox("组合框_餐台").itemCount(), 10);
        const ui::OutlookBar& menu = screen().outlookBar("卷帘式菜单_点菜");
        ASSERT_EQ(menu.groupCount(), 4);
        EXPECT_EQ(menu.groupText(1), "热菜");
        EXPECT_EQ(menu.itemCount(1), 4);
        EXPECT_EQ(menu.itemText(0, 1), "宫保鸡丁/32元");
        EXPECT_EQ(menu.currentGroup(), -1);
        const ui::ComboBox& open = screen().comboBox("组合框_切换");
        ASSERT_EQ(open.itemCount(), 1); // only the unsettled order
        EXPECT_EQ(open.itemText(0), "牡丹厅");
        EXPECT_EQ(open.selection(), -1);
        EXPECT_EQ(caption("标签_当前操作"), "");
    });
}

TEST_F(OrderScreenTest, OpeningATableStoresTheOrderAndMakesItCurrent) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "3人");
        EXPECT_EQ(messagesSince(0), std::vector<std::string>{"开台成功！"});
        EXPECT_EQ(desktop.messages[0].flags, 0x40);
        const std::string number = "20221028140509";
        EXPECT_EQ(caption("标签_单号"), number);
        EXPECT_EQ(orderField(number, "时间"), "2022年10月28日14时5分9秒");
        EXPECT_EQ(orderField(number, "台号"), "大厅01");
        EXPECT_EQ(orderField(number, "人数"), "3");
        EXPECT_EQ(orderField(number, "金额"), "0");
        EXPECT_EQ(orderField(number, "状态"), "0");
        EXPECT_EQ(orderField(number, "操作"), "管理员");
        EXPECT_EQ(querySql("SELECT 备注 IS NULL FROM 流水"), "1");

        EXPECT_EQ(caption("标签_当前操作"), "大厅01");
        EXPECT_EQ(caption("标签_人数"), "3人");
        EXPECT_EQ(screen().comboBox("组合框_切换").content(), "大厅01");
        EXPECT_EQ(screen().comboBox("组合框_餐台").content(), "");
        EXPECT_EQ(screen().comboBox("组合框_人数").content(), "");

        openTable("大厅01", "2");
        EXPECT_EQ(messagesSince(1),
                  std::vector<std::string>{"您要开的台号已开或未结账，请更换台号！"});
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水"), "1");
    });
}

TEST_F(OrderScreenTest, ATableNeedsAChoiceAndAPositiveNumberOfGuests) {
    run([&] {
        openOrderScreen();
        counter().retype("组合框_人数", "2");
        counter().click("按钮_开台");
        for (const char* guests : {"", "ab", "0", "-2"})
            openTable("大厅02", guests);
        EXPECT_EQ(messagesSince(0), (std::vector<std::string>{
                                        "请选择预开台号！", "请正确输入人数！", "请正确输入人数！",
                                        "请正确输入人数！", "请正确输入人数！"}));
        for (const auto& message : desktop.messages)
            EXPECT_EQ(message.flags, 0x30);
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水"), "0");
    });
}

TEST_F(OrderScreenTest, TwoTablesOpenedInOneSecondGetTheirOwnNumbers) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "2");
        // The clock still shows the same second, then moves on.
        desktop.fakeClock.upcoming = {{2022, 10, 28, 14, 5, 10}};
        openTable("大厅02", "4");
        EXPECT_EQ(caption("标签_单号"), "20221028140510");
        EXPECT_EQ(orderField("20221028140509", "台号"), "大厅01");
        EXPECT_EQ(orderField("20221028140510", "台号"), "大厅02");
        EXPECT_EQ(orderField("20221028140510", "时间"), "2022年10月28日14时5分10秒");
    });
}

TEST_F(OrderScreenTest, TheRoadOfALine) {
    run([&] {
        openOrderScreen();
        openTable("大厅05", "2");
        const std::string number = caption("标签_单号");
        addDish("热菜", "鱼香肉丝/28元");
        EXPECT_EQ(line(0),
                  (std::vector<std::string>{"1", number, "鱼香肉丝", "28", "1", "28", "热菜"}));
        EXPECT_EQ(orderField(number, "金额"), "28");
        EXPECT_EQ(lineField("鱼香肉丝", "分类"), "热菜");

        const std::size_t before = desktop.messages.size();
        addDish("热菜", "鱼香肉丝/28元");
        EXPECT_EQ(
            messagesSince(before),
            std::vector<std::string>{"要添加的菜品已存在，如需增加数量请按 ‘ 数量+ ’ 按钮！"});

        selectLine("鱼香肉丝");
        counter().click("按钮_数量加");
        counter().click("按钮_数量加");
        EXPECT_EQ(line(0)[4], "3");
        EXPECT_EQ(line(0)[5], "84");
        EXPECT_EQ(lineField("鱼香肉丝", "数量"), "3");
        EXPECT_EQ(lineField("鱼香肉丝", "金额"), "84");
        EXPECT_EQ(orderField(number, "金额"), "84");

        addDish("主食", "米饭/2元");
        EXPECT_EQ(caption("标签_菜品总数"), "4");
        EXPECT_EQ(caption("标签_总金额"), "86");

        selectLine("鱼香肉丝");
        counter().click("按钮_数量减");
        counter().click("按钮_数量减");
        counter().click("按钮_数量减");
        EXPECT_EQ(messagesSince(before + 1),
                  std::vector<std::string>{"菜品数量已经为 ‘ 1 ’ ，如还需减少请点击删除按钮！"});
        EXPECT_EQ(lineField("鱼香肉丝", "数量"), "1");
        EXPECT_EQ(orderField(number, "金额"), "30");

        counter().click("按钮_删除");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细 WHERE 菜品 = '鱼香肉丝'"), "0");
        selectLine("米饭");
        counter().click("按钮_删除");
        EXPECT_EQ(screen().listView("超级列表框_点菜").rowCount(), 0);
        EXPECT_EQ(orderField(number, "金额"), "0");
        addDish("热菜", "鱼香肉丝/28元"); // deleted, so it can be added again
        EXPECT_EQ(line(0)[0], "1");
    });
}

TEST_F(OrderScreenTest, ADishNameIsOnceInAnOrderWhateverItsCategory) {
    executeSql("INSERT INTO 菜品 (菜品, 分类) VALUES ('米饭/3元', '凉菜'), ('时价鱼', '热菜');");
    run([&] {
        openOrderScreen();
        openTable("大厅05", "2");
        addDish("主食", "米饭/2元");
        addDish("凉菜", "米饭/3元");
        EXPECT_EQ(screen().listView("超级列表框_点菜").rowCount(), 1);
        // A dish text without "/" is all name, at the price 0.
        addDish("热菜", "时价鱼");
        EXPECT_EQ(line(1)[2], "时价鱼");
        EXPECT_EQ(line(1)[3], "0");
        EXPECT_EQ(lineField("时价鱼", "单价"), "0");
        EXPECT_EQ(caption("标签_总金额"), "2");
    });
}

TEST_F(OrderScreenTest, EditingNeedsACurrentOrderAndASelectedLine) {
    run([&] {
        openOrderScreen();
        addDish("主食", "米饭/2元");
        counter().click("按钮_数量加");
        counter().click("按钮_切换");
        openTable("大厅05", "2");
        const std::size_t before = desktop.messages.size();
        for (const char* button : {"按钮_数量加", "按钮_数量减", "按钮_删除"})
            counter().click(button);
        EXPECT_EQ(messagesSince(0)[0], "请选择要操作的台号！");
        EXPECT_EQ(messagesSince(0)[1], "请选择要操作的台号！");
        EXPECT_EQ(messagesSince(0)[2], "请选择要切换的台号！");
        EXPECT_EQ(messagesSince(before),
                  std::vector<std::string>(3, "请在列表内选中要操作的菜品项目！"));
    });
}

TEST_F(OrderScreenTest, SwitchingLoadsTheOtherOrderAndKeepsLabelsWhenItIsGone) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "2");
        const std::string first = caption("标签_单号");
        addDish("热菜", "红烧肉/48元");
        desktop.fakeClock.set({2022, 10, 28, 15, 0, 0});
        openTable("玉兰厅", "8");
        addDish("酒水", "青岛啤酒/8元");

        counter().pick("组合框_切换", "大厅01");
        counter().click("按钮_切换");
        EXPECT_EQ(caption("标签_单号"), first);
        EXPECT_EQ(caption("标签_当前操作"), "大厅01");
        EXPECT_EQ(caption("标签_开台时间"), "2022年10月28日14时5分9秒");
        EXPECT_EQ(caption("标签_人数"), "2");
        ASSERT_EQ(screen().listView("超级列表框_点菜").rowCount(), 1);
        EXPECT_EQ(line(0),
                  (std::vector<std::string>{"1", first, "红烧肉", "48", "1", "48", "热菜"}));
        EXPECT_EQ(caption("标签_总金额"), "48");

        // The other order was deleted elsewhere since the list was filled.
        executeSql("DELETE FROM 流水 WHERE 台号 = '玉兰厅'");
        counter().pick("组合框_切换", "玉兰厅");
        counter().click("按钮_切换");
        EXPECT_EQ(caption("标签_当前操作"), "大厅01");
        EXPECT_EQ(caption("标签_单号"), first);
        EXPECT_EQ(line(0)[2], "红烧肉");
    });
}

TEST_F(OrderScreenTest, AnOpenCheckoutScreenListsTheOpenOrdersAfterEachChange) {
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 4);
        openOrderScreen();
        openTable("大厅01", "2");
        addDish("热菜", "红烧肉/48元");
        const ui::ListView& orders = app.checkoutScreen.listView("超级列表框_流水");
        ASSERT_EQ(orders.rowCount(), 1);
        const std::vector<std::string> expected{"1",
                                                caption("标签_单号"),
                                                "2022年10月28日14时5分9秒",
                                                "大厅01",
                                                "2",
                                                "48",
                                                "未结账",
                                                "管理员"};
        for (int column = 0; column < 8; ++column)
            EXPECT_EQ(orders.cellText(0, column), expected[static_cast<std::size_t>(column)]);
        selectLine("红烧肉");
        counter().click("按钮_数量加");
        EXPECT_EQ(orders.cellText(0, 5), "96");
        EXPECT_EQ(orders.selectedRow(), -1);
        EXPECT_EQ(app.checkoutScreen.label("标签_找零").caption(), "0");
    });
}

TEST_F(OrderScreenTest, ALineTheDatabaseRefusesIsNeitherShownNorCounted) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "2");
        const std::string number = caption("标签_单号");
        addDish("热菜", "红烧肉/48元");
        executeSql("CREATE TRIGGER refuse_lines BEFORE INSERT ON 明细 "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
        const std::size_t before = desktop.messages.size();
        addDish("主食", "米饭/2元");
        EXPECT_EQ(messagesSince(before), std::vector<std::string>{"添加明细数据库失败，请检查！"});
        EXPECT_EQ(desktop.messages.back().flags, 0x30);
        EXPECT_EQ(screen().listView("超级列表框_点菜").rowCount(), 1);
        EXPECT_EQ(caption("标签_总金额"), "48");
        EXPECT_EQ(orderField(number, "金额"), "48");
    });
}

TEST_F(OrderScreenTest, AQuantityTheDatabaseRefusesIsTakenBack) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "2");
        addDish("热菜", "红烧肉/48元");
        executeSql("CREATE TRIGGER refuse_updates BEFORE UPDATE ON 明细 "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
        selectLine("红烧肉");
        const std::size_t before = desktop.messages.size();
        counter().click("按钮_数量加");
        EXPECT_EQ(messagesSince(before), std::vector<std::string>{"添加明细数据库失败，请检查！"});
        EXPECT_EQ(line(0)[4], "1");
        EXPECT_EQ(line(0)[5], "48");
        EXPECT_EQ(caption("标签_总金额"), "48");
    });
}

TEST_F(OrderScreenTest, ALineTheDatabaseWillNotDeleteStaysOnTheList) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "2");
        const std::string number = caption("标签_单号");
        addDish("热菜", "红烧肉/48元");
        executeSql("CREATE TRIGGER keep_lines BEFORE DELETE ON 明细 "
                   "BEGIN SELECT RAISE(ABORT, 'kept'); END;");
        selectLine("红烧肉");
        const std::size_t before = desktop.messages.size();
        counter().click("按钮_删除");
        EXPECT_EQ(messagesSince(before), std::vector<std::string>{"删除菜品失败，请检查！"});
        EXPECT_EQ(screen().listView("超级列表框_点菜").rowCount(), 1);
        EXPECT_EQ(orderField(number, "金额"), "48");
    });
}

// A change whose total cannot be written is not half made: its line goes back as well.
TEST_F(OrderScreenTest, ALineAndTheOrderTotalAreStoredTogetherOrNotAtAll) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "2");
        const std::string number = caption("标签_单号");
        addDish("热菜", "红烧肉/48元");
        executeSql("CREATE TRIGGER refuse_totals BEFORE UPDATE ON 流水 "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
        const std::size_t before = desktop.messages.size();
        addDish("主食", "米饭/2元");
        selectLine("红烧肉");
        counter().click("按钮_数量加");
        counter().click("按钮_删除");
        EXPECT_EQ(messagesSince(before), std::vector<std::string>(3, "写流水数据库失败，请检查！"));
        EXPECT_EQ(querySql("SELECT group_concat(菜品 || '×' || 数量) FROM 明细"), "红烧肉×1");
        EXPECT_EQ(orderField(number, "金额"), "48");
        ASSERT_EQ(screen().listView("超级列表框_点菜").rowCount(), 1);
        EXPECT_EQ(line(0)[4], "1");
        EXPECT_EQ(caption("标签_总金额"), "48");
    });
}

// Another program holding the file (a backup, a database browser) makes every change fail
// aloud and leaves the screen and the file as they were.
TEST_F(OrderScreenTest, ABusyDatabaseRefusesChangesAloudAndLosesNothing) {
    app.database.SetBusyTimeout(20);
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 4); // the checkout screen is open too
        openOrderScreen();
        openTable("大厅01", "2");
        const std::string number = caption("标签_单号");
        addDish("热菜", "红烧肉/48元");
        desktop.fakeClock.set({2022, 10, 28, 15, 0, 0});
        openTable("玉兰厅", "8");
        counter().pick("组合框_切换", "大厅01");
        counter().click("按钮_切换");
        selectLine("红烧肉");
        const std::size_t before = desktop.messages.size();
        {
            OtherProgram backup(directory.file("cysj.db"), OtherProgram::Hold::Everything);
            counter().click("按钮_删除");
            counter().click("按钮_数量加");
            addDish("主食", "米饭/2元");
            counter().pick("组合框_切换", "玉兰厅");
            counter().click("按钮_切换");
            openTable("大厅02", "2");
        }
        EXPECT_EQ(
            messagesSince(before),
            (std::vector<std::string>{"删除菜品失败，请检查！", "添加明细数据库失败，请检查！",
                                      "添加明细数据库失败，请检查！", "读取数据失败，请检查！",
                                      "开台失败，请检查！"}));
        for (std::size_t i = before; i < desktop.messages.size(); ++i)
            EXPECT_EQ(desktop.messages[i].flags, 0x30);
        EXPECT_EQ(caption("标签_当前操作"), "大厅01");
        ASSERT_EQ(screen().listView("超级列表框_点菜").rowCount(), 1);
        EXPECT_EQ(line(0),
                  (std::vector<std::string>{"1", number, "红烧肉", "48", "1", "48", "热菜"}));
        EXPECT_EQ(caption("标签_总金额"), "48");
        EXPECT_EQ(app.checkoutScreen.listView("超级列表框_流水").cellText(0, 5), "48");

        // Once the other program is done, the file holds what the screen shows.
        EXPECT_EQ(querySql("SELECT group_concat(菜品 || '×' || 数量) FROM 明细"), "红烧肉×1");
        EXPECT_EQ(orderField(number, "金额"), "48");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水"), "2");
        counter().click("按钮_删除");
        EXPECT_EQ(orderField(number, "金额"), "0");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细"), "0");
    });
}

TEST_F(OrderScreenTest, GuestsArePositiveAndFitTheStoredCount) {
    run([&] {
        openOrderScreen();
        openTable("大厅01", "99999999999");
        openTable("大厅01", "2147483648");
        EXPECT_EQ(messagesSince(0), std::vector<std::string>(2, "请正确输入人数！"));
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水"), "0");
        openTable("大厅01", "2147483647");
        EXPECT_EQ(querySql("SELECT 人数 FROM 流水"), "2147483647");
    });
}

// Amounts beyond 32 bits are kept whole; beyond 64 bits a change is refused, never cut.
TEST_F(OrderScreenTest, AmountsAreHeldInSixtyFourBitsAndNeverCut) {
    executeSql("INSERT INTO 菜品 (菜品, 分类) VALUES ('整羊/2147483647元', '热菜'), "
               "('金箔宴/9223372036854775807元', '热菜'), "
               "('天价/99999999999999999999元', '热菜');");
    run([&] {
        openOrderScreen();
        openTable("大厅01", "2");
        const std::string number = caption("标签_单号");
        addDish("热菜", "整羊/2147483647元");
        selectLine("整羊");
        counter().click("按钮_数量加");
        addDish("主食", "米饭/2元");
        EXPECT_EQ(line(0)[5], "4294967294");
        EXPECT_EQ(caption("标签_总金额"), "4294967296");
        EXPECT_EQ(lineField("整羊", "金额"), "4294967294");
        EXPECT_EQ(orderField(number, "金额"), "4294967296");

        const std::size_t before = desktop.messages.size();
        addDish("热菜", "天价/99999999999999999999元");
        addDish("热菜", "金箔宴/9223372036854775807元"); // the total would not fit
        EXPECT_EQ(messagesSince(before), std::vector<std::string>(2, "金额超出范围，请检查！"));
        EXPECT_EQ(screen().listView("超级列表框_点菜").rowCount(), 2);
        EXPECT_EQ(orderField(number, "金额"), "4294967296");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细"), "2");
    });
}

} // namespace
