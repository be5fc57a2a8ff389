#include "real_program.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using testing_support::widgetOf;

// A table opened, ordered for and settled through the real widgets: the toolbar entries, the
// combo boxes, the open button, a menu group and a dish, then the order list, the amount box and
// the settle button.
TEST(RealProgram, ATableIsOpenedOrderedForAndSettled) {
    testing_support::ScriptedDialogs dialogs;
    QStringList line;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        auto* toolbar = widgetOf<QToolBar>(desktop, veltrano.mainWindow, "工具条1");
        for (QAction* action : toolbar->actions())
            if (action->text() == QString::fromUtf8("开台点菜")) action->trigger();
        ASSERT_TRUE(veltrano.orderScreen.isOpen());

        auto* tables = widgetOf<QComboBox>(desktop, veltrano.orderScreen, "组合框_餐台");
        tables->setFocus();
        QTest::keyClick(tables, Qt::Key_Down); // the first table
        auto* guests = widgetOf<QComboBox>(desktop, veltrano.orderScreen, "组合框_人数");
        QTest::keyClicks(guests->lineEdit(), QStringLiteral("4"));
        QTest::mouseClick(widgetOf<QPushButton>(desktop, veltrano.orderScreen, "按钮_开台"),
                          Qt::LeftButton);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8("开台成功！"));

        QWidget* menu = widgetOf<QWidget>(desktop, veltrano.orderScreen, "卷帘式菜单_点菜");
        for (auto* header : menu->findChildren<QPushButton*>())
            if (header->text() == QString::fromUtf8("热菜"))
                QTest::mouseClick(header, Qt::LeftButton);
        QApplication::processEvents();
        auto* dishes = menu->findChild<QListWidget*>();
        ASSERT_NE(dishes, nullptr);
        const auto found = dishes->findItems(QString::fromUtf8("红烧肉/48元"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(dishes->viewport(), Qt::LeftButton, {},
                          dishes->visualItemRect(found[0]).center());
        QApplication::processEvents();

        const QAbstractItemModel* lines =
            widgetOf<QTableView>(desktop, veltrano.orderScreen, "超级列表框_点菜")->model();
        ASSERT_EQ(lines->rowCount(), 1);
        for (int column = 0; column < lines->columnCount(); ++column)
            line << lines->index(0, column).data().toString();

        for (QAction* action : toolbar->actions())
            if (action->text() == QString::fromUtf8("买单结账")) action->trigger();
        QApplication::processEvents();
        auto* orders = widgetOf<QTableView>(desktop, veltrano.checkoutScreen, "超级列表框_流水");
        ASSERT_EQ(orders->model()->rowCount(), 1);
        QTest::mouseClick(orders->viewport(), Qt::LeftButton, {},
                          orders->visualRect(orders->model()->index(0, 1)).center());
        auto* received = widgetOf<QLineEdit>(desktop, veltrano.checkoutScreen, "编辑框_金额");
        QTest::keyClicks(received, QStringLiteral("50"));
        EXPECT_EQ(widgetOf<QLabel>(desktop, veltrano.checkoutScreen, "标签_找零")->text(),
                  QStringLiteral("2"));
        QTest::mouseClick(widgetOf<QPushButton>(desktop, veltrano.checkoutScreen, "按钮_结账"),
                          Qt::LeftButton);
        ASSERT_EQ(dialogs.messages.size(), 2u);
        EXPECT_EQ(dialogs.messages[1].text, QString::fromUtf8("结账成功！"));
        QApplication::processEvents();
        EXPECT_EQ(orders->model()->rowCount(), 0);
    });
    EXPECT_EQ(line.value(2), QString::fromUtf8("红烧肉"));
    EXPECT_EQ(line.value(4), QStringLiteral("1"));
    EXPECT_EQ(line.value(5), QStringLiteral("48"));
}

} // namespace
