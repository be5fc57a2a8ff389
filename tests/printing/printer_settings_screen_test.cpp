#include "app/app_fixture.h"
#include "printing/fake_printers.h"
#include "printing/printer_settings.h"
#include "printing/printing_binding.h"
#include "printing/receipt_source.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using testing_support::FakePrinters;

class PrinterSettingsScreenTest : public testing_support::AppTest {
protected:
    PrinterSettingsScreenTest() { printing::bindPrinting(app, printers.factory()); }

    void atPrinterSettings(const std::function<void()>& act) {
        run([&] {
            desktop.onModal = [&](ui::Window& window) {
                act();
                window.close();
            };
            desktop.popupAnswers = {"打印设置"};
            person(app.mainWindow).clickToolButton("工具条1", 7);
        });
    }
    ui::Window& screen() { return app.printerSettingsScreen; }
    testing_support::ScreenDriver clerk() { return person(app.printerSettingsScreen); }
    std::string lastMessage() const {
        return desktop.messages.empty() ? std::string() : desktop.messages.back().text;
    }
    void typeBarPrinter() {
        clerk().retype("编辑框_名称", "吧台");
        clerk().retype("编辑框_地址", "192.168.1.60");
        clerk().retype("编辑框_端口", "9100");
        clerk().pick("组合框_纸宽", 0);
        clerk().pick("组合框_编码", "GBK");
        clerk().toggle("选择列表框_分类", 3); // 酒水
    }

    FakePrinters printers;
};

TEST_F(PrinterSettingsScreenTest, APrinterIsCheckedStoredShownAgainAndDeleted) {
    atPrinterSettings([&] {
        const ui::ChkListBox& categories = screen().chkListBox("选择列表框_分类");
        ASSERT_EQ(categories.itemCount(), 4);
        EXPECT_EQ(categories.itemText(3), "酒水");
        clerk().click("按钮_保存");
        EXPECT_EQ(lastMessage(), "打印机名称不能为空！");
        typeBarPrinter();
        clerk().retype("编辑框_端口", "70000");
        clerk().click("按钮_保存");
        EXPECT_EQ(lastMessage(), "请正确输入打印机的端口（1到65535）！");
        clerk().retype("编辑框_端口", "9100");
        clerk().click("按钮_保存");
        EXPECT_EQ(lastMessage(), "打印机保存成功！");
        EXPECT_EQ(screen().listBox("列表框_打印机").items(), std::vector<std::string>{"吧台"});

        clerk().click("按钮_新建");
        EXPECT_EQ(screen().editBox("编辑框_名称").content(), "");
        clerk().pick("列表框_打印机", "吧台");
        EXPECT_EQ(screen().editBox("编辑框_地址").content(), "192.168.1.60");
        EXPECT_TRUE(categories.itemTicked(3));
        EXPECT_FALSE(categories.itemTicked(1));
    });
    const auto stored = printing::readPrinters(app);
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->size(), 1u);
    EXPECT_EQ((*stored)[0].paperMillimetres, 58);
    EXPECT_EQ((*stored)[0].encoding, printing::TextEncoding::Gbk);
    EXPECT_EQ((*stored)[0].categories, std::vector<std::string>{"酒水"});

    logins = {{"管理员", "admin"}};
    bool deleted = false;
    atPrinterSettings([&] {
        deleted = true;
        clerk().click("按钮_删除");
        EXPECT_EQ(lastMessage(), "请选择要删除的打印机！");
        clerk().pick("列表框_打印机", "吧台");
        clerk().click("按钮_删除");
        EXPECT_TRUE(screen().listBox("列表框_打印机").items().empty());
    });
    EXPECT_TRUE(deleted);
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 打印机分类"), "0");
}

TEST_F(PrinterSettingsScreenTest, ATestPageGoesToTheTypedPrinterAndTheRestaurantIsSaved) {
    atPrinterSettings([&] {
        typeBarPrinter();
        clerk().click("按钮_测试");
        EXPECT_EQ(lastMessage(), "测试页已打印！");
        printers.failures["吧台"] = "无法连接";
        clerk().click("按钮_测试");
        EXPECT_NE(lastMessage().find("测试页打印失败：打印机“吧台”（192.168.1.60:9100）无法连接"),
                  std::string::npos);

        clerk().retype("编辑框_餐厅名称", "老陈家常菜");
        clerk().retype("编辑框_小票页脚", "谢谢惠顾");
        clerk().click("按钮_保存餐厅");
        EXPECT_EQ(lastMessage(), "餐厅信息保存成功！");
    });
    ASSERT_EQ(printers.printed["吧台"].size(), 1u);
    EXPECT_EQ(printers.printed["吧台"][0].lines[1].text, "打印测试页");
    EXPECT_EQ(printing::readRestaurant(app).footer, "谢谢惠顾");
}

TEST_F(PrinterSettingsScreenTest, ChangingPrintersNeedsThePermissionToSetDiningTables) {
    addUser("服务员", "1", "1111111011");
    logins = {{"服务员", "1"}};
    atPrinterSettings([&] {
        for (const char* button : {"按钮_保存", "按钮_删除", "按钮_保存餐厅"})
            EXPECT_TRUE(screen().control(button).disabled()) << button;
        EXPECT_FALSE(screen().control("按钮_测试").disabled());
    });
}

} // namespace
