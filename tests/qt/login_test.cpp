#include "real_program.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

using testing_support::widgetOf;

TEST(RealProgram, TheAdministratorLogsInWithEnterAndClosesTheProgram) {
    testing_support::ScriptedDialogs dialogs;
    QString userShown;
    QString announcement;
    EXPECT_EQ(testing_support::runRealProgram(
                  dialogs,
                  [&](qtui::QtDesktop& desktop, app::App& veltrano) {
                      userShown =
                          widgetOf<QLabel>(desktop, veltrano.mainWindow, "标签_用户")->text();
                      announcement = QString::fromStdString(veltrano.announcementText);
                  }),
              0);
    EXPECT_EQ(userShown, QString::fromUtf8("管理员"));
    EXPECT_FALSE(announcement.isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
