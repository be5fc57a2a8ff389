#include "real_program.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using testing_support::widgetOf;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A bill settled by WeChat on real widgets, then the day closed from its toolbar entry: the
// page counts the bill, the drawer is compared as typed, and Z1 joins the list.
TEST(RealProgram, ABillPaidByWeChatIsOnThePageAndTheCloseIsListedAsZ1) {
    testing_support::ScriptedDialogs dialogs;
    QString billsOnPage;
    QString wechatOnPage;
    QString difference;
    int closesListed = -1;
    QString firstClose;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        veltrano.openTable(veltrano.orders, "流水");
        veltrano.orders.BeginAdd();
        veltrano.orders.Write("单号", "20221028120000");
        veltrano.orders.Write("台号", "大厅01");
        veltrano.orders.Write("人数", 2);
        veltrano.orders.Write("金额", 88);
        veltrano.orders.Write("状态", 0);
        veltrano.orders.Commit();
        veltrano.orders.Close();

        const ui::Window& checkout = veltrano.checkoutScreen;
        testing_support::chooseToolbarEntry(desktop, veltrano, "买单结账");
        auto* orders = widgetOf<QTableView>(desktop, checkout, "超级列表框_流水");
        QTest::mouseClick(orders->viewport(), Qt::LeftButton, {},
                          orders->visualRect(orders->model()->index(0, 1)).center());
        auto* way = widgetOf<QComboBox>(desktop, checkout, "组合框_付款方式");
        way->setFocus();
        QTest::keyClick(way, Qt::Key_Down); // from 现金 to 微信
        testing_support::clickButton(desktop, checkout, "按钮_结账");

        const ui::Window& dayClose = veltrano.dayCloseScreen;
        testing_support::chooseToolbarEntry(desktop, veltrano, "日结");
        auto* page = widgetOf<QTableView>(desktop, dayClose, "超级列表框_本次");
        const auto valueOf = [&](const char* item) {
            for (int row = 0; row < page->model()->rowCount(); ++row)
                if (page->model()->index(row, 0).data().toString() == text(item))
                    return page->model()->index(row, 1).data().toString();
            return QString();
        };
        billsOnPage = valueOf("结账单数");
        wechatOnPage = valueOf("微信");
        auto* counted = widgetOf<QLineEdit>(desktop, dayClose, "编辑框_实点现金");
        counted->setFocus();
        testing_support::typeText(counted, QStringLiteral("10"));
        difference = widgetOf<QLabel>(desktop, dayClose, "标签_差额")->text();
        testing_support::clickButton(desktop, dayClose, "按钮_确认日结");
        auto* closes = widgetOf<QTableView>(desktop, dayClose, "超级列表框_日结");
        closesListed = closes->model()->rowCount();
        firstClose = closes->model()->index(0, 0).data().toString();
    });
    EXPECT_EQ(billsOnPage, QStringLiteral("1"));
    EXPECT_EQ(wechatOnPage, text("88 元"));
    EXPECT_EQ(difference, QStringLiteral("10"));
    EXPECT_EQ(closesListed, 1);
    EXPECT_EQ(firstClose, QStringLiteral("Z1"));
    QStringList shown;
    for (const auto& message : dialogs.messages)
        shown << message.text;
    EXPECT_TRUE(shown.contains(text("结账成功！"))) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.contains(text("日结成功：Z1！"))) << shown.join('|').toStdString();
}

} // namespace
