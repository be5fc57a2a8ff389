#include "backup/backup_folder.h"
#include "backup/backup_settings.h"
#include "real_program.h"
#include "store/database_copy.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using testing_support::widgetOf;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A clock a test sets, read by the program instead of the system's.
class SetClock final : public support::Clock {
public:
    support::CalendarTime now() const override { return moment; }
    support::CalendarTime moment;
};

int rowsOf(const QTableView* list) {
    return list ? list->model()->rowCount() : -1;
}

// The backup is made on a worker while the screen goes on: the day's backup at start is listed,
// and one made with the button follows on the progress bar and joins the list.
TEST(RealProgram, ABackupMadeWithTheButtonRunsOffTheScreenThreadAndIsListed) {
    testing_support::ScriptedDialogs dialogs;
    SetClock clock;
    int listedAtOpen = -1;
    int listedAfter = -1;
    int percentAfter = -1;
    bool barShown = false;
    QString expectedName;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        const ui::Window& screen = veltrano.backupScreen;
        QTimer person;
        person.setInterval(20);
        QObject::connect(&person, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    if (action->text() == text("备份与恢复")) menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
            auto* list = widgetOf<QTableView>(desktop, screen, "超级列表框_备份");
            if (rowsOf(list) < 1) return; // the start's backup is still being made or listed
            person.stop();
            listedAtOpen = rowsOf(list);
            // A day later, so that its name is new and the first stays within the days kept.
            clock.moment =
                *support::toCalendarTime(support::toDateTime(support::SystemClock().now()) + 1.0);
            expectedName = QString::fromStdString(backup::backupFileName(clock.moment));
            desktop.useClock(clock);
            auto* button = widgetOf<QPushButton>(desktop, screen, "按钮_立即备份");
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 10000));
            // The list is read again off the screen thread once the backup is made.
            EXPECT_TRUE(QTest::qWaitFor([&] { return rowsOf(list) > listedAtOpen; }, 5000));
            listedAfter = rowsOf(list);
            auto* bar = widgetOf<QProgressBar>(desktop, screen, "进度条_备份");
            barShown = bar->isVisible();
            percentAfter = bar->value();
            testing_support::clickButton(desktop, screen, "按钮_关闭");
        });
        person.start();
        testing_support::chooseToolbarEntry(desktop, veltrano, "系统设置");
    });
    EXPECT_EQ(listedAtOpen, 1);
    EXPECT_EQ(listedAfter, 2);
    EXPECT_TRUE(barShown);
    EXPECT_EQ(percentAfter, 100);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(text("备份成功：")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(expectedName)) << expectedName.toStdString();
}

// A restore on real widgets: the copy runs on a worker, the screen closes, and the program starts
// over at a login of its own inside the menu's handler; after it the data is the backup's.
TEST(RealProgram, ARestoreStartsTheProgramOverAtTheLoginWithTheBackupsData) {
    testing_support::ScriptedDialogs dialogs;
    int tablesBeforeRestore = -1;
    int tablesAfterRestore = -1;
    bool loggedInAgain = false;
    QString userAfter;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        const ui::Window& screen = veltrano.backupScreen;
        const auto tables = [&] {
            return static_cast<int>(
                store::countRows(backup::databaseFile(veltrano), "餐台").value_or(-1));
        };
        bool restoring = false;
        QTimer person;
        person.setInterval(20);
        QObject::connect(&person, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    if (action->text() == text("备份与恢复")) menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
            if (QWidget* login = desktop.view(veltrano.loginScreen); login && login->isVisible()) {
                person.stop();
                auto* password = widgetOf<QLineEdit>(desktop, veltrano.loginScreen, "编辑框_密码");
                QTest::keyClicks(password, QStringLiteral("admin"));
                QTest::keyClick(password, Qt::Key_Return);
                loggedInAgain = true;
                return;
            }
            auto* list = widgetOf<QTableView>(desktop, screen, "超级列表框_备份");
            if (restoring || rowsOf(list) < 1) return;
            restoring = true;
            veltrano.openTable(veltrano.diningTables, "餐台");
            veltrano.diningTables.BeginAdd();
            veltrano.diningTables.Write("餐台", "露台01");
            veltrano.diningTables.Commit();
            veltrano.diningTables.Close();
            tablesBeforeRestore = tables();
            const QRect firstRow = list->visualRect(list->model()->index(0, 1));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, firstRow.center());
            testing_support::clickButton(desktop, screen, "按钮_恢复");
        });
        person.start();
        testing_support::chooseToolbarEntry(desktop, veltrano, "系统设置");
        tablesAfterRestore = tables();
        userAfter = widgetOf<QLabel>(desktop, veltrano.mainWindow, "标签_用户")->text();
    });
    EXPECT_EQ(tablesBeforeRestore, 11);
    EXPECT_EQ(tablesAfterRestore, 10);
    EXPECT_TRUE(loggedInAgain);
    EXPECT_EQ(userAfter, text("管理员"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(text("确定用")));
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(text("恢复成功！")))
        << dialogs.messages[1].text.toStdString();
}

} // namespace
