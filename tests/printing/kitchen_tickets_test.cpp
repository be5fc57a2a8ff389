#include "app/app_fixture.h"
#include "printing/fake_printers.h"
#include "printing/printer_settings.h"
#include "printing/printing_binding.h"
#include "printing/ticket.h"

#include <string>
#include <vector>

namespace {

using testing_support::FakePrinters;

class KitchenTicketsTest : public testing_support::AppTest {
protected:
    KitchenTicketsTest() {
        printing::bindPrinting(app, printers.factory());
        kitchenPrinter("热菜厨房", {"热菜", "主食"});
        kitchenPrinter("吧台", {"酒水"});
    }
    void kitchenPrinter(const std::string& name, std::vector<std::string> categories) {
        printing::PrinterSetting printer;
        printer.name = name;
        printer.address = "10.0.0.7";
        printer.paperMillimetres = 58;
        printer.categories = std::move(categories);
        ASSERT_TRUE(printing::storePrinter(app, printer));
    }
    testing_support::ScreenDriver counter() { return person(app.orderScreen); }
    void openTableWithDishes() {
        person(app.mainWindow).clickToolButton("工具条1", 3);
        counter().pick("组合框_餐台", "大厅01");
        counter().retype("组合框_人数", "2");
        counter().click("按钮_开台");
        for (const auto& [category, dish] : std::vector<std::pair<std::string, std::string>>{
                 {"热菜", "红烧肉/48元"}, {"凉菜", "拍黄瓜/12元"}, {"酒水", "青岛啤酒/8元"}}) {
            counter().chooseGroup("卷帘式菜单_点菜", category);
            counter().chooseItem("卷帘式菜单_点菜", dish);
        }
    }
    void selectLine(const std::string& dish) {
        const ui::ListView& lines = app.orderScreen.listView("超级列表框_点菜");
        for (int row = 0; row < lines.rowCount(); ++row)
            if (lines.cellText(row, 2) == dish) counter().clickRow("超级列表框_点菜", row);
    }
    // The ticket's title and its dishes' lines, each space run as one; every line fits the
    // paper, large lines in half its columns.
    static std::vector<std::string> texts(const printing::Ticket& ticket) {
        std::vector<std::string> all;
        for (const auto& line : ticket.lines) {
            EXPECT_LE(printing::displayWidth(line.text), line.large ? 16 : 32) << line.text;
            if (line.text.find("×") == std::string::npos && !line.text.ends_with("单")) continue;
            std::string text;
            for (const char c : line.text)
                if (c != ' ' || !text.ends_with(' ')) text += c;
            all.push_back(text);
        }
        return all;
    }

    FakePrinters printers;
};

TEST_F(KitchenTicketsTest, EachPrinterGetsItsCategoriesAndALaterSendOnlyTheDifferences) {
    run([&] {
        openTableWithDishes();
        desktop.messages.clear(); // 开台成功！
        counter().click("按钮_送厨");
        EXPECT_TRUE(desktop.messages.empty());
        ASSERT_EQ(printers.printed["热菜厨房"].size(), 1u);
        EXPECT_EQ(texts(printers.printed["热菜厨房"][0]),
                  (std::vector<std::string>{"厨房单", "红烧肉 ×1"}));
        ASSERT_EQ(printers.printed["吧台"].size(), 1u);
        EXPECT_EQ(texts(printers.printed["吧台"][0]),
                  (std::vector<std::string>{"厨房单", "青岛啤酒 ×1"}));
        // 凉菜 has no printer: it prints nowhere.

        counter().click("按钮_送厨");
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"没有需要送厨的菜品！"});

        selectLine("红烧肉");
        counter().click("按钮_数量加");
        counter().click("按钮_数量加");
        selectLine("青岛啤酒");
        counter().click("按钮_删除");
        counter().click("按钮_送厨");
        ASSERT_EQ(printers.printed["热菜厨房"].size(), 2u);
        EXPECT_EQ(texts(printers.printed["热菜厨房"][1]),
                  (std::vector<std::string>{"加菜单", "红烧肉 ×2"}));
        ASSERT_EQ(printers.printed["吧台"].size(), 2u);
        EXPECT_EQ(texts(printers.printed["吧台"][1]),
                  (std::vector<std::string>{"退菜单", "青岛啤酒 ×1"}));
    });
}

TEST_F(KitchenTicketsTest, AfterAFailedPrinterTheNextSendSendsEverythingAgain) {
    printers.failures["吧台"] = "无法连接";
    run([&] {
        openTableWithDishes();
        desktop.messages.clear(); // 开台成功！
        counter().click("按钮_送厨");
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_NE(desktop.messages[0].text.find("厨房单打印失败：打印机“吧台”"), std::string::npos);
        EXPECT_NE(desktop.messages[0].text.find("重新送厨"), std::string::npos);
        printers.failures.clear();
        counter().click("按钮_送厨");
        ASSERT_EQ(printers.printed["吧台"].size(), 1u);
        EXPECT_EQ(printers.printed["热菜厨房"].size(), 2u) << "sent again rather than missed";
        EXPECT_EQ(texts(printers.printed["热菜厨房"][1]).front(), "厨房单");
    });
    EXPECT_EQ(querySql("SELECT group_concat(菜品 || '×' || 已送数量) FROM 送厨记录"),
              "红烧肉×1,拍黄瓜×1,青岛啤酒×1");
}

} // namespace
