#include "checkout/checkout_fixture.h"
#include "common/other_program.h"

#include <string>
#include <vector>

namespace {

using testing_support::CheckoutScreenTest;

TEST_F(CheckoutScreenTest, SettlingStoresTheRemarkAndEmptiesTheScreen) {
    addOrder("20221028120000", "大厅01", 80);
    addLine("20221028120000", "红烧肉", 48, 1);
    addLine("20221028120000", "拍黄瓜", 16, 2);
    addOrder("20221028120500", "大厅02", 30, 2); // neither open nor settled: never listed
    run([&] {
        openCheckoutScreen();
        EXPECT_EQ(screen().left(), app.mainWindow.left());
        expectFieldsReset();
        ASSERT_EQ(orderList().rowCount(), 1);
        EXPECT_EQ(orderList().cellText(0, 6), "未结账");

        cashier().clickRow("超级列表框_流水", 0);
        const ui::ListView& lines = screen().listView("超级列表框_明细");
        ASSERT_EQ(lines.rowCount(), 2);
        EXPECT_EQ(lines.cellText(1, 0), "2");
        EXPECT_EQ(lines.cellText(1, 2), "拍黄瓜");
        EXPECT_EQ(lines.cellText(1, 5), "32");
        EXPECT_EQ(caption("标签_台号"), "大厅01");
        EXPECT_EQ(caption("标签_金额"), "80");

        cashier().type("编辑框_金额", "65");
        EXPECT_EQ(caption("标签_找零"), "-15");
        EXPECT_EQ(content("编辑框_备注"), "[实收：65元]\r\n[找零：-15元]");
        cashier().type("编辑框_备注文本", "开发票");
        cashier().click("按钮_结账");
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"结账成功！"});
        EXPECT_EQ(desktop.messages[0].flags, 0x40);
        EXPECT_EQ(field("20221028120000", "状态"), "1");
        EXPECT_EQ(field("20221028120000", "备注"), "[实收：65元]\r\n[找零：-15元]开发票");
        EXPECT_EQ(orderList().rowCount(), 0);
        EXPECT_EQ(lines.rowCount(), 0);
        expectFieldsReset();
    });
}

TEST_F(CheckoutScreenTest, OnlyAWholeNumberOfYuanIsTakenAsReceived) {
    addOrder("20221028120000", "大厅01", 80);
    run([&] {
        openCheckoutScreen();
        cashier().clickRow("超级列表框_流水", 0);
        cashier().type("编辑框_金额", "-");
        EXPECT_EQ(caption("标签_找零"), "-80");
        for (const char* typed : {"-", "-100", "--5", "5-3", "99999999999999999999", "１００"}) {
            cashier().retype("编辑框_金额", typed);
            cashier().click("按钮_结账");
            EXPECT_EQ(desktop.messageTexts().back(), "请正确输入金额！") << typed;
        }
        EXPECT_EQ(field("20221028120000", "状态"), "0");
        EXPECT_EQ(desktop.messages.size(), 6u);
        EXPECT_EQ(caption("标签_台号"), "大厅01") << "a refusal keeps the order chosen";

        cashier().retype("编辑框_金额", "0080");
        cashier().click("按钮_结账");
        EXPECT_EQ(field("20221028120000", "备注"), "[实收：0080元]\r\n[找零：0元]");
    });
}

TEST_F(CheckoutScreenTest, AnAmountTypedBeforeAnotherClickKeepsItsChange) {
    addOrder("20221028120000", "大厅01", 80);
    addOrder("20221028120500", "大厅02", 50);
    run([&] {
        openCheckoutScreen();
        cashier().clickRow("超级列表框_流水", 0);
        cashier().type("编辑框_金额", "100");
        cashier().clickRow("超级列表框_流水", 1);
        EXPECT_EQ(caption("标签_金额"), "50");
        EXPECT_EQ(caption("标签_找零"), "20");
        EXPECT_EQ(content("编辑框_金额"), "100");
        cashier().click("按钮_结账");
        EXPECT_EQ(field("20221028120500", "备注"), "[实收：100元]\r\n[找零：20元]");
        EXPECT_EQ(field("20221028120000", "状态"), "0");
    });
}

TEST_F(CheckoutScreenTest, AClickOnTheEmptyPartEmptiesTheLinesAndFields) {
    addOrder("20221028120000", "大厅01", 80);
    addLine("20221028120000", "红烧肉", 48, 1);
    run([&] {
        openCheckoutScreen();
        cashier().clickRow("超级列表框_流水", 0);
        cashier().type("编辑框_金额", "100");
        cashier().clickEmptySpace("超级列表框_流水");
        EXPECT_EQ(screen().listView("超级列表框_明细").rowCount(), 0);
        expectFieldsReset();
    });
}

TEST_F(CheckoutScreenTest, OfTwoRecordsWithOneNumberAndTableTheFirstIsSettled) {
    addOrder("20221028120000", "大厅01", 80);
    addOrder("20221028120000", "大厅01", 90);
    run([&] {
        openCheckoutScreen();
        ASSERT_EQ(orderList().rowCount(), 2);
        cashier().clickRow("超级列表框_流水", 1); // the second row, but the same number
        cashier().type("编辑框_金额", "100");
        cashier().click("按钮_结账");
        EXPECT_EQ(field("20221028120000", "状态", 0), "1");
        EXPECT_EQ(field("20221028120000", "状态", 1), "0");
        ASSERT_EQ(orderList().rowCount(), 1);
        EXPECT_EQ(orderList().cellText(0, 5), "90");
    });
}

TEST_F(CheckoutScreenTest, EnterInTheAmountBoxSettlesLikeTheButton) {
    addOrder("20221028120000", "大厅01", 80);
    run([&] {
        openCheckoutScreen();
        cashier().pressEnter("编辑框_金额");
        cashier().clickRow("超级列表框_流水", 0);
        cashier().pressKey("编辑框_金额", ui::kKeyEnter, ui::kModifierCtrl);
        cashier().type("编辑框_金额", "80");
        cashier().pressKey("编辑框_金额", 'A');
        cashier().pressEnter("编辑框_金额");
        EXPECT_EQ(
            desktop.messageTexts(),
            (std::vector<std::string>{"请选择要结账的台号！", "请正确输入金额！", "结账成功！"}));
        EXPECT_EQ(desktop.messages[1].flags, 0x30);
        EXPECT_EQ(field("20221028120000", "状态"), "1");
    });
}

TEST_F(CheckoutScreenTest, ACheckoutResetsAnOpenOrderScreen) {
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 3);
        auto counter = person(app.orderScreen);
        counter.pick("组合框_餐台", "大厅03");
        counter.retype("组合框_人数", "2");
        counter.click("按钮_开台");
        counter.chooseGroup("卷帘式菜单_点菜", "热菜");
        counter.chooseItem("卷帘式菜单_点菜", "红烧肉/48元");

        openCheckoutScreen();
        cashier().clickRow("超级列表框_流水", 0);
        EXPECT_EQ(caption("标签_金额"), "48");
        cashier().type("编辑框_金额", "50");
        cashier().click("按钮_结账");

        ui::Window& order = app.orderScreen;
        for (const char* label : {"标签_单号", "标签_当前操作", "标签_开台时间"})
            EXPECT_EQ(order.label(label).caption(), "") << label;
        for (const char* label : {"标签_人数", "标签_菜品总数", "标签_总金额"})
            EXPECT_EQ(order.label(label).caption(), "0") << label;
        EXPECT_EQ(order.listView("超级列表框_点菜").rowCount(), 0);
        EXPECT_EQ(order.comboBox("组合框_切换").itemCount(), 0);
        desktop.fakeClock.set({2022, 10, 28, 15, 0, 0});
        counter.pick("组合框_餐台", "大厅03"); // settled, so it can be opened again
        counter.retype("组合框_人数", "2");
        counter.click("按钮_开台");
        EXPECT_EQ(desktop.messageTexts().back(), "开台成功！");
    });
}

TEST_F(CheckoutScreenTest, ASettleTheDatabaseRefusesIsReportedAndStaysOpen) {
    addOrder("20221028120000", "大厅01", 80);
    executeSql("CREATE TRIGGER refuse_settling BEFORE UPDATE ON 流水 "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    run([&] {
        openCheckoutScreen();
        cashier().clickRow("超级列表框_流水", 0);
        cashier().type("编辑框_金额", "100");
        cashier().click("按钮_结账");
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"结账失败，请检查！"});
        EXPECT_EQ(desktop.messages[0].flags, 0x30);
        EXPECT_EQ(field("20221028120000", "状态"), "0");
        ASSERT_EQ(orderList().rowCount(), 1);
        EXPECT_EQ(orderList().cellText(0, 1), "20221028120000");
    });
}

// A settle that meets another program's lock says so and keeps what the cashier typed.
TEST_F(CheckoutScreenTest, ABusyDatabaseIsToldAndTheBillStaysOpen) {
    addOrder("20221028120000", "大厅01", 80);
    addLine("20221028120000", "红烧肉", 48, 1);
    app.database.SetBusyTimeout(20);
    run([&] {
        openCheckoutScreen();
        {
            testing_support::OtherProgram backup(directory.file("cysj.db"),
                                                 testing_support::OtherProgram::Hold::Everything);
            cashier().clickRow("超级列表框_流水", 0);
            EXPECT_EQ(screen().listView("超级列表框_明细").rowCount(), 0);
            cashier().type("编辑框_金额", "100");
            cashier().click("按钮_结账");
        }
        EXPECT_EQ(desktop.messageTexts(),
                  (std::vector<std::string>{"读取数据失败，请检查！", "结账失败，请检查！"}));
        EXPECT_EQ(field("20221028120000", "状态"), "0");
        EXPECT_EQ(content("编辑框_金额"), "100");
        EXPECT_EQ(orderList().selectedRow(), 0);

        cashier().click("按钮_结账"); // the lock is gone: now it goes through
        EXPECT_EQ(desktop.messageTexts().back(), "结账成功！");
        EXPECT_EQ(field("20221028120000", "状态"), "1");
    });
}

TEST_F(CheckoutScreenTest, StoredNumbersBeyondThirtyTwoBitsShowWhole) {
    executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作) VALUES "
               "('20221028120000', '2022年10月28日12时', '大厅01', 2, 199999999998, 0, '管理员');"
               "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES "
               "('20221028120000', '整羊', 99999999999, 2, 199999999998, '热菜');");
    run([&] {
        openCheckoutScreen();
        EXPECT_EQ(orderList().cellText(0, 5), "199999999998");
        cashier().clickRow("超级列表框_流水", 0);
        const ui::ListView& lines = screen().listView("超级列表框_明细");
        EXPECT_EQ(lines.cellText(0, 3), "99999999999");
        EXPECT_EQ(lines.cellText(0, 5), "199999999998");
        cashier().type("编辑框_金额", "200000000000");
        EXPECT_EQ(caption("标签_找零"), "2");
    });
}

} // namespace
