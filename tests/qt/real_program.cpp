#include "real_program.h"

#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "program/program.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <fstream>
#include <gtest/gtest.h>

namespace testing_support {

int runRealProgram(ScriptedDialogs& dialogs, const ProgramScript& script) {
    TestDirectory directory;
    createDeliveredDatabase(directory.path());
    if (!script.configuration.empty())
        std::ofstream(directory.file("veltrano.conf")) << script.configuration;
    qtui::QtDesktop desktop(dialogs, directory.path(), script.instanceKey);
    app::App veltrano(desktop);
    program::bindScreens(veltrano);

    bool typed = false;
    bool loginStepDone = !script.atFirstLogin;
    QTimer person;
    person.setInterval(20);
    QObject::connect(&person, &QTimer::timeout, [&] {
        QWidget* login = desktop.view(veltrano.loginScreen);
        if (!typed && login && login->isVisible()) {
            if (!loginStepDone) {
                loginStepDone = true;
                script.atFirstLogin(desktop, veltrano);
                return; // the step may have changed the screens: look again at the next tick
            }
            auto* password = widgetOf<QLineEdit>(desktop, veltrano.loginScreen, "编辑框_密码");
            QTest::keyClicks(password, QStringLiteral("admin"));
            typed = true;
            QTest::keyClick(password, Qt::Key_Return);
            return;
        }
        QWidget* main = desktop.view(veltrano.mainWindow);
        if (typed && main && main->isVisible()) {
            person.stop();
            if (script.atMainWindow) script.atMainWindow(desktop, veltrano);
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

int runRealProgram(ScriptedDialogs& dialogs, const ProgramStep& atMainWindow) {
    ProgramScript script;
    script.atMainWindow = atMainWindow;
    return runRealProgram(dialogs, script);
}

namespace {

// The item list of an outlook bar's open group; lists of groups closed since wait hidden for their
// deletion.
QListWidget* shownItemList(QWidget* bar) {
    if (!bar) return nullptr;
    for (auto* items : bar->findChildren<QListWidget*>())
        if (!items->isHidden()) return items;
    return nullptr;
}

} // namespace

void chooseToolbarEntry(qtui::QtDesktop& desktop, app::App& veltrano, const char* text) {
    auto* toolbar = widgetOf<QToolBar>(desktop, veltrano.mainWindow, "工具条1");
    ASSERT_NE(toolbar, nullptr);
    for (QAction* action : toolbar->actions())
        if (action->text() == QString::fromUtf8(text)) action->trigger();
    QApplication::processEvents();
}

void clickButton(qtui::QtDesktop& desktop, const ui::Window& window, const char* name) {
    auto* button = widgetOf<QPushButton>(desktop, window, name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

void openMenuGroup(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar,
                   const char* title) {
    auto* menu = widgetOf<QWidget>(desktop, window, bar);
    ASSERT_NE(menu, nullptr) << bar;
    for (auto* header : menu->findChildren<QPushButton*>())
        if (!header->isHidden() && header->text() == QString::fromUtf8(title)) {
            QTest::mouseClick(header, Qt::LeftButton);
            break; // the click rebuilds the headers
        }
    QApplication::processEvents();
}

bool clickMenuItem(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar,
                   const char* text) {
    auto* menu = widgetOf<QWidget>(desktop, window, bar);
    QListWidget* items = shownItemList(menu);
    if (!items) return false;
    const auto found = items->findItems(QString::fromUtf8(text), Qt::MatchExactly);
    if (found.size() != 1) return false;
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                      items->visualItemRect(found[0]).center());
    QApplication::processEvents();
    return true;
}

QStringList menuGroupTitles(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar) {
    QStringList titles;
    if (auto* menu = widgetOf<QWidget>(desktop, window, bar))
        for (auto* header : menu->findChildren<QPushButton*>())
            if (!header->isHidden()) titles << header->text();
    return titles;
}

QStringList menuItems(qtui::QtDesktop& desktop, const ui::Window& window, const char* bar) {
    QStringList texts;
    if (QListWidget* items = shownItemList(widgetOf<QWidget>(desktop, window, bar)))
        for (int row = 0; row < items->count(); ++row)
            texts << items->item(row)->text();
    return texts;
}

} // namespace testing_support
