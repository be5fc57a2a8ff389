#include "app/app.h"

#include "support/path_text.h"
#include "ui/screens/screens.h"

namespace app {

App::App(ui::Desktop& desktop)
    : mainWindow(ui::screens::mainWindow()), loginScreen(ui::screens::loginScreen()),
      orderScreen(ui::screens::orderScreen()), checkoutScreen(ui::screens::checkoutScreen()),
      recordsScreen(ui::screens::recordsScreen()),
      userSettingsScreen(ui::screens::userSettingsScreen()),
      restaurantSettingsScreen(ui::screens::restaurantSettingsScreen()),
      backupScreen(ui::screens::backupScreen()), dayCloseScreen(ui::screens::dayCloseScreen()),
      printerSettingsScreen(ui::screens::printerSettingsScreen()),
      reportsScreen(ui::screens::reportsScreen()), desktop_(desktop) {}

int App::run() {
    mainWindow.open(desktop_);
    if (mainWindow.isOpen()) desktop_.runUntilClosed(mainWindow);
    desktop_.finishBackgroundWork();
    if (startedUp_ && onExit) onExit();
    return 0;
}

void App::startUpWork() {
    startedUp_ = true;
    if (onStartUp) onStartUp();
}

std::string App::databasePath() const {
    return support::pathText(desktop_.programDirectory() / "cysj.db");
}

bool App::openTable(store::SqliteTable& cursor, const char* tableName) {
    if (database.IsOpen() && cursor.IsOpen()) return true;
    if (!database.InTransaction()) {
        database.Close();
        if (!database.Open(databasePath())) return false;
    }
    return cursor.Open(tableName, database);
}

void App::databaseReplaced() {
    database.FileReplaced();
    damageReported_ = false;
}

bool App::openDatabase() {
    return database.IsOpen() || database.Open(databasePath());
}

int App::message(ui::Window& owner, std::string_view text, int flags) {
    return desktop_.messageBox(text, flags, ui::kDefaultMessageTitle, &owner);
}

void App::reportFailure(ui::Window& owner, std::string_view text, int flags) {
    if (!database.Damaged() || damageReported_) {
        message(owner, text, flags);
        return;
    }
    damageReported_ = true;
    message(owner,
            "数据库文件已损坏：" + databasePath() +
                "\r\n为免数据再受损失，本次运行不再写入该文件。请在“系统设置—备份与恢复”中用最近的"
                "备份恢复。",
            ui::kErrorBox);
}

} // namespace app
