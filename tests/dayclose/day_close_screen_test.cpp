#include "app/app_fixture.h"
#include "backup/backup_folder.h"
#include "common/other_program.h"

#include <string>
#include <vector>

namespace {

class DayCloseScreenTest : public testing_support::AppTest {
protected:
    DayCloseScreenTest() {
        executeSql(
            "INSERT INTO 流水 (单号, 台号, 人数, 金额, 状态) VALUES "
            "('20221028120000', '大厅01', 2, 80, 1), ('20221028130000', '大厅02', 3, 45, 1)");
        executeSql("INSERT INTO 结账记录 VALUES "
                   "('20221028120000', '2022-10-28 13:00:00', 80, 100, 20, '现金', '管理员'), "
                   "('20221028130000', '2022-10-28 13:30:00', 45, 45, 0, '微信', '管理员')");
    }

    ui::Window& screen() { return app.dayCloseScreen; }
    testing_support::ScreenDriver cashier() { return person(app.dayCloseScreen); }
    void openDayClose() { person(app.mainWindow).clickToolButton("工具条1", 9); }
    const ui::ListView& page() { return screen().listView("超级列表框_本次"); }
    // The value beside the item on the page, "" when the page has no such row.
    std::string shown(const std::string& item) {
        for (int row = 0; row < page().rowCount(); ++row)
            if (page().cellText(row, 0) == item) return page().cellText(row, 1);
        return "";
    }
    std::string lastMessage() const {
        return desktop.messages.empty() ? std::string() : desktop.messages.back().text;
    }
};

TEST_F(DayCloseScreenTest, ThePageIsCountedTheDrawerComparedAndTheCloseStoredUnderZ1) {
    run([&] {
        openDayClose();
        EXPECT_EQ(screen().left(), app.mainWindow.left());
        EXPECT_EQ(screen().label("标签_页面").caption(), "本次日结");
        EXPECT_EQ(shown("结账单数"), "2");
        EXPECT_EQ(shown("人数"), "5");
        EXPECT_EQ(shown("应收合计"), "125 元");
        EXPECT_EQ(shown("现金"), "80 元");
        EXPECT_EQ(shown("微信"), "45 元");
        EXPECT_EQ(shown("应有现金"), "80 元");
        EXPECT_EQ(screen().listView("超级列表框_日结").rowCount(), 0);

        cashier().type("编辑框_实点现金", "75");
        EXPECT_EQ(screen().label("标签_差额").caption(), "-5");
        cashier().type("编辑框_备用金", "200");
        desktop.fakeClock.set({2022, 10, 28, 22, 0, 0});
        cashier().click("按钮_确认日结");
        EXPECT_EQ(lastMessage(), "日结成功：Z1！");
        EXPECT_EQ(screen().label("标签_页面").caption(), "日结 Z1");
        EXPECT_EQ(shown("实点现金"), "75 元");
        EXPECT_EQ(shown("差额"), "-5 元");
        const ui::ListView& history = screen().listView("超级列表框_日结");
        ASSERT_EQ(history.rowCount(), 1);
        EXPECT_EQ(history.cellText(0, 0), "Z1");
        EXPECT_EQ(history.cellText(0, 1), "2022-10-28 22:00:00");
        EXPECT_EQ(history.cellText(0, 4), "-5");
    });
    EXPECT_EQ(querySql("SELECT 序号 || '|' || 单数 || '|' || 应收合计 || '|' || 实点现金 || '|' || "
                       "差额 || '|' || 下次备用金 || '|' || 首单 || '|' || 末单 FROM 日结"),
              "1|2|125|75|-5|200|20221028120000|20221028130000");
    // The close is followed by a backup of the day.
    EXPECT_EQ(backup::listBackups(directory.file("backups")).front().path.filename(),
              "cysj-20221028-220000.db");
}

TEST_F(DayCloseScreenTest, OpenOrdersAreAskedAboutAndTheCountedCashMustBeANumber) {
    executeSql("INSERT INTO 流水 (单号, 台号, 人数, 金额, 状态) VALUES "
               "('20221028140000', '大厅03', 2, 60, 0)");
    run([&] {
        openDayClose();
        EXPECT_EQ(shown("未结台数"), "1");
        cashier().click("按钮_确认日结");
        EXPECT_EQ(lastMessage(), "请正确输入实点现金！");
        cashier().type("编辑框_实点现金", "80");
        desktop.messageAnswers = {ui::kCancel};
        cashier().click("按钮_确认日结");
        EXPECT_EQ(lastMessage(), "还有1张单未结账，它们将计入下次日结。确定现在日结吗？");
    });
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 日结"), "0");
}

TEST_F(DayCloseScreenTest, APastPageIsShownAgainAndExported) {
    executeSql(
        "INSERT INTO 日结 (序号, 日结时间, 结束, 单数, 应收合计, 实点现金, 差额, 操作员) "
        "VALUES (1, '2022-10-27 22:00:00', '2022-10-27 22:00:00', 7, 700, 300, 0, '管理员')");
    const std::filesystem::path file = directory.file("z1.xls");
    run([&] {
        openDayClose();
        EXPECT_EQ(shown("开始"), "2022-10-27 22:00:00");
        cashier().click("按钮_查看");
        EXPECT_EQ(lastMessage(), "请选择要查看的日结！");
        cashier().clickRow("超级列表框_日结", 0);
        cashier().click("按钮_查看");
        EXPECT_EQ(screen().label("标签_页面").caption(), "日结 Z1");
        EXPECT_EQ(shown("结账单数"), "7");
        EXPECT_EQ(shown("日结人"), "管理员");
        desktop.saveAnswers = {file};
        cashier().click("按钮_导出");
        EXPECT_EQ(lastMessage(), "保存成功！");
    });
    const std::string written = testing_support::fileBytes(file);
    EXPECT_NE(written.find("Veltrano_"), std::string::npos);
    EXPECT_NE(written.find("700"), std::string::npos);
}

TEST_F(DayCloseScreenTest, ConfirmingNeedsTheRightToSettleAndExportingTheRightToExport) {
    addUser("服务员", "1", "1000000000");
    logins = {{"服务员", "1"}};
    run([&] {
        openDayClose();
        EXPECT_TRUE(screen().control("按钮_确认日结").disabled());
        EXPECT_TRUE(screen().control("按钮_导出").disabled());
        EXPECT_FALSE(screen().control("按钮_查看").disabled());
        EXPECT_EQ(shown("结账单数"), "2") << "everyone sees the page";
    });
}

} // namespace
