#include "common/test_directory.h"
#include "real_program.h"
#include "support/gbk.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

using testing_support::chooseToolbarEntry;
using testing_support::clickButton;
using testing_support::widgetOf;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Picks the item as a person would: from the keyboard, one step at a time.
void pickWithKeys(QComboBox* combo, const QString& item) {
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int step = 0; step <= combo->count() && combo->currentText() != item; ++step)
        QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(combo->currentText(), item);
}

QStringList rowOf(const QTableView* list, int row) {
    QStringList cells;
    for (int column = 0; column < list->model()->columnCount(); ++column)
        cells << list->model()->index(row, column).data().toString();
    return cells;
}

int rowWith(const QTableView* list, int column, const QString& cell) {
    for (int row = 0; row < list->model()->rowCount(); ++row)
        if (list->model()->index(row, column).data().toString() == cell) return row;
    return -1;
}

void clickRow(QTableView* list, int row) {
    ASSERT_GE(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 1)).center());
    QApplication::processEvents();
}

QByteArray gbk(const char* utf8) {
    return QByteArray::fromStdString(support::utf8ToGbk(utf8).value_or(""));
}

// The road of one order through the real widgets, from the toolbar to the deletion in the records.
TEST(RealProgram, TheRoadOfOneOrder) {
    testing_support::ScriptedDialogs dialogs;
    testing_support::TestDirectory exports;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        const ui::Window& order = veltrano.orderScreen;
        chooseToolbarEntry(desktop, veltrano, "开台点菜");
        ASSERT_TRUE(order.isOpen());

        // Two tables opened; the one opened last is the one ordered for.
        auto* guests = widgetOf<QComboBox>(desktop, order, "组合框_人数");
        for (const auto& [table, people] : {std::pair{"大厅02", "2"}, std::pair{"大厅01", "4"}}) {
            pickWithKeys(widgetOf<QComboBox>(desktop, order, "组合框_餐台"), text(table));
            guests->lineEdit()->selectAll();
            testing_support::typeText(guests->lineEdit(), text(people));
            clickButton(desktop, order, "按钮_开台");
            ASSERT_FALSE(dialogs.messages.empty());
            ASSERT_EQ(dialogs.messages.back().text, text("开台成功！")) << table;
        }
        const QString number = widgetOf<QLabel>(desktop, order, "标签_单号")->text();
        ASSERT_FALSE(number.isEmpty());

        for (const auto& [group, dish] : {std::pair{"热菜", "红烧肉/48元"},
                                          std::pair{"主食", "米饭/2元"},
                                          std::pair{"酒水", "青岛啤酒/8元"}}) {
            testing_support::openMenuGroup(desktop, order, "卷帘式菜单_点菜", group);
            ASSERT_TRUE(testing_support::clickMenuItem(desktop, order, "卷帘式菜单_点菜", dish))
                << dish;
        }
        auto* lines = widgetOf<QTableView>(desktop, order, "超级列表框_点菜");
        ASSERT_EQ(lines->model()->rowCount(), 3);
        clickRow(lines, rowWith(lines, 2, text("米饭")));
        clickButton(desktop, order, "按钮_数量加");
        clickButton(desktop, order, "按钮_数量加");
        clickButton(desktop, order, "按钮_数量减");
        EXPECT_EQ(rowOf(lines, rowWith(lines, 2, text("米饭"))).mid(3, 3),
                  (QStringList{"2", "2", "4"}));
        EXPECT_EQ(widgetOf<QLabel>(desktop, order, "标签_总金额")->text(), QStringLiteral("60"));
        EXPECT_EQ(widgetOf<QLabel>(desktop, order, "标签_菜品总数")->text(), QStringLiteral("4"));

        // Away to the other table and back: the lines were kept in the database.
        auto* openTables = widgetOf<QComboBox>(desktop, order, "组合框_切换");
        pickWithKeys(openTables, text("大厅02"));
        clickButton(desktop, order, "按钮_切换");
        EXPECT_EQ(lines->model()->rowCount(), 0);
        EXPECT_EQ(widgetOf<QLabel>(desktop, order, "标签_当前操作")->text(), text("大厅02"));
        pickWithKeys(openTables, text("大厅01"));
        clickButton(desktop, order, "按钮_切换");
        EXPECT_EQ(widgetOf<QLabel>(desktop, order, "标签_单号")->text(), number);
        ASSERT_EQ(lines->model()->rowCount(), 3);
        EXPECT_EQ(widgetOf<QLabel>(desktop, order, "标签_总金额")->text(), QStringLiteral("60"));

        // Settled with a remark; the other table stays open.
        const ui::Window& checkout = veltrano.checkoutScreen;
        chooseToolbarEntry(desktop, veltrano, "买单结账");
        auto* unsettled = widgetOf<QTableView>(desktop, checkout, "超级列表框_流水");
        ASSERT_EQ(unsettled->model()->rowCount(), 2);
        clickRow(unsettled, rowWith(unsettled, 1, number));
        EXPECT_EQ(widgetOf<QTableView>(desktop, checkout, "超级列表框_明细")->model()->rowCount(),
                  3);
        testing_support::typeText(widgetOf<QLineEdit>(desktop, checkout, "编辑框_金额"), QStringLiteral("100"));
        EXPECT_EQ(widgetOf<QLabel>(desktop, checkout, "标签_找零")->text(), QStringLiteral("40"));
        QWidget* remark = desktop.view(checkout)->findChild<QWidget*>(text("编辑框_备注文本"));
        testing_support::typeText(remark, text("少放辣"));
        clickButton(desktop, checkout, "按钮_结账");
        EXPECT_EQ(dialogs.messages.back().text, text("结账成功！"));
        ASSERT_EQ(unsettled->model()->rowCount(), 1);
        EXPECT_EQ(rowOf(unsettled, 0).value(3), text("大厅02"));

        // In the records: today's orders, then this one by its number, with its lines.
        const ui::Window& records = veltrano.recordsScreen;
        chooseToolbarEntry(desktop, veltrano, "明细查询");
        auto* found = widgetOf<QTableView>(desktop, records, "超级列表框_流水");
        clickButton(desktop, records, "按钮_查询时间");
        EXPECT_EQ(found->model()->rowCount(), 2);
        testing_support::typeText(widgetOf<QLineEdit>(desktop, records, "编辑框_单号"), number);
        clickButton(desktop, records, "按钮_查询单号");
        ASSERT_EQ(found->model()->rowCount(), 1);
        const QStringList settled = rowOf(found, 0);
        EXPECT_EQ(settled.mid(1, 1) + settled.mid(3, 4),
                  (QStringList{number, text("大厅01"), "4", "60", text("已结账")}));
        EXPECT_EQ(settled.value(8), text("[实收：100元]\r\n[找零：40元]少放辣"));
        clickRow(found, 0);
        auto* foundLines = widgetOf<QTableView>(desktop, records, "超级列表框_明细");
        ASSERT_EQ(foundLines->model()->rowCount(), 3);
        EXPECT_EQ(rowOf(foundLines, rowWith(foundLines, 2, text("米饭"))).mid(3, 4),
                  (QStringList{"2", "2", "4", text("主食")}));

        // Both exports hold what the lists show, in GBK.
        for (const char* button : {"按钮_流水导出", "按钮_单台导出"}) {
            const QString file = QString::fromStdString(exports.file(button).string());
            dialogs.saveAnswers.push_back(file);
            clickButton(desktop, records, button);
            EXPECT_EQ(dialogs.messages.back().text, text("保存成功！")) << button;
            QFile written(file + QStringLiteral(".xls"));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << button;
            const QByteArray bytes = written.readAll();
            EXPECT_TRUE(bytes.startsWith("<meta http-equiv=\"Content-Type\"")) << button;
            EXPECT_TRUE(bytes.contains(number.toLatin1())) << button;
            for (const char* cell : {"红烧肉", "米饭", "青岛啤酒"})
                EXPECT_EQ(bytes.contains(gbk(cell)), std::string(button) == "按钮_单台导出")
                    << button << " " << cell;
            EXPECT_EQ(bytes.contains(gbk("少放辣")), std::string(button) == "按钮_流水导出")
                << button;
        }

        // Deleted after the question; the query by its number, repeated, finds it no more.
        clickRow(found, 0);
        const std::size_t shownBefore = dialogs.messages.size();
        clickButton(desktop, records, "按钮_删除");
        ASSERT_EQ(dialogs.messages.size(), shownBefore + 2);
        EXPECT_EQ(dialogs.messages[shownBefore].flags, 0x21);
        EXPECT_EQ(dialogs.messages.back().text, text("没有查询到该单号，请检查是否输入有误！"));
        EXPECT_EQ(found->model()->rowCount(), 0);
        EXPECT_EQ(foundLines->model()->rowCount(), 0);
        clickButton(desktop, records, "按钮_查询时间");
        ASSERT_EQ(found->model()->rowCount(), 1);
        EXPECT_EQ(rowOf(found, 0).value(3), text("大厅02"));
    });
}

} // namespace
