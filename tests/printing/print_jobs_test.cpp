#include "checkout/checkout_fixture.h"
#include "printing/fake_printers.h"
#include "printing/printer_settings.h"
#include "printing/printing_binding.h"
#include "support/date_time.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using printing::PrinterSetting;
using testing_support::FakePrinters;

class PrintJobsTest : public testing_support::CheckoutScreenTest {
protected:
    PrintJobsTest() {
        printing::bindPrinting(app, printers.factory());
        addOrder("20221028120000", "大厅01", 80);
        addLine("20221028120000", "红烧肉", 40, 2);
    }
    void addPrinter(const std::string& name, bool receipts, bool drawer = false) {
        PrinterSetting printer;
        printer.name = name;
        printer.address = "10.0.0.9";
        printer.receipts = receipts;
        printer.openDrawer = drawer;
        printer.categories =
            receipts ? std::vector<std::string>{} : std::vector<std::string>{"热菜"};
        ASSERT_TRUE(printing::storePrinter(app, printer));
    }
    // The printer of the day close and the report.
    void addOfficePrinter(int paperMillimetres) {
        PrinterSetting office;
        office.name = "办公室";
        office.address = "10.0.0.8";
        office.dayClose = true;
        office.paperMillimetres = paperMillimetres;
        ASSERT_TRUE(printing::storePrinter(app, office));
    }
    void settleInCash() {
        openCheckoutScreen();
        cashier().clickRow("超级列表框_流水", 0);
        cashier().type("编辑框_金额", "100");
        cashier().click("按钮_结账");
    }
    static bool holds(const printing::Ticket& ticket, const std::string& text) {
        for (const auto& line : ticket.lines)
            if (line.text.find(text) != std::string::npos) return true;
        return false;
    }

    FakePrinters printers;
};

TEST_F(PrintJobsTest, ASettledBillsReceiptGoesToEveryReceiptPrinterAndOpensTheDrawer) {
    addPrinter("前台", true, true);
    addPrinter("吧台", true);
    addPrinter("厨房", false);
    run([&] { settleInCash(); });
    EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"结账成功！"});
    ASSERT_EQ(printers.printed["前台"].size(), 1u);
    const printing::Ticket& receipt = printers.printed["前台"][0];
    EXPECT_TRUE(holds(receipt, "结账单"));
    EXPECT_TRUE(holds(receipt, "￥80"));
    EXPECT_TRUE(holds(receipt, "￥20")) << "the change";
    EXPECT_TRUE(receipt.openDrawer);
    ASSERT_EQ(printers.printed["吧台"].size(), 1u);
    EXPECT_FALSE(printers.printed["吧台"][0].openDrawer);
    EXPECT_TRUE(printers.printed["厨房"].empty());
}

TEST_F(PrintJobsTest, APrinterThatFailsNeverCostsTheBillAndIsNamed) {
    addPrinter("前台", true);
    printers.failures["前台"] = "无法连接";
    run([&] { settleInCash(); });
    EXPECT_EQ(field("20221028120000", "状态"), "1");
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 结账记录"), "1");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, "结账成功！");
    EXPECT_EQ(desktop.messages[1].text,
              "结账单打印失败：打印机“前台”（10.0.0.9:9100）无法连接。\r\n"
              "请检查打印机的电源、纸和连接线，然后在明细查询中补打。");
    EXPECT_EQ(desktop.messages[1].flags, ui::kWarningBox);
}

TEST_F(PrintJobsTest, TheRecordsScreenPrintsTheSelectedOrderAgain) {
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 6);
        testing_support::ScreenDriver records = person(app.recordsScreen);
        records.click("按钮_查询全部");
        records.click("按钮_补打");
        EXPECT_EQ(desktop.messageTexts().back(), "请选择要补打的单！");
        records.clickRow("超级列表框_流水", 0);
        records.click("按钮_补打");
        EXPECT_EQ(desktop.messageTexts().back(), "没有设置打印小票的打印机，请在打印设置中设置！");
        addPrinter("前台", true);
        records.click("按钮_补打");
    });
    ASSERT_EQ(printers.printed["前台"].size(), 1u);
    EXPECT_TRUE(holds(printers.printed["前台"][0], "预结单")) << "an open order is a pre-bill";
}

TEST_F(PrintJobsTest, AnOrderSettledBeforeSettlementsWereKeptReprintsAsAReceipt) {
    addPrinter("前台", true);
    executeSql("UPDATE 流水 SET 状态 = 1");
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 6);
        testing_support::ScreenDriver records = person(app.recordsScreen);
        records.click("按钮_查询全部");
        records.clickRow("超级列表框_流水", 0);
        records.click("按钮_补打");
    });
    ASSERT_EQ(printers.printed["前台"].size(), 1u);
    const printing::Ticket& ticket = printers.printed["前台"][0];
    EXPECT_TRUE(holds(ticket, "结账单"));
    EXPECT_FALSE(holds(ticket, "尚未结账"));
    EXPECT_FALSE(holds(ticket, "实收：")) << "no settlement row: nothing to say of the payment";
}

TEST_F(PrintJobsTest, TheDayClosePageGoesToThePrintersOfTheDayClose) {
    run([&] {
        settleInCash();
        person(app.mainWindow).clickToolButton("工具条1", 9);
        person(app.dayCloseScreen).click("按钮_打印");
        EXPECT_EQ(desktop.messageTexts().back(), "没有设置打印日结的打印机，请在打印设置中设置！");
        addOfficePrinter(80);
        person(app.dayCloseScreen).click("按钮_打印");
    });
    ASSERT_EQ(printers.printed["办公室"].size(), 1u);
    const printing::Ticket& page = printers.printed["办公室"][0];
    EXPECT_EQ(page.lines.front().text, "本次日结");
    EXPECT_TRUE(holds(page, "结账单数"));
    EXPECT_TRUE(holds(page, "80 元"));
    for (const auto& line : page.lines)
        EXPECT_LE(printing::displayWidth(line.text), line.large ? 24 : 48) << line.text;
}

TEST_F(PrintJobsTest, TheReportPrintsBothTablesOnThePrintersOfTheDayClose) {
    addOfficePrinter(58);
    executeSql("UPDATE 流水 SET 状态 = 1");
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 10);
        person(app.reportsScreen).pick("组合框_期间", "自定义");
        app.reportsScreen.datePicker("日期框1").userChoose(support::toDateTime({2022, 10, 28}));
        app.reportsScreen.datePicker("日期框2").userChoose(support::toDateTime({2022, 10, 28}));
        person(app.reportsScreen).click("按钮_查询");
        person(app.reportsScreen).pick("组合框_分析", "餐台");
        person(app.reportsScreen).click("按钮_打印");
    });
    ASSERT_EQ(printers.printed["办公室"].size(), 1u);
    const printing::Ticket& page = printers.printed["办公室"][0];
    EXPECT_EQ(page.lines.front().text, "营业报表");
    EXPECT_TRUE(holds(page, "本期：2022-10-28"));
    // The summary, then the breakdown chosen: each row's values beside its name.
    EXPECT_TRUE(holds(page, "营业额（元）"));
    EXPECT_TRUE(holds(page, "餐台"));
    EXPECT_TRUE(holds(page, "80  100.0%"));
    for (const auto& line : page.lines)
        EXPECT_LE(printing::displayWidth(line.text), line.large ? 16 : 32) << line.text;
}

} // namespace
