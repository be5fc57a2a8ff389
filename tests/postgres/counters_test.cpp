// Several counters on one PostgreSQL server: the whole program twice, on fake desktops, acting at
// the same tables.

#include "app/app_fixture.h"
#include "common/test_directory.h"
#include "postgres/test_server.h"
#include "program/program.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using testing_support::Login;
using testing_support::ScreenDriver;

constexpr char kTableTaken[] = "您要开的台号已开或未结账，请更换台号！";
constexpr char kOrderClosed[] = "此单已结账或已删除，不能再修改！";
constexpr char kDishThere[] = "要添加的菜品已存在，如需增加数量请按 ‘ 数量+ ’ 按钮！";

// One counter: the program on a desktop of its own, its data on the server.
struct Counter {
    explicit Counter(const store::DatabaseSetting& setting)
        : desktop(directory.path()), app(desktop) {
        app.databaseSetting = setting;
        program::bindScreens(app);
    }

    void run(const std::function<void()>& atMainWindow) {
        testing_support::runProgram(app, desktop, logins, atMainWindow);
    }

    ScreenDriver order() { return ScreenDriver(app.orderScreen); }
    void openOrderScreen() { ScreenDriver(app.mainWindow).clickToolButton("工具条1", 3); }
    void openCheckoutScreen() { ScreenDriver(app.mainWindow).clickToolButton("工具条1", 4); }
    void openTable(const std::string& table) {
        order().pick("组合框_餐台", table);
        order().retype("组合框_人数", "2");
        order().click("按钮_开台");
    }
    void switchTo(const std::string& table) {
        order().pick("组合框_切换", table);
        order().click("按钮_切换");
    }
    void addDish(const std::string& category, const std::string& dish) {
        order().chooseGroup("卷帘式菜单_点菜", category);
        order().chooseItem("卷帘式菜单_点菜", dish);
    }
    void changeQuantity(const std::string& dish, const char* button) {
        ui::ListView& list = app.orderScreen.listView("超级列表框_点菜");
        for (int row = 0; row < list.rowCount(); ++row) {
            if (list.cellText(row, 2) != dish) continue;
            order().clickRow("超级列表框_点菜", row);
            return order().click(button);
        }
        ADD_FAILURE() << "no line " << dish;
    }
    std::vector<std::string> shownLines() {
        std::vector<std::string> lines;
        const ui::ListView& list = app.orderScreen.listView("超级列表框_点菜");
        for (int row = 0; row < list.rowCount(); ++row)
            lines.push_back(list.cellText(row, 2) + "×" + list.cellText(row, 4));
        return lines;
    }
    std::vector<std::string> openTables() {
        std::vector<std::string> tables;
        const ui::ComboBox& open = app.orderScreen.comboBox("组合框_切换");
        for (int item = 0; item < open.itemCount(); ++item)
            tables.push_back(open.itemText(item));
        return tables;
    }
    std::string lastMessage() {
        const auto texts = desktop.messageTexts();
        return texts.empty() ? "" : texts.back();
    }

    testing_support::TestDirectory directory;
    testing_support::FakeDesktop desktop;
    app::App app;
    std::deque<Login> logins{{"管理员", "admin"}};
};

class CountersTest : public ::testing::Test {
protected:
    std::string onServer(const std::string& sql) { return server.sql(sql); }
    // Every order's stored total is the sum of its lines.
    void expectTotalsAddUp() {
        EXPECT_EQ(
            onServer("SELECT COUNT(*) FROM 流水 o WHERE o.金额 <> (SELECT COALESCE(SUM(金额), "
                     "0) FROM 明细 l WHERE l.单号 = o.单号)"),
            "0");
    }

    testing_support::ServerDatabase server;
};

TEST_F(CountersTest, OfTwoCountersOpeningOneTableOneGetsItAndTheOtherIsToldSo) {
    Counter bar(server.setting());
    Counter hall(server.setting());
    bar.run([&] {
        hall.run([&] {
            bar.openOrderScreen();
            hall.openOrderScreen(); // lists no open table yet
            bar.openTable("大厅01");
            EXPECT_EQ(bar.lastMessage(), "开台成功！");
            hall.openTable("大厅01");
            EXPECT_EQ(hall.lastMessage(), kTableTaken);
            EXPECT_EQ(hall.openTables(), std::vector<std::string>{"大厅01"})
                << "the refused counter now lists the table as open";
            EXPECT_EQ(onServer("SELECT COUNT(*) FROM 流水 WHERE 台号 = '大厅01' AND 状态 = 0"),
                      "1");
        });
    });
}

TEST_F(CountersTest, ChangesFromTwoCountersStartFromTheStoredOrderAndStopOnceItIsSettled) {
    Counter bar(server.setting());
    Counter hall(server.setting());
    bar.run([&] {
        hall.run([&] {
            bar.openOrderScreen();
            bar.openTable("大厅03");
            hall.openOrderScreen();
            hall.switchTo("大厅03");

            bar.addDish("热菜", "鱼香肉丝/28元");
            hall.addDish("主食", "米饭/2元");
            hall.addDish("热菜", "鱼香肉丝/28元"); // added by the bar meanwhile
            EXPECT_EQ(hall.lastMessage(), kDishThere);
            EXPECT_EQ(hall.shownLines(), (std::vector<std::string>{"鱼香肉丝×1", "米饭×1"}))
                << "the refused counter shows the order as stored";

            // Both add one from a list showing 1: neither addition is lost.
            bar.changeQuantity("鱼香肉丝", "按钮_数量加");
            hall.changeQuantity("鱼香肉丝", "按钮_数量加");
            EXPECT_EQ(onServer("SELECT 数量 FROM 明细 WHERE 菜品 = '鱼香肉丝'"), "3");
            EXPECT_EQ(hall.shownLines(), (std::vector<std::string>{"鱼香肉丝×3", "米饭×1"}));
            EXPECT_EQ(onServer("SELECT COUNT(*) FROM 明细"), "2");
            expectTotalsAddUp();

            // The bar settles for what it saw; a line the hall adds meanwhile stops it once.
            bar.openCheckoutScreen();
            ScreenDriver cashier(bar.app.checkoutScreen);
            cashier.clickRow("超级列表框_流水", 0);
            EXPECT_EQ(bar.app.checkoutScreen.label("标签_金额").caption(), "86");
            cashier.type("编辑框_金额", "100");
            hall.changeQuantity("米饭", "按钮_数量加");
            cashier.click("按钮_结账");
            EXPECT_EQ(bar.lastMessage(), "此单金额已变动，请核对后再结账！");
            EXPECT_EQ(bar.app.checkoutScreen.label("标签_金额").caption(), "88");
            EXPECT_EQ(bar.app.checkoutScreen.editBox("编辑框_金额").content(), "100")
                << "what the cashier typed stays";
            EXPECT_EQ(onServer("SELECT 状态 FROM 流水"), "0");
            cashier.click("按钮_结账");
            EXPECT_EQ(bar.lastMessage(), "结账成功！");
            EXPECT_EQ(onServer("SELECT 应收 || '/' || 找零 FROM 结账记录"), "88/12");

            // The hall's next change is refused and changes nothing.
            hall.changeQuantity("米饭", "按钮_数量加");
            EXPECT_EQ(hall.lastMessage(), kOrderClosed);

            hall.addDish("酒水", "青岛啤酒/8元");
            EXPECT_EQ(hall.lastMessage(), kOrderClosed);
            EXPECT_EQ(onServer("SELECT SUM(数量) FROM 明细"), "5");
            EXPECT_EQ(onServer("SELECT 金额 FROM 流水"), "88");
            expectTotalsAddUp();
        });
    });
}

TEST_F(CountersTest, TheOtherCounterListsFollowAChangeWithinASecondWithoutAClick) {
    Counter bar(server.setting());
    Counter hall(server.setting());
    bar.run([&] {
        hall.run([&] {
            hall.openOrderScreen();
            hall.openCheckoutScreen();
            bar.openOrderScreen();
            bar.openTable("大厅04");
            bar.addDish("凉菜", "拍黄瓜/12元");

            // The hall's refresh timer ticks four times a second on screen.
            const auto start = std::chrono::steady_clock::now();
            const ui::ListView& orders = hall.app.checkoutScreen.listView("超级列表框_流水");
            while (std::chrono::steady_clock::now() - start < std::chrono::seconds(1) &&
                   (hall.openTables().empty() || orders.rowCount() == 0 ||
                    orders.cellText(0, 5) != "12")) {
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
                hall.desktop.tickTimers();
            }
            EXPECT_EQ(hall.openTables(), std::vector<std::string>{"大厅04"});
            ASSERT_EQ(orders.rowCount(), 1);
            EXPECT_EQ(orders.cellText(0, 3), "大厅04");
            EXPECT_EQ(orders.cellText(0, 5), "12");
            EXPECT_TRUE(hall.desktop.messageTexts().empty());
        });
    });
}

// The screens beyond ordering read the server with SQL of their own: the records, the day close
// and the report go through a whole day there.
TEST_F(CountersTest, AWholeDayGoesThroughTheServer) {
    Counter bar(server.setting());
    bar.run([&] {
        bar.openOrderScreen();
        bar.openTable("大厅01");
        bar.addDish("热菜", "鱼香肉丝/28元");
        bar.addDish("主食", "米饭/2元");
        bar.desktop.fakeClock.set({2022, 10, 28, 14, 6, 0});
        bar.openTable("大厅02");
        bar.addDish("热菜", "红烧肉/48元");
        bar.switchTo("大厅01");
        bar.openCheckoutScreen();
        ScreenDriver cashier(bar.app.checkoutScreen);
        const ui::ListView& open = bar.app.checkoutScreen.listView("超级列表框_流水");
        ASSERT_EQ(open.rowCount(), 2);
        cashier.clickRow("超级列表框_流水", open.cellText(0, 3) == "大厅01" ? 0 : 1);
        cashier.type("编辑框_金额", "50");
        cashier.click("按钮_结账");
        EXPECT_EQ(bar.lastMessage(), "结账成功！");
        EXPECT_EQ(onServer("SELECT 实收 || '/' || 找零 FROM 结账记录"), "50/20");

        ScreenDriver(bar.app.mainWindow).clickToolButton("工具条1", 6);
        ScreenDriver clerk(bar.app.recordsScreen);
        clerk.click("按钮_查询全部");
        const ui::ListView& records = bar.app.recordsScreen.listView("超级列表框_流水");
        ASSERT_EQ(records.rowCount(), 2);
        clerk.clickRow("超级列表框_流水", records.cellText(0, 3) == "大厅02" ? 0 : 1);
        clerk.click("按钮_删除");
        EXPECT_EQ(onServer("SELECT 台号 FROM 删除记录"), "大厅02");
        EXPECT_EQ(onServer("SELECT COUNT(*) FROM 明细"), "2");
        EXPECT_EQ(records.rowCount(), 1);

        ScreenDriver(bar.app.mainWindow).clickToolButton("工具条1", 9);
        ScreenDriver closing(bar.app.dayCloseScreen);
        closing.type("编辑框_实点现金", "30");
        bar.desktop.fakeClock.set({2022, 10, 28, 22, 0, 0});
        closing.click("按钮_确认日结");
        EXPECT_EQ(bar.lastMessage(), "日结成功：Z1！");
        EXPECT_EQ(onServer("SELECT 单数 || '/' || 应收合计 || '/' || 删除单数 FROM 日结"),
                  "1/30/1");

        ScreenDriver(bar.app.mainWindow).clickToolButton("工具条1", 10);
        ScreenDriver(bar.app.reportsScreen).click("按钮_查询");
        const ui::ListView& summary = bar.app.reportsScreen.listView("超级列表框_概况");
        std::string revenue;
        for (int row = 0; row < summary.rowCount(); ++row)
            if (summary.cellText(row, 0) == "营业额（元）") revenue = summary.cellText(row, 1);
        EXPECT_EQ(revenue, "30");

        // The server's backups are pg_dump's: the program's own copy of cysj.db is not offered.
        ScreenDriver(bar.app.mainWindow).chooseMenuItem("备份与恢复");
        EXPECT_FALSE(bar.app.backupScreen.isOpen());
        EXPECT_NE(bar.lastMessage().find("pg_dump"), std::string::npos) << bar.lastMessage();

        const std::vector<std::string> said = bar.desktop.messageTexts();
        EXPECT_EQ(std::count_if(said.begin(), said.end(),
                                [](const std::string& text) {
                                    return text.find("失败") != std::string::npos;
                                }),
                  0);
    });
}

// A deletion from a long list takes the row out of it, as on a file, unless another counter
// committed something since the list was read: then the list is read again.
TEST_F(CountersTest, ADeletionReadsTheListAgainOnlyWhenAnotherCounterChangedSomething) {
    Counter bar(server.setting());
    Counter hall(server.setting());
    bar.run([&] {
        hall.run([&] {
            hall.openOrderScreen();
            hall.openTable("大厅01");
            hall.desktop.fakeClock.set({2022, 10, 28, 14, 6, 0});
            hall.openTable("大厅02");
            hall.desktop.fakeClock.set({2022, 10, 28, 14, 7, 0});
            hall.openTable("大厅03");

            ScreenDriver(bar.app.mainWindow).clickToolButton("工具条1", 6);
            ScreenDriver clerk(bar.app.recordsScreen);
            clerk.click("按钮_查询全部");
            const ui::ListView& records = bar.app.recordsScreen.listView("超级列表框_流水");
            ASSERT_EQ(records.rowCount(), 3);

            // Written behind every counter's back, so counted by none: a list taken out of
            // does not show it, a list read again would.
            onServer("INSERT INTO 流水 (单号, 台号, 人数, 金额, 状态) VALUES "
                     "('20221028150000', '牡丹厅', 2, 0, 0)");
            clerk.clickRow("超级列表框_流水", 0);
            clerk.click("按钮_删除");
            EXPECT_EQ(records.rowCount(), 2) << "taken out of the list, not read again";

            hall.desktop.fakeClock.set({2022, 10, 28, 14, 8, 0});
            hall.openTable("大厅04");
            clerk.clickRow("超级列表框_流水", 0);
            clerk.click("按钮_删除");
            EXPECT_EQ(records.rowCount(), 3) << "read again: 大厅03, 牡丹厅 and 大厅04";
            EXPECT_EQ(onServer("SELECT COUNT(*) FROM 流水"), "3");
        });
    });
}

// A server of its own, stopped and started again while a counter works.
TEST(ServerAway, EachActionFailsAloudWhileItIsAwayAndTheCounterGoesOnOnceItIsBack) {
    testing_support::TestDirectory folder;
    const std::string cluster = "/tmp/veltrano-away-" + folder.path().filename().string();
    const std::string script = VELTRANO_TEST_CLUSTER_SCRIPT;
    ASSERT_EQ(std::system((script + " start " + cluster).c_str()), 0);
    {
        testing_support::ServerDatabase server({}, cluster);
        Counter bar(server.setting());
        bar.run([&] {
            bar.openOrderScreen();
            bar.openTable("大厅02");
            bar.addDish("热菜", "红烧肉/48元");

            ASSERT_EQ(std::system((script + " pause " + cluster).c_str()), 0);
            const std::size_t before = bar.desktop.messageTexts().size();
            bar.addDish("主食", "米饭/2元");
            bar.changeQuantity("红烧肉", "按钮_数量加");
            bar.openTable("大厅05");
            const auto texts = bar.desktop.messageTexts();
            EXPECT_EQ(
                std::vector<std::string>(texts.begin() + static_cast<long>(before), texts.end()),
                (std::vector<std::string>{"添加明细数据库失败，请检查！",
                                          "添加明细数据库失败，请检查！", "开台失败，请检查！"}));
            EXPECT_EQ(bar.shownLines(), std::vector<std::string>{"红烧肉×1"});

            ASSERT_EQ(std::system((script + " resume " + cluster).c_str()), 0);
            bar.addDish("主食", "米饭/2元");
            bar.changeQuantity("红烧肉", "按钮_数量加");
            EXPECT_EQ(bar.shownLines(), (std::vector<std::string>{"红烧肉×2", "米饭×1"}));
            EXPECT_EQ(server.sql("SELECT 金额 FROM 流水"), "98");
            EXPECT_EQ(server.sql("SELECT COUNT(*) FROM 明细"), "2");
            EXPECT_EQ(server.sql("SELECT COUNT(*) FROM 流水"), "1") << "nothing half-done";

            // A server restarted between two actions is not even noticed.
            ASSERT_EQ(std::system((script + " pause " + cluster).c_str()), 0);
            ASSERT_EQ(std::system((script + " resume " + cluster).c_str()), 0);
            const std::size_t quiet = bar.desktop.messageTexts().size();
            bar.changeQuantity("米饭", "按钮_数量加");
            EXPECT_EQ(bar.desktop.messageTexts().size(), quiet);
            EXPECT_EQ(server.sql("SELECT 金额 FROM 流水"), "100");
        });
    }
    std::system((script + " stop " + cluster).c_str());
}

} // namespace
