#include "common/test_directory.h"
#include "real_program.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFile>
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

// The road of one order through the real widgets: a table opened from the toolbar with the two
// combo boxes, a dish from a menu group, the order settled on the checkout screen, then found in
// the records and exported both ways.
TEST(RealProgram, AnOrderIsTakenSettledFoundAndExported) {
    testing_support::ScriptedDialogs dialogs;
    testing_support::TestDirectory exports;
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

        // The settled order in the records, its lines on a click, and both exports.
        for (QAction* action : toolbar->actions())
            if (action->text() == QString::fromUtf8("明细查询")) action->trigger();
        QTest::mouseClick(widgetOf<QPushButton>(desktop, veltrano.recordsScreen, "按钮_查询全部"),
                          Qt::LeftButton);
        QApplication::processEvents();
        auto* records = widgetOf<QTableView>(desktop, veltrano.recordsScreen, "超级列表框_流水");
        ASSERT_EQ(records->model()->rowCount(), 1);
        EXPECT_EQ(records->model()->index(0, 6).data().toString(), QString::fromUtf8("已结账"));
        QTest::mouseClick(records->viewport(), Qt::LeftButton, {},
                          records->visualRect(records->model()->index(0, 1)).center());
        QApplication::processEvents();
        EXPECT_EQ(widgetOf<QTableView>(desktop, veltrano.recordsScreen, "超级列表框_明细")
                      ->model()
                      ->rowCount(),
                  1);
        for (const char* button : {"按钮_流水导出", "按钮_单台导出"}) {
            const QString file = QString::fromStdString(exports.file(button).string());
            dialogs.saveAnswers.push_back(file);
            QTest::mouseClick(widgetOf<QPushButton>(desktop, veltrano.recordsScreen, button),
                              Qt::LeftButton);
            QFile written(file + QStringLiteral(".xls"));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << button;
            EXPECT_TRUE(written.readAll().startsWith("<meta http-equiv=\"Content-Type\""));
        }
        EXPECT_EQ(dialogs.messages.back().text, QString::fromUtf8("保存成功！"));
    });
    EXPECT_EQ(line.value(2), QString::fromUtf8("红烧肉"));
    EXPECT_EQ(line.value(4), QStringLiteral("1"));
    EXPECT_EQ(line.value(5), QStringLiteral("48"));
}

} // namespace
