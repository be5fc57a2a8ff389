#include "real_program.h"
#include "store/schema.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

using testing_support::chooseToolbarEntry;
using testing_support::widgetOf;
namespace users = store::schema::users;

// Every button a permission gates, on the three screens that can stay open during a switch.
struct GatedButton {
    ui::Window app::App::*screen;
    const char* name;
};
const GatedButton kGatedButtons[] = {
    {&app::App::orderScreen, "按钮_开台"},        {&app::App::checkoutScreen, "按钮_结账"},
    {&app::App::recordsScreen, "按钮_查询时间"},  {&app::App::recordsScreen, "按钮_查询全部"},
    {&app::App::recordsScreen, "按钮_查询单号"},  {&app::App::recordsScreen, "按钮_删除"},
    {&app::App::recordsScreen, "按钮_流水导出"},  {&app::App::recordsScreen, "按钮_单台导出"},
};

// A switch to a user without permissions greys the gated buttons of the open screens at once.
TEST(RealProgram, SwitchingToAUserWithoutPermissionsGreysTheOpenScreens) {
    testing_support::ScriptedDialogs dialogs;
    std::vector<std::string> enabledBefore;
    std::vector<std::string> enabledAfter;
    testing_support::runRealProgram(dialogs, [&](qtui::QtDesktop& desktop, app::App& veltrano) {
        ASSERT_TRUE(veltrano.openTable(veltrano.users, users::kTable));
        ASSERT_TRUE(veltrano.users.BeginAdd());
        veltrano.users.Write(users::kName, "服务员");
        veltrano.users.Write(users::kPassword, "1234");
        ASSERT_TRUE(veltrano.users.Commit());
        veltrano.users.Close();

        for (const char* entry : {"开台点菜", "买单结账", "明细查询"})
            chooseToolbarEntry(desktop, veltrano, entry);
        const auto enabledButtons = [&] {
            std::vector<std::string> enabled;
            for (const GatedButton& gated : kGatedButtons) {
                auto* button = widgetOf<QPushButton>(desktop, veltrano.*gated.screen, gated.name);
                EXPECT_NE(button, nullptr) << gated.name;
                if (button && button->isEnabled()) enabled.push_back(gated.name);
            }
            return enabled;
        };
        enabledBefore = enabledButtons();

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
        EXPECT_EQ(veltrano.currentUser.name, "服务员");
        enabledAfter = enabledButtons();
    });
    EXPECT_EQ(enabledBefore.size(), std::size(kGatedButtons));
    EXPECT_TRUE(enabledAfter.empty()) << enabledAfter.front();
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
