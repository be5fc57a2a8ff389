#include "app/app_fixture.h"
#include "printing/escpos.h"
#include "printing/escpos_decoder.h"
#include "printing/receipt.h"
#include "printing/receipt_source.h"

#include <string>
#include <vector>

namespace {

using printing::ReceiptKind;
using printing::TextEncoding;
using testing_support::decodeEscPos;
using testing_support::Printout;

const std::string kNumber = "20221028120000";

class ReceiptTest : public testing_support::AppTest {
protected:
    ReceiptTest() {
        executeSql("INSERT INTO 流水 VALUES ('" + kNumber +
                   "', '2022年10月28日12时', '牡丹厅', 6, "
                   "1276, 1, '服务员-小李', '[实收：1300元]' || char(13, 10) || "
                   "'[找零：24元]开发票')");
        executeSql("INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES "
                   "('" +
                   kNumber +
                   "', '红烧肉', 48, 2, 96, '热菜'), "
                   "('" +
                   kNumber +
                   "', '秘制葱油拌面配手工辣椒酱和溏心蛋', 1000, 1, 1000, '主食'), "
                   "('" +
                   kNumber + "', 'Coca-Cola 330ml', 6, 30, 180, '酒水')");
        executeSql("INSERT INTO 结账记录 VALUES ('" + kNumber +
                   "', '2022-10-28 13:40:02', 1276, "
                   "1300, 24, '现金', '收银-小王')");
        printing::storeRestaurant(
            app, {"老陈家常菜", "幸福路 8 号", "010-1234 5678", "谢谢惠顾，欢迎再来"});
    }

    Printout print(ReceiptKind kind, int columns, TextEncoding encoding, const char* iconvName) {
        const auto receipt = printing::readReceipt(app, kNumber);
        EXPECT_TRUE(receipt);
        const printing::Ticket ticket =
            printing::receiptTicket(printing::readRestaurant(app), *receipt, kind, columns);
        Printout printed = decodeEscPos(printing::escPosBytes(ticket, encoding), iconvName);
        EXPECT_EQ(printed.faults, std::vector<std::string>{});
        return printed;
    }

    static std::string lineWith(const Printout& printout, const std::string& part) {
        for (const auto& line : printout.lines)
            if (line.text.find(part) != std::string::npos) return line.text;
        return "";
    }
};

TEST_F(ReceiptTest, TheReceiptShowsTheDatabasesOrderAndFitsBothPapers) {
    for (const int columns : {printing::kNarrowColumns, printing::kWideColumns}) {
        SCOPED_TRACE(columns);
        const Printout printed = print(ReceiptKind::Receipt, columns, TextEncoding::Gbk, "GBK");
        for (const auto& line : printed.lines)
            EXPECT_LE(printing::displayWidth(line.text), line.large ? columns / 2 : columns)
                << line.text;
        EXPECT_EQ(printed.lines.front().text, "老陈家常菜");
        EXPECT_TRUE(printed.lines.front().large);
        EXPECT_NE(lineWith(printed, "台号：牡丹厅").find("人数：6"), std::string::npos);
        EXPECT_NE(lineWith(printed, "结账：2022-10-28 13:40:02"), "");
        EXPECT_NE(lineWith(printed, "开台：2022-10-28 12:00:00"), "");
        // Each line's quantity, price and amount at the right, the dish's name wrapped.
        const std::string pork = lineWith(printed, "红烧肉");
        EXPECT_TRUE(pork.ends_with("48      96") || pork.ends_with("48        96")) << pork;
        EXPECT_NE(lineWith(printed, "溏心蛋"), "") << "the end of a long name is printed";
        EXPECT_TRUE(lineWith(printed, "Coca-Cola").ends_with("180")) << lineWith(printed, "Coca");
        EXPECT_TRUE(lineWith(printed, "合计：").ends_with("￥1276"));
        EXPECT_TRUE(lineWith(printed, "实收：").ends_with("￥1300"));
        EXPECT_TRUE(lineWith(printed, "找零：").ends_with("￥24"));
        EXPECT_TRUE(lineWith(printed, "付款方式：").ends_with("现金"));
        EXPECT_EQ(lineWith(printed, "[找零：24元]开发票"), "[找零：24元]开发票");
        EXPECT_EQ(printed.lines.back().text, "谢谢惠顾，欢迎再来");
        EXPECT_EQ(printed.commands, (std::vector<std::string>{"init", "chinese", "feed", "cut"}));
    }
}

TEST_F(ReceiptTest, TheAmountsPrintedAddUpToTheStoredTotal) {
    const Printout printed =
        print(ReceiptKind::Receipt, printing::kWideColumns, TextEncoding::Gbk, "GBK");
    std::int64_t sum = 0;
    for (const std::string dish : {"红烧肉", "秘制葱油拌面", "Coca-Cola"}) {
        const std::string line = lineWith(printed, dish);
        sum += std::stoll(line.substr(line.find_last_of(' ') + 1));
    }
    EXPECT_EQ(sum, 1276);
    EXPECT_EQ(querySql("SELECT 金额 FROM 流水"), "1276");
}

TEST_F(ReceiptTest, APreBillHasNoPaymentAndEveryEncodingReadsBack) {
    const Printout preBill =
        print(ReceiptKind::PreBill, printing::kNarrowColumns, TextEncoding::Gb18030, "GB18030");
    EXPECT_EQ(lineWith(preBill, "预结单"), "预结单");
    EXPECT_EQ(lineWith(preBill, "实收"), "");
    EXPECT_EQ(lineWith(preBill, "付款方式"), "");
    EXPECT_TRUE(lineWith(preBill, "合计：").ends_with("￥1276"));

    const Printout utf8 =
        print(ReceiptKind::Receipt, printing::kNarrowColumns, TextEncoding::Utf8, "UTF-8");
    EXPECT_EQ(utf8.commands.front(), "init");
    EXPECT_NE(utf8.commands.at(1), "chinese") << "UTF-8 printers take no Chinese mode";
    EXPECT_TRUE(lineWith(utf8, "合计：").ends_with("￥1276"));
}

TEST_F(ReceiptTest, AnOrderSettledBeforeSettlementsWereKeptPrintsNoPaymentItCannotKnow) {
    executeSql("DELETE FROM 结账记录");
    const Printout printed =
        print(ReceiptKind::Receipt, printing::kWideColumns, TextEncoding::Gbk, "GBK");
    EXPECT_TRUE(lineWith(printed, "合计：").ends_with("￥1276"));
    EXPECT_EQ(lineWith(printed, "备注：[实收：1300元]"), "备注：[实收：1300元]");
    for (const auto& line : printed.lines)
        for (const char* unknown : {"结账：", "实收：", "找零：", "付款方式："})
            EXPECT_FALSE(line.text.starts_with(unknown)) << line.text << ": a made-up value";
}

TEST(EscPos, ACharacterTheEncodingLacksPrintsAsAQuestionMarkAndNothingElseIsLost) {
    // "¥" and the emoji are not in GBK; GB18030 holds both.
    EXPECT_EQ(printing::encodeText("¥5 😀 ￥5", TextEncoding::Gbk), "?5 ? \xA3\xA4"
                                                                   "5");
    EXPECT_EQ(printing::encodeText("😀", TextEncoding::Gb18030), "\x94\x39\xFC\x36");
    printing::Ticket ticket;
    ticket.lines.push_back({"Z1", printing::Align::Center, true, false});
    ticket.cut = false;
    ticket.openDrawer = true;
    const Printout printed = decodeEscPos(printing::escPosBytes(ticket, TextEncoding::Gbk), "GBK");
    EXPECT_EQ(printed.faults, std::vector<std::string>{});
    ASSERT_EQ(printed.lines.size(), 1u);
    EXPECT_EQ(printed.lines[0].align, 1);
    EXPECT_TRUE(printed.lines[0].bold);
    EXPECT_EQ(printed.commands, (std::vector<std::string>{"init", "chinese", "drawer"}));
}

TEST(EscPos, WrappingNeverSplitsACharacterAndCountsChineseAsTwo) {
    EXPECT_EQ(printing::displayWidth("台号A1"), 6);
    EXPECT_EQ(printing::wrapToWidth("红烧肉ab", 3),
              (std::vector<std::string>{"红", "烧", "肉a", "b"}));
}

} // namespace
