#include "app/app_fixture.h"
#include "dayclose/day_figures.h"

#include <limits>
#include <string>

namespace {

using dayclose::closeDay;
using dayclose::computeDay;

class DayFiguresTest : public testing_support::AppTest {
protected:
    DayFiguresTest() { app.currentUser.name = "管理员"; }

    void order(const std::string& number, int guests, std::int64_t amount, int state) {
        executeSql("INSERT INTO 流水 (单号, 台号, 人数, 金额, 状态) VALUES ('" + number +
                   "', '大厅01', " + std::to_string(guests) + ", " + std::to_string(amount) + ", " +
                   std::to_string(state) + ")");
    }
    void settlement(const std::string& number, const std::string& moment, std::int64_t due,
                    std::int64_t received, const std::string& way) {
        executeSql("INSERT INTO 结账记录 VALUES ('" + number + "', '" + moment + "', " +
                   std::to_string(due) + ", " + std::to_string(received) + ", " +
                   std::to_string(received - due) + ", '" + way + "', '管理员')");
    }
    // An order settled at the moment, with its settlement.
    void bill(const std::string& number, const std::string& moment, int guests, std::int64_t due,
              std::int64_t received, const std::string& way) {
        order(number, guests, due, 1);
        settlement(number, moment, due, received, way);
    }
};

// The evening of the 27th was closed at 23:00 with 200 元 left in the drawer; the night goes on
// past midnight and is closed at 01:00.
TEST_F(DayFiguresTest, APageAddsUpExactlyToTheOrdersOfItsPeriodAcrossMidnight) {
    executeSql("INSERT INTO 日结 (序号, 结束, 下次备用金) VALUES (1, '2022-10-27 23:00:00', 200)");
    bill("20221027200000", "2022-10-27 22:59:59", 3, 500, 500, "现金"); // the last close's
    bill("20221027213000", "2022-10-27 23:30:00", 2, 80, 100, "现金");
    bill("20221027224500", "2022-10-28 00:30:00", 4, 120, 120, "微信");
    bill("20221028000500", "2022-10-28 01:00:00", 1, 50, 50, "支付宝");
    bill("20221028003000", "2022-10-28 01:00:01", 5, 70, 70, "现金"); // the next page's
    order("20221028001500", 6, 30, 1);  // settled by an older program: 未记录
    order("20221027220000", 2, 999, 1); // older program, opened before the last close
    order("20221028004000", 3, 60, 0);  // still at its table
    settlement("20221027230000", "2022-10-28 00:20:00", 45, 45, "现金"); // its order deleted
    executeSql("INSERT INTO 删除记录 (删除时间, 单号, 金额) VALUES ('2022-10-28 00:40:00', "
               "'20221027230000', 45), ('2022-10-27 21:00:00', '20221027180000', 10)");

    const auto computed = computeDay(app, "2022-10-28 01:00:00");
    ASSERT_TRUE(computed.figures) << computed.failure;
    const dayclose::DayFigures& day = *computed.figures;
    EXPECT_EQ(day.from, "2022-10-27 23:00:00");
    EXPECT_EQ(day.bills, 4);
    EXPECT_EQ(day.guests, 2 + 4 + 1 + 6);
    EXPECT_EQ(day.due, 80 + 120 + 50 + 30);
    EXPECT_EQ(day.dueByWay, (std::array<std::int64_t, 6>{80, 120, 50, 0, 0, 30}));
    EXPECT_EQ(day.firstOrder, "20221027213000");
    EXPECT_EQ(day.lastOrder, "20221028001500");
    EXPECT_EQ(day.cashReceived, 100);
    EXPECT_EQ(day.cashChange, 20);
    EXPECT_EQ(day.openingFloat, 200);
    EXPECT_EQ(day.expectedCash, 200 + 100 - 20);
    EXPECT_EQ(day.openOrders, 1);
    EXPECT_EQ(day.openAmount, 60);
    EXPECT_EQ(day.deletedOrders, 1);
    EXPECT_EQ(day.deletedAmount, 45);
}

TEST_F(DayFiguresTest, SumsBeyond64BitsAreRefusedInsteadOfWrapped) {
    const std::int64_t most = std::numeric_limits<std::int64_t>::max();
    executeSql("INSERT INTO 日结 (序号, 结束) VALUES (1, '2022-10-27 23:00:00')");
    bill("20221028100000", "2022-10-28 10:00:00", 1, most, most, "微信");
    bill("20221028110000", "2022-10-28 11:00:00", 1, 1, 1, "微信");
    const auto computed = computeDay(app, "2022-10-28 23:00:00");
    EXPECT_FALSE(computed.figures);
    EXPECT_EQ(computed.failure, "金额超出范围");
    EXPECT_FALSE(closeDay(app, "2022-10-28 23:00:00", 0, 0).close);
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 日结"), "1");
}

TEST_F(DayFiguresTest, ZNumbersFollowWithoutAGapEvenWhenACloseFails) {
    bill("20221028100000", "2022-10-28 10:00:00", 2, 80, 100, "现金");
    const auto first = closeDay(app, "2022-10-28 22:00:00", 150, 100);
    ASSERT_TRUE(first.close) << first.failure;
    EXPECT_EQ(first.close->number, 1);
    EXPECT_EQ(first.close->figures.expectedCash, 80);
    EXPECT_EQ(first.close->difference, 70);

    executeSql("CREATE TRIGGER refuse BEFORE INSERT ON 日结 BEGIN "
               "SELECT RAISE(ABORT, 'the disk refuses'); END");
    bill("20221029100000", "2022-10-29 10:00:00", 2, 40, 40, "银行卡");
    EXPECT_FALSE(closeDay(app, "2022-10-29 22:00:00", 100, 100).close);
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 日结"), "1");

    executeSql("DROP TRIGGER refuse");
    const auto second = closeDay(app, "2022-10-29 22:30:00", 100, 100);
    ASSERT_TRUE(second.close) << second.failure;
    EXPECT_EQ(second.close->number, 2);
    EXPECT_EQ(second.close->figures.from, "2022-10-28 22:00:00");
    EXPECT_EQ(second.close->figures.openingFloat, 100);
    EXPECT_EQ(second.close->figures.bills, 1);
    EXPECT_EQ(second.close->figures.dueByWay[3], 40);

    const auto listed = dayclose::listCloses(app);
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 2u);
    EXPECT_EQ((*listed)[0].number, 2);
    EXPECT_EQ((*listed)[0].closedBy, "管理员");
    EXPECT_EQ((*listed)[0].figures.dueByWay, second.close->figures.dueByWay);
    EXPECT_EQ((*listed)[1].difference, 70);
    EXPECT_EQ((*listed)[1].countedCash, 150);
    EXPECT_EQ((*listed)[1].nextFloat, 100);
    EXPECT_EQ((*listed)[1].figures.lastOrder, "20221028100000");
}

TEST_F(DayFiguresTest, TheFirstCloseCountsUnrecordedOrdersFromTheDayOfTheFirstSettlement) {
    order("20221027120000", 2, 300, 1); // history before payments were recorded
    order("20221028090000", 2, 30, 1);  // the same morning, by an older program
    bill("20221028100000", "2022-10-28 10:00:00", 2, 80, 80, "现金");
    const auto computed = computeDay(app, "2022-10-28 22:00:00");
    ASSERT_TRUE(computed.figures);
    EXPECT_EQ(computed.figures->from, "");
    EXPECT_EQ(computed.figures->bills, 2);
    EXPECT_EQ(computed.figures->dueByWay[5], 30);
}

} // namespace
