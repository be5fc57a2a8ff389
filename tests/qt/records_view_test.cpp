#include "real_program.h"
#include "store/schema.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using testing_support::chooseToolbarEntry;
using testing_support::clickButton;
using testing_support::widgetOf;
namespace orders = store::schema::orders;

QString cell(const QTableView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
}

// On real widgets, a deletion after 查询全部 takes the order's row out of the list that shows:
// the rows below move up and are numbered again, nothing stays selected, and the totals follow.
// Closed, the screen lets its rows go; opened again, it lists what the file holds.
TEST(RecordsView, ADeletedOrderLeavesTheListAndTheRowsBelowMoveUp) {
    testing_support::ScriptedDialogs dialogs;
    const int exitCode = runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        ASSERT_TRUE(veltrano.openTable(veltrano.orders, orders::kTable));
        for (const char* number : {"20261201100000", "20261202100000", "20261203100000"}) {
            ASSERT_TRUE(veltrano.orders.BeginAdd());
            veltrano.orders.Write(orders::kNumber, number);
            veltrano.orders.Write(orders::kTime, "2026年12月1日10时");
            veltrano.orders.Write(orders::kDiningTable, "大厅01");
            veltrano.orders.Write(orders::kGuests, 2);
            veltrano.orders.Write(orders::kAmount, 10);
            ASSERT_TRUE(veltrano.orders.Commit());
        }
        veltrano.orders.Close();

        const ui::Window& records = veltrano.recordsScreen;
        chooseToolbarEntry(desktop, veltrano, "明细查询");
        auto* list = widgetOf<QTableView>(desktop, records, "超级列表框_流水");
        ASSERT_NE(list, nullptr);
        clickButton(desktop, records, "按钮_查询全部");
        QApplication::processEvents();
        ASSERT_EQ(list->model()->rowCount(), 3);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(1, 1)).center());
        QApplication::processEvents();
        dialogs.messageAnswers.push_back(ui::kOk);
        clickButton(desktop, records, "按钮_删除");
        QApplication::processEvents();
        ASSERT_EQ(list->model()->rowCount(), 2);
        EXPECT_EQ(cell(list, 0, 0), QStringLiteral("1"));
        EXPECT_EQ(cell(list, 1, 0), QStringLiteral("2"));
        EXPECT_EQ(cell(list, 1, 1), QStringLiteral("20261203100000"));
        EXPECT_FALSE(list->selectionModel()->hasSelection());
        EXPECT_EQ(veltrano.recordsScreen.label("标签_金额合计").caption(), "20");

        veltrano.recordsScreen.close();
        EXPECT_EQ(veltrano.recordsScreen.listView("超级列表框_流水").rowCount(), 0);
        chooseToolbarEntry(desktop, veltrano, "明细查询");
        list = widgetOf<QTableView>(desktop, records, "超级列表框_流水");
        clickButton(desktop, records, "按钮_查询全部");
        QApplication::processEvents();
        ASSERT_EQ(list->model()->rowCount(), 2);
        EXPECT_EQ(cell(list, 0, 1), QStringLiteral("20261201100000"));
    });
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(dialogs.messages.size(), 1u); // the question, and nothing else
}

} // namespace
