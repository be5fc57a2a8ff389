#include "records/records_fixture.h"

#include <string>
#include <vector>

namespace {

using testing_support::RecordsTest;

// The first order (settled, three lines) and the second (open) of the records fixture.
const std::string kSettled = "20221001090000";
const std::string kOpen = "20221015183000";

class DeletionLogTest : public RecordsTest {
protected:
    // Lists every order, clicks the one with the number and deletes it.
    void deleteOrder(const std::string& number) {
        clerk().click("按钮_查询全部");
        for (int row = 0; row < orderList().rowCount(); ++row)
            if (orderList().cellText(row, 1) == number) clerk().clickRow("超级列表框_流水", row);
        clerk().click("按钮_删除");
    }
    void closeDayUntil(const std::string& moment) {
        executeSql("INSERT INTO 日结 (序号, 结束) VALUES ((SELECT IFNULL(MAX(序号), 0) + 1 FROM "
                   "日结), '" +
                   moment + "')");
    }
    std::string logged(const std::string& sql) { return querySql(sql); }
};

TEST_F(DeletionLogTest, ADeletedOrderAndItsLinesAreLoggedWithWhoAndWhen) {
    desktop.fakeClock.set({2022, 11, 2, 10, 30, 0});
    run([&] {
        openRecordsScreen();
        deleteOrder(kSettled);
    });
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水 WHERE 单号 = '" + kSettled + "'"), "0");
    EXPECT_EQ(logged("SELECT 删除时间 || '|' || 操作员 || '|' || 已日结 || '|' || 单号 || '|' || "
                     "台号 || '|' || 人数 || '|' || 金额 || '|' || 状态 FROM 删除记录"),
              "2022-11-02 10:30:00|管理员|0|" + kSettled + "|大厅01|2|100|1");
    EXPECT_EQ(logged("SELECT 备注 FROM 删除记录"), "[实收：100元]\r\n[找零：0元]");
    EXPECT_EQ(logged("SELECT group_concat(菜品 || '×' || 数量 || '=' || 金额, ',') FROM "
                     "(SELECT * FROM 删除明细 WHERE 单号 = '" +
                     kSettled + "' ORDER BY rowid)"),
              "红烧肉×1=48,拍黄瓜×2=24,米饭×14=28");
}

TEST_F(DeletionLogTest, AFailedLogEntryKeepsTheOrder) {
    executeSql("CREATE TRIGGER refuse BEFORE INSERT ON 删除记录 BEGIN "
               "SELECT RAISE(ABORT, 'the disk refuses'); END");
    run([&] {
        openRecordsScreen();
        deleteOrder(kSettled);
        EXPECT_EQ(desktop.messageTexts().back(), "删除失败，请检查！");
    });
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细 WHERE 单号 = '" + kSettled + "'"), "3");
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 删除明细"), "0");
}

TEST_F(DeletionLogTest, OnlyTheAdministratorDeletesFromAClosedDay) {
    // Settled before payments were recorded and opened before the close: a closed day's order.
    closeDayUntil("2022-10-20 23:00:00");
    addUser("收银员", "1", "1111111111");
    logins = {{"收银员", "1"}};
    run([&] {
        openRecordsScreen();
        deleteOrder(kSettled);
        EXPECT_EQ(desktop.messageTexts().back(), "该单所在的营业日已日结，只有管理员可以删除！");
        deleteOrder(kOpen); // an open order belongs to no closed day
    });
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水 WHERE 单号 = '" + kSettled + "'"), "1");
    EXPECT_EQ(querySql("SELECT 单号 || '|' || 已日结 FROM 删除记录"), kOpen + "|0");

    logins = {{"管理员", "admin"}};
    run([&] {
        openRecordsScreen();
        deleteOrder(kSettled);
    });
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水 WHERE 单号 = '" + kSettled + "'"), "0");
    EXPECT_EQ(
        querySql("SELECT 已日结 || '|' || 操作员 FROM 删除记录 WHERE 单号 = '" + kSettled + "'"),
        "1|管理员");
}

TEST_F(DeletionLogTest, ARecordedSettlementDecidesTheDayOfTheOrder) {
    // Opened before the close but settled after it: it belongs to the next day.
    executeSql("INSERT INTO 结账记录 (单号, 结账时间) VALUES ('" + kSettled +
               "', '2022-10-21 08:00:00')");
    closeDayUntil("2022-10-20 23:00:00");
    addUser("收银员", "1", "1111111111");
    logins = {{"收银员", "1"}};
    run([&] {
        openRecordsScreen();
        deleteOrder(kSettled);
    });
    EXPECT_EQ(querySql("SELECT 已日结 FROM 删除记录 WHERE 单号 = '" + kSettled + "'"), "0");
}

} // namespace
