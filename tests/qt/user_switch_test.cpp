#include "real_program.h"
#include "store/schema.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using testing_support::widgetOf;
namespace users = store::schema::users;

void chooseToolbarEntry(qtui::QtDesktop& desktop, app::App& veltrano, const char* text) {
    auto* toolbar = widgetOf<QToolBar>(desktop, veltrano.mainWindow, "工具条1");
    for (QAction* action : toolbar->actions())
        if (action->text() == QString::fromUtf8(text)) action->trigger();
}

// A switch to a user without permissions greys the gated buttons of the open screens at once.
TEST(RealProgram, SwitchingToAUserWithoutPermissionsGreysTheOpenScreens) {
    testing_support::ScriptedDialogs dialogs;
    bool openEnabledBefore = false;
    bool openEnabledAfter = true;
    bool settleEnabledAfter = true;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        ASSERT_TRUE(veltrano.openTable(veltrano.users, users::kTable));
        ASSERT_TRUE(veltrano.users.BeginAdd());
        veltrano.users.Write(users::kName, "服务员");
        veltrano.users.Write(users::kPassword, "1234");
        ASSERT_TRUE(veltrano.users.Commit());
        veltrano.users.Close();

        chooseToolbarEntry(desktop, veltrano, "开台点菜");
        chooseToolbarEntry(desktop, veltrano, "买单结账");
        openEnabledBefore =
            widgetOf<QPushButton>(desktop, veltrano.orderScreen, "按钮_开台")->isEnabled();

        // The login screen runs its own loop: a person acts on it once it shows.
        QTimer::singleShot(50, [&] {
            auto* names = widgetOf<QComboBox>(desktop, veltrano.loginScreen, "组合框_用户");
            ASSERT_NE(names, nullptr);
            names->setFocus();
            QTest::keyClick(names, Qt::Key_Down); // from the administrator to the new user
            auto* password = widgetOf<QLineEdit>(desktop, veltrano.loginScreen, "编辑框_密码");
            QTest::keyClicks(password, QStringLiteral("1234"));
            QTest::keyClick(password, Qt::Key_Return);
        });
        chooseToolbarEntry(desktop, veltrano, "切换用户");
        openEnabledAfter =
            widgetOf<QPushButton>(desktop, veltrano.orderScreen, "按钮_开台")->isEnabled();
        settleEnabledAfter =
            widgetOf<QPushButton>(desktop, veltrano.checkoutScreen, "按钮_结账")->isEnabled();
        EXPECT_EQ(veltrano.currentUser.name, "服务员");
    });
    EXPECT_TRUE(openEnabledBefore);
    EXPECT_FALSE(openEnabledAfter);
    EXPECT_FALSE(settleEnabledAfter);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
