// Two copies of the real program, each in a process and on a display of its own, taking orders at
// the same tables of one PostgreSQL server through their widgets.

#include "postgres/test_server.h"
#include "real_program.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

using testing_support::clickButton;
using testing_support::widgetOf;

constexpr char kCounterVariable[] = "VELTRANO_REAL_COUNTER"; // "<database> <counter 1 or 2>"

void pick(QComboBox* combo, const QString& item) {
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int step = 0; step < index; ++step)
        QTest::keyClick(combo, Qt::Key_Down);
    QApplication::processEvents();
}

void clickLine(qtui::QtDesktop& desktop, const ui::Window& screen, const QString& dish) {
    auto* list = widgetOf<QTableView>(desktop, screen, "超级列表框_点菜");
    ASSERT_NE(list, nullptr);
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        if (list->model()->index(row, 2).data().toString() != dish) continue;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 2)).center());
        QApplication::processEvents();
        return;
    }
    ADD_FAILURE() << "no line " << dish.toStdString();
}

// One counter's part, run in a process the test below starts: it opens the three tables (or hears
// that the other counter did), switches to each and orders its own two dishes there, the first
// one three times.
TEST(RealCounter, TakesOrdersAtTheSharedTables) {
    const char* assignment = std::getenv(kCounterVariable);
    if (!assignment) GTEST_SKIP() << "run by TwoRealCounters";
    std::istringstream words(assignment);
    std::string database;
    int counter = 0;
    words >> database >> counter;
    const char* const dishes[2][2][2] = {{{"热菜", "鱼香肉丝/28元"}, {"主食", "米饭/2元"}},
                                         {{"凉菜", "拍黄瓜/12元"}, {"酒水", "青岛啤酒/8元"}}};
    const auto& mine = dishes[counter - 1];

    testing_support::ScriptedDialogs dialogs;
    testing_support::ProgramScript script;
    script.configuration = std::string("[database]\nengine = postgresql\nhost = ") +
                           VELTRANO_TEST_POSTGRES_FOLDER + "\ndatabase = " + database +
                           "\nuser = veltrano\n";
    script.atMainWindow = [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        const ui::Window& order = veltrano.orderScreen;
        testing_support::chooseToolbarEntry(desktop, veltrano, "开台点菜");
        for (const char* table : {"大厅01", "大厅02", "大厅03"}) {
            const QString name = QString::fromUtf8(table);
            pick(widgetOf<QComboBox>(desktop, order, "组合框_餐台"), name);
            auto* guests = widgetOf<QComboBox>(desktop, order, "组合框_人数");
            guests->lineEdit()->selectAll();
            QTest::keyClicks(guests->lineEdit(), QStringLiteral("2"));
            clickButton(desktop, order, "按钮_开台");
            ASSERT_FALSE(dialogs.messages.empty());
            const QString said = dialogs.messages.back().text;
            ASSERT_TRUE(said == QString::fromUtf8("开台成功！") ||
                        said == QString::fromUtf8("您要开的台号已开或未结账，请更换台号！"))
                << said.toStdString();

            pick(widgetOf<QComboBox>(desktop, order, "组合框_切换"), name);
            clickButton(desktop, order, "按钮_切换");
            ASSERT_EQ(widgetOf<QLabel>(desktop, order, "标签_当前操作")->text(), name);
            const std::size_t before = dialogs.messages.size();
            for (const auto& dish : mine) {
                testing_support::openMenuGroup(desktop, order, "卷帘式菜单_点菜", dish[0]);
                ASSERT_TRUE(
                    testing_support::clickMenuItem(desktop, order, "卷帘式菜单_点菜", dish[1]));
            }
            const QString first = QString::fromUtf8(mine[0][1]).section('/', 0, 0);
            for (int more = 0; more < 2; ++more) {
                clickLine(desktop, order, first);
                clickButton(desktop, order, "按钮_数量加");
            }
            EXPECT_EQ(dialogs.messages.size(), before) << "every change went through";
        }
    };
    EXPECT_EQ(testing_support::runRealProgram(dialogs, script), 0);
}

TEST(TwoRealCounters, TakeOrdersAtTheSameTablesWithoutALostLineOrAWrongTotal) {
    testing_support::ServerDatabase server;
    std::FILE* counters[2];
    for (int counter = 1; counter <= 2; ++counter) {
        const std::string command = std::string(kCounterVariable) + "='" + server.name() + " " +
                                    std::to_string(counter) + "' QT_QPA_PLATFORM=offscreen /proc/" +
                                    std::to_string(::getpid()) +
                                    "/exe --gtest_filter=RealCounter.* 2>&1";
        counters[counter - 1] = ::popen(command.c_str(), "r");
        ASSERT_NE(counters[counter - 1], nullptr);
    }
    for (std::FILE* counter : counters) {
        std::string output;
        char buffer[4096];
        while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, counter))
            output.append(buffer, read);
        EXPECT_EQ(::pclose(counter), 0) << output;
        EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    }
    EXPECT_EQ(server.sql("SELECT string_agg(台号, ',' ORDER BY 台号) FROM 流水 WHERE 状态 = 0"),
              "大厅01,大厅02,大厅03")
        << "one order for each table";
    EXPECT_EQ(server.sql("SELECT COUNT(*) FROM 明细"), "12") << "no line lost";
    EXPECT_EQ(server.sql("SELECT string_agg(DISTINCT 菜品 || '×' || 数量, ',') FROM 明细"),
              "拍黄瓜×3,米饭×1,青岛啤酒×1,鱼香肉丝×3");
    EXPECT_EQ(server.sql("SELECT string_agg(DISTINCT 金额::text, ',') FROM 流水"), "130");
    EXPECT_EQ(
        server.sql("SELECT COUNT(*) FROM 流水 o WHERE o.金额 <> (SELECT SUM(金额) FROM 明细 l "
                   "WHERE l.单号 = o.单号)"),
        "0");
}

} // namespace
