#include "common/other_program.h"
#include "records/records_fixture.h"

namespace {

using testing_support::OtherProgram;
using testing_support::RecordsTest;
using Numbers = std::vector<std::string>;
using Texts = std::vector<std::string>;

const std::string kFirst = "20221001090000";
const std::string kSecond = "20221015183000";
const std::string kThird = "20221031235959";
const std::string kFourth = "20221101120000";

TEST_F(RecordsTest, TheScreenShowsNothingUntilAQueryListsEveryOrderWithItsTotals) {
    run([&] {
        openRecordsScreen();
        EXPECT_EQ(screen().top(), app.mainWindow.top() + 105);
        EXPECT_EQ(orderList().rowCount(), 0);
        EXPECT_EQ(totals(), Numbers(4, "0"));
        clerk().click("按钮_查询全部");
        EXPECT_EQ(listedNumbers(), (Numbers{kFirst, kSecond, kThird, kFourth}));
        EXPECT_EQ(orderList().cellText(0, 0), "1");
        EXPECT_EQ(orderList().cellText(0, 6), "已结账");
        EXPECT_EQ(orderList().cellText(1, 6), "未结账");
        EXPECT_EQ(orderList().cellText(0, 8), "[实收：100元]\r\n[找零：0元]");
        EXPECT_EQ(totals(), (Numbers{"12", "548", "150", "398"}));
    });
}

TEST_F(RecordsTest, AmountsBeyondTwoBillionStillAddUp) {
    executeSql("UPDATE 流水 SET 金额 = 2000000000");
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_查询全部");
        EXPECT_EQ(totals(), (Numbers{"12", "8000000000", "4000000000", "4000000000"}));
    });
}

TEST_F(RecordsTest, TheDateQueryTakesWholeDaysAtBothEnds) {
    run([&] {
        openRecordsScreen();
        pickDates({2022, 10, 1, 23, 0, 0}, {2022, 10, 31, 0, 0, 0});
        clerk().click("按钮_查询时间");
        EXPECT_EQ(listedNumbers(), (Numbers{kFirst, kSecond, kThird}));
        EXPECT_EQ(totals(), (Numbers{"11", "538", "150", "388"}));
        EXPECT_EQ(app.lastRecordsQuery, app::App::RecordsQuery::ByDate);

        clerk().click("按钮_查询全部");
        pickDates({2022, 10, 31, 0, 0, 0}, {2022, 10, 1, 0, 0, 0}); // first day after the last
        clerk().click("按钮_查询时间");
        EXPECT_EQ(desktop.messageTexts(), Numbers{"该时间段没有记录！"});
        EXPECT_EQ(orderList().rowCount(), 0);
        EXPECT_EQ(totals(), Numbers(4, "0"));
        EXPECT_EQ(app.lastRecordsQuery, app::App::RecordsQuery::All);
    });
}

TEST_F(RecordsTest, TheNumberQueryMatchesExactlyTheFirstRecord) {
    executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态) VALUES "
               "('20221001090000', '2022年10月1日10时', '玉兰厅', 9, 999, 0)");
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_查询全部");
        clerk().click("按钮_查询单号");
        EXPECT_EQ(orderList().rowCount(), 5); // an empty number changes nothing
        clerk().type("编辑框_单号", "0" + kFirst);
        clerk().click("按钮_查询单号");
        clerk().retype("编辑框_单号", kFirst);
        clerk().click("按钮_查询单号");
        EXPECT_EQ(listedNumbers(), Numbers{kFirst});
        EXPECT_EQ(orderList().cellText(0, 3), "大厅01");
        EXPECT_EQ(totals(), (Numbers{"2", "100", "100", "0"}));
        EXPECT_EQ(desktop.messageTexts(),
                  (Numbers{"请填写要查询的单号！", "没有查询到该单号，请检查是否输入有误！"}));
    });
}

TEST_F(RecordsTest, TheClickedOrderShowsItsLinesAndKeepsItsLabels) {
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_查询全部");
        clerk().clickRow("超级列表框_流水", 0);
        ASSERT_EQ(lineList().rowCount(), 3);
        EXPECT_EQ(lineList().cellText(2, 0), "3");
        EXPECT_EQ(lineList().cellText(2, 2), "米饭");
        EXPECT_EQ(lineList().cellText(2, 5), "28");
        const Numbers labels{kFirst, "2022年10月1日9时", "大厅01", "2", "100"};
        const auto shown = [&] {
            return Numbers{caption("标签_单号"), caption("标签_时间"), caption("标签_台号"),
                           caption("标签_人数"), caption("标签_金额")};
        };
        EXPECT_EQ(shown(), labels);
        clerk().clickEmptySpace("超级列表框_流水");
        EXPECT_EQ(lineList().rowCount(), 0);
        EXPECT_EQ(shown(), labels);
        clerk().clickRow("超级列表框_流水", 0);
        clerk().click("按钮_查询全部");
        EXPECT_EQ(lineList().rowCount(), 0);
        EXPECT_EQ(shown(), labels);
    });
}

TEST_F(RecordsTest, DeletingAnOrderTakesItsLinesAndRepeatsTheLastQuery) {
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_删除");
        clerk().type("编辑框_单号", kFirst);
        clerk().click("按钮_查询单号");
        clerk().clickRow("超级列表框_流水", 0);
        desktop.messageAnswers = {ui::kCancel};
        clerk().click("按钮_删除"); // Cancel at the question
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细 WHERE 单号 = '" + kFirst + "'"), "3");
        clerk().click("按钮_删除");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水 WHERE 单号 = '" + kFirst + "'"), "0");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细 WHERE 单号 = '" + kFirst + "'"), "0");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细"), "1");
        EXPECT_EQ(desktop.messageTexts(),
                  (Numbers{"请选择要删除的项目！",
                           "删除当前记录后，该记录下的菜品明细将同步删除。是否继续？",
                           "删除当前记录后，该记录下的菜品明细将同步删除。是否继续？",
                           "没有查询到该单号，请检查是否输入有误！"}));
        EXPECT_EQ(desktop.messages[1].flags, 0x21);
        EXPECT_EQ(caption("标签_单号"), kFirst); // the labels keep the last order clicked
    });
}

TEST_F(RecordsTest, TheLastQueryOutlivesTheScreen) {
    run([&] {
        openRecordsScreen();
        pickDates({2022, 10, 15, 0, 0, 0}, {2022, 10, 15, 0, 0, 0});
        clerk().click("按钮_查询时间");
        EXPECT_EQ(listedNumbers(), Numbers{kSecond});
        screen().close();
        openRecordsScreen();
        EXPECT_EQ(orderList().rowCount(), 0);
        EXPECT_EQ(app.lastRecordsQuery, app::App::RecordsQuery::ByDate);

        // Deleting the last order of a range repeats the date query, which finds nothing.
        pickDates({2022, 10, 31, 0, 0, 0}, {2022, 10, 31, 0, 0, 0});
        clerk().click("按钮_查询时间");
        clerk().clickRow("超级列表框_流水", 0);
        clerk().click("按钮_删除");
        EXPECT_EQ(desktop.messageTexts().back(), "该时间段没有记录！");
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水"), "3");
    });
}

TEST_F(RecordsTest, AnOrderThatCannotBeDeletedKeepsItsLines) {
    executeSql("CREATE TRIGGER keep_orders BEFORE DELETE ON 流水 "
               "BEGIN SELECT RAISE(ABORT, 'kept'); END;");
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_查询全部");
        clerk().clickRow("超级列表框_流水", 0);
        clerk().click("按钮_删除");
        EXPECT_EQ(desktop.messageTexts().back(), "删除失败，请检查！");
        EXPECT_EQ(desktop.messages.back().flags, 0x40);
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 明细 WHERE 单号 = '" + kFirst + "'"), "3");
        EXPECT_EQ(listedNumbers().size(), 4u); // the query was repeated all the same
    });
}

// Orders that could not be read are never reported as orders that are not there.
TEST_F(RecordsTest, ABusyDatabaseIsNotAnEmptyOne) {
    app.database.SetBusyTimeout(20);
    run([&] {
        openRecordsScreen();
        {
            OtherProgram backup(directory.file("cysj.db"), OtherProgram::Hold::Everything);
            clerk().type("编辑框_单号", kFirst);
            clerk().click("按钮_查询单号");
            pickDates({2022, 10, 1, 0, 0, 0}, {2022, 11, 30, 0, 0, 0});
            clerk().click("按钮_查询时间");
            clerk().click("按钮_查询全部");
        }
        EXPECT_EQ(desktop.messageTexts(), Texts(3, "读取数据失败，请检查！"));
        clerk().click("按钮_查询全部");
        EXPECT_EQ(listedNumbers().size(), 4u);
    });
}

} // namespace
