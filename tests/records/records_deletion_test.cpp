#include "common/other_program.h"
#include "records/records_fixture.h"
#include "store/schema.h"

#include <ostream>
#include <string>
#include <vector>

namespace {

using testing_support::RecordsTest;
using Texts = std::vector<std::string>;

const std::string kFirst = "20221001090000";
const std::string kSecond = "20221015183000";
const std::string kFourth = "20221101120000";

// After a deletion the screen shows what repeating the last query shows: the same rows in the
// same order with the same numbers and totals, nothing selected and no lines. Most deletions
// take the order out of the list they already show; these tests compare that with the query
// asked again, and make sure that any other change since the query is shown as well.
class RecordsDeletionTest : public RecordsTest {
protected:
    struct Shown {
        std::vector<Texts> rows;
        Texts totals;
        int selected = -1;
        int lines = 0;

        bool operator==(const Shown&) const = default;
        friend void PrintTo(const Shown& shown, std::ostream* out) {
            for (const Texts& row : shown.rows)
                *out << ::testing::PrintToString(row) << "\n";
            *out << "totals " << ::testing::PrintToString(shown.totals) << ", selected "
                 << shown.selected << ", lines " << shown.lines;
        }
    };

    Shown shown() {
        Shown now{{}, totals(), orderList().selectedRow(), lineList().rowCount()};
        for (int row = 0; row < orderList().rowCount(); ++row) {
            Texts cells;
            for (int column = 0; column < orderList().columnCount(); ++column)
                cells.push_back(orderList().cellText(row, column));
            now.rows.push_back(cells);
        }
        return now;
    }

    int rowOf(const std::string& number) {
        for (int row = 0; row < orderList().rowCount(); ++row)
            if (orderList().cellText(row, 1) == number) return row;
        ADD_FAILURE() << "order " << number << " is not listed";
        return -1;
    }

    // Clicks the row, deletes it, and gives what the screen shows afterwards.
    Shown deleteRow(int row) {
        clerk().clickRow("超级列表框_流水", row);
        clerk().click("按钮_删除");
        return shown();
    }

    // The same query asked again by its button, from a fresh screen with the same dates.
    Shown askedAgain(const char* button) {
        const support::DateTime first = screen().datePicker("日期框1").value();
        const support::DateTime last = screen().datePicker("日期框2").value();
        screen().close();
        openRecordsScreen();
        screen().datePicker("日期框1").userChoose(first);
        screen().datePicker("日期框2").userChoose(last);
        clerk().click(button);
        return shown();
    }
};

TEST_F(RecordsDeletionTest, AfterQueryingEverythingTheListIsWhatTheQueryWouldShowNow) {
    // A second order with the first one's number (the deletion takes the first record of it),
    // and an amount below zero, which the totals add up one row after the other.
    executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态) VALUES "
               "('20221001090000', '2022年11月2日', '大厅05', 4, 40, 1),"
               "('20221102090000', '2022年11月2日', '大厅06', 1, -30, 0)");
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_查询全部");
        clerk().clickRow("超级列表框_流水", 0); // its lines shown, then gone with the deletion
        Shown after = deleteRow(rowOf(kSecond));
        EXPECT_EQ(after, askedAgain("按钮_查询全部"));
        EXPECT_EQ(after.rows.size(), 5u);
        EXPECT_EQ(after.rows[1], (Texts{"2", "20221031235959", "2022年10月31日23时59分59秒",
                                        "大厅02", "3", "50", "已结账", "收银", "a<b & \"c\" >"}));
        EXPECT_EQ(after.totals, (Texts{"11", "170", "190", "-20"}));

        // The later of two orders of one number is clicked; the earlier record goes, as the
        // repeated query shows.
        EXPECT_EQ(rowOf(kFirst), 0);
        after = deleteRow(3);
        EXPECT_EQ(orderList().rowCount(), 4);
        EXPECT_EQ(after, askedAgain("按钮_查询全部"));
        EXPECT_EQ(querySql("SELECT 台号 FROM 流水 WHERE 单号 = '" + kFirst + "'"), "大厅05");

        for (int left = orderList().rowCount(); left > 0; --left) {
            after = deleteRow(0);
            EXPECT_EQ(after, askedAgain("按钮_查询全部"));
        }
        EXPECT_EQ(after.totals, Texts(4, "0"));
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水") + querySql("SELECT COUNT(*) FROM 明细"),
                  "00");
    });
    EXPECT_EQ(desktop.messages.size(), 6u); // the six questions, and no warning
}

TEST_F(RecordsDeletionTest, AfterADateQueryTheListKeepsItsRangeUntilItEmpties) {
    run([&] {
        openRecordsScreen();
        pickDates({2022, 10, 1, 0, 0, 0}, {2022, 10, 31, 0, 0, 0});
        clerk().click("按钮_查询时间");
        const Shown after = deleteRow(1);
        EXPECT_EQ(after.rows.size(), 2u);
        EXPECT_EQ(after, askedAgain("按钮_查询时间"));

        deleteRow(0);
        deleteRow(0);
        EXPECT_EQ(desktop.messageTexts().back(), "该时间段没有记录！");
        EXPECT_EQ(shown(), (Shown{{}, Texts(4, "0"), -1, 0}));
        EXPECT_EQ(listedNumbers(), Texts{});
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水"), "1");
    });
}

TEST_F(RecordsDeletionTest, DatesChangedSinceTheQueryAreTheRangeTheDeletionAsksFor) {
    run([&] {
        openRecordsScreen();
        pickDates({2022, 10, 1, 0, 0, 0}, {2022, 10, 31, 0, 0, 0});
        clerk().click("按钮_查询时间");
        pickDates({2022, 10, 1, 0, 0, 0}, {2022, 10, 15, 0, 0, 0});
        const Shown after = deleteRow(0);
        EXPECT_EQ(listedNumbers(), Texts{kSecond});
        EXPECT_EQ(after, askedAgain("按钮_查询时间"));
    });
}

TEST_F(RecordsDeletionTest, AChangeByAnotherProgramSinceTheQueryIsShownAfterTheDeletion) {
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_查询全部");
        executeSql("UPDATE 流水 SET 金额 = 777 WHERE 单号 = '" + kFourth + "'");
        executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态) VALUES "
                   "('20221201100000', '2022年12月1日', '大厅07', 2, 5, 0)");
        const Shown after = deleteRow(0);
        EXPECT_EQ(listedNumbers(), (Texts{kSecond, "20221031235959", kFourth, "20221201100000"}));
        EXPECT_EQ(orderList().cellText(2, 5), "777");
        EXPECT_EQ(after.totals, (Texts{"12", "1220", "50", "1170"}));
        EXPECT_EQ(after, askedAgain("按钮_查询全部"));
    });
}

TEST_F(RecordsDeletionTest, AChangeByAnotherScreenSinceTheQueryIsShownAfterTheDeletion) {
    namespace orders = store::schema::orders;
    run([&] {
        openRecordsScreen();
        pickDates({2022, 10, 1, 0, 0, 0}, {2022, 10, 31, 0, 0, 0});
        clerk().click("按钮_查询时间");
        // What the order screen does when a table is opened, through the program's own
        // connection.
        ASSERT_TRUE(app.openTable(app.orders, orders::kTable));
        ASSERT_TRUE(app.orders.BeginAdd());
        app.orders.Write(orders::kNumber, "20221020120000");
        app.orders.Write(orders::kTime, "2022年10月20日12时");
        app.orders.Write(orders::kDiningTable, "大厅08");
        ASSERT_TRUE(app.orders.Commit());
        app.orders.Close();

        deleteRow(0);
        EXPECT_EQ(listedNumbers(), (Texts{kSecond, "20221031235959", "20221020120000"}));
        EXPECT_EQ(shown(), askedAgain("按钮_查询时间"));
    });
}

} // namespace
