#include "real_program.h"

#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "program/program.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUuid>
#include <gtest/gtest.h>

namespace testing_support {

int runRealProgram(ScriptedDialogs& dialogs,
                   const std::function<void(qtui::QtDesktop&, app::App&)>& atMainWindow) {
    TestDirectory directory;
    createDeliveredDatabase(directory.path());
    qtui::QtDesktop desktop(dialogs, directory.path(),
                            QStringLiteral("VeltranoTest-") + QUuid::createUuid().toString());
    app::App veltrano(desktop);
    program::bindScreens(veltrano);

    bool typed = false;
    QTimer person;
    person.setInterval(20);
    QObject::connect(&person, &QTimer::timeout, [&] {
        QWidget* login = desktop.view(veltrano.loginScreen);
        if (!typed && login && login->isVisible()) {
            auto* password = widgetOf<QLineEdit>(desktop, veltrano.loginScreen, "编辑框_密码");
            QTest::keyClicks(password, QStringLiteral("admin"));
            typed = true;
            QTest::keyClick(password, Qt::Key_Return);
            return;
        }
        QWidget* main = desktop.view(veltrano.mainWindow);
        if (typed && main && main->isVisible()) {
            person.stop();
            if (atMainWindow) atMainWindow(desktop, veltrano);
            if (auto* close = widgetOf<QPushButton>(desktop, veltrano.mainWindow, "按钮1"))
                QTest::mouseClick(close, Qt::LeftButton);
        }
    });
    person.start();
    QTimer::singleShot(20000, [&] { veltrano.mainWindow.close(); });
    const int exitCode = veltrano.run();
    EXPECT_TRUE(typed) << "the login screen never showed";
    EXPECT_FALSE(veltrano.database.IsOpen());
    return exitCode;
}

} // namespace testing_support
