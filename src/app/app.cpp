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

std::string App::databaseName() const {
    return databaseSetting.engine == store::Engine::Postgres ? databaseSetting.describe()
                                                             : databasePath();
}

bool App::openData(store::SqliteDB& into) const {
    return store::openData(into, databaseSetting, databasePath());
}

bool App::openTable(store::SqliteTable& cursor, const char* tableName) {
    if (database.IsOpen() && cursor.IsOpen()) return true;
    if (!database.InTransaction()) {
        database.Close();
        if (!openData(database)) return false;
    }
    return cursor.Open(tableName, database);
}

void App::databaseReplaced() {
    database.FileReplaced();
    damageReported_ = false;
}

bool App::openDatabase() {
    return database.IsOpen() || openData(database);
}

int App::message(ui::Window& owner, std::string_view text, int flags) {
    ++messagesShown_;
    const int answer = desktop_.messageBox(text, flags, ui::kDefaultMessageTitle, &owner);
    --messagesShown_;
    return answer;
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
