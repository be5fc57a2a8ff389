#include "checkout/checkout_fixture.h"

#include <string>

namespace {

using testing_support::CheckoutScreenTest;

class PaymentTest : public CheckoutScreenTest {
protected:
    std::string settlement(const std::string& column) {
        return querySql("SELECT " + column + " FROM 结账记录 WHERE 单号 = '20221028120000'");
    }
    void settleFirst(const char* way, const char* received) {
        cashier().clickRow("超级列表框_流水", 0);
        cashier().pick("组合框_付款方式", way);
        if (received) cashier().retype("编辑框_金额", received);
        cashier().click("按钮_结账");
    }
};

TEST_F(PaymentTest, ASettleStoresHowTheBillWasPaidBesideTheOrder) {
    addOrder("20221028120000", "大厅01", 80);
    desktop.fakeClock.set({2022, 10, 28, 21, 7, 3});
    run([&] {
        openCheckoutScreen();
        EXPECT_EQ(screen().comboBox("组合框_付款方式").selection(), 0);
        settleFirst("现金", "100");
    });
    EXPECT_EQ(field("20221028120000", "状态"), "1");
    EXPECT_EQ(field("20221028120000", "备注"), "[实收：100元]\r\n[找零：20元]");
    EXPECT_EQ(querySql("SELECT 单号 || '|' || 结账时间 || '|' || 应收 || '|' || 实收 || '|' || "
                       "找零 || '|' || 付款方式 || '|' || 操作员 FROM 结账记录"),
              "20221028120000|2022-10-28 21:07:03|80|100|20|现金|管理员");
}

TEST_F(PaymentTest, OtherWaysReceiveTheAmountDueUnlessAnotherIsTyped) {
    addOrder("20221028120000", "大厅01", 80);
    run([&] {
        openCheckoutScreen();
        cashier().clickRow("超级列表框_流水", 0);
        cashier().pick("组合框_付款方式", "微信");
        EXPECT_EQ(content("编辑框_金额"), "80");
        EXPECT_EQ(caption("标签_找零"), "0");
        cashier().click("按钮_结账");
        EXPECT_EQ(screen().comboBox("组合框_付款方式").selection(), 0) << "the next bill: 现金";
    });
    EXPECT_EQ(settlement("付款方式 || '|' || 实收 || '|' || 找零"), "微信|80|0");
    EXPECT_EQ(field("20221028120000", "备注"), "[实收：80元]\r\n[找零：0元]");
}

TEST_F(PaymentTest, AFailureAtTheSecondWriteLeavesTheOrderUnsettled) {
    addOrder("20221028120000", "大厅01", 80);
    executeSql("CREATE TRIGGER refuse BEFORE INSERT ON 结账记录 BEGIN "
               "SELECT RAISE(ABORT, 'the disk refuses'); END");
    run([&] {
        openCheckoutScreen();
        settleFirst("支付宝", nullptr);
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"结账失败，请检查！"});
        EXPECT_EQ(orderList().rowCount(), 1) << "the screen stays for another try";
    });
    EXPECT_EQ(field("20221028120000", "状态"), "0");
    EXPECT_EQ(field("20221028120000", "备注"), "");
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 结账记录"), "0");
}

} // namespace
