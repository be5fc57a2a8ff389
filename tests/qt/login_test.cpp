#include "app/app.h"
#include "program/program.h"
#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "qt/qt_desktop.h"
#include "scripted_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

// The whole start on real widgets: the login screen appears over the main window, the
// administrator types the password and presses Enter, the main window shows the user, and its
// close button ends the run.
TEST(RealLogin, TheAdministratorLogsInWithEnterAndClosesTheProgram) {
    testing_support::TestDirectory directory;
    testing_support::createDeliveredDatabase(directory.path());
    testing_support::ScriptedDialogs dialogs;
    qtui::QtDesktop desktop(dialogs, directory.path(),
                            QStringLiteral("VeltranoTest-") + QUuid::createUuid().toString());
    app::App veltrano(desktop);
    program::bindScreens(veltrano);

    bool typed = false;
    QString userShown;
    QTimer person;
    person.setInterval(20);
    QObject::connect(&person, &QTimer::timeout, [&] {
        QWidget* login = desktop.view(veltrano.loginScreen);
        if (!typed && login && login->isVisible()) {
            auto* password = login->findChild<QLineEdit*>(QStringLiteral("编辑框_密码"));
            ASSERT_NE(password, nullptr);
            QTest::keyClicks(password, QStringLiteral("admin"));
            typed = true;
            QTest::keyClick(password, Qt::Key_Return);
            return;
        }
        QWidget* main = desktop.view(veltrano.mainWindow);
        if (typed && main && main->isVisible()) {
            userShown = main->findChild<QLabel*>(QStringLiteral("标签_用户"))->text();
            person.stop();
            QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("按钮1")),
                              Qt::LeftButton);
        }
    });
    person.start();
    QTimer::singleShot(20000, [&] { veltrano.mainWindow.close(); }); // never hang the suite

    EXPECT_EQ(veltrano.run(), 0);
    EXPECT_TRUE(typed);
    EXPECT_EQ(userShown, QString::fromUtf8("管理员"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(veltrano.database.IsOpen());
}

} // namespace
