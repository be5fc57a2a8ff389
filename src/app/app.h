#pragma once

#include "app/current_user.h"
#include "store/database_setting.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"
#include "ui/desktop.h"
#include "ui/window.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace app {

// The program's state for one run: the database and its cursors (created closed), who is logged
// in, the announcement, the switch-user flag, and the screens. Every handler is given it.
class App {
public:
    explicit App(ui::Desktop& desktop);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ui::Desktop& desktop() const { return desktop_; }

    // Opens the main window and runs until it is gone, then waits for background work and runs
    // the exit work. The exit code is 0 on every way out.
    int run();
    // Asks the run to end: the main window closes as soon as the start-up steps see it.
    void endProgram() { ending_ = true; }
    bool ending() const { return ending_; }

    // cysj.db in the program's directory.
    std::string databasePath() const;
    // Where the data is, for messages: the file, or the server (never its password).
    std::string databaseName() const;
    // Opens the data on `into`: the server of the setting, or cysj.db (never creating it).
    bool openData(store::SqliteDB& into) const;
    // Makes sure the connection and the cursor are open: when either is not, the connection is
    // closed and opened again (never creating the file) and the cursor opened on its table.
    // Inside a transaction the connection is kept, so that the transaction survives every cursor
    // its work opens.
    bool openTable(store::SqliteTable& cursor, const char* tableName);
    // Makes sure the connection is open, for reads that need no cursor (never creating the file).
    bool openDatabase();
    // Notes the database's faults from now on: a handler asks it whether a step failed, so that
    // a lookup that could not read is never taken for one that found nothing.
    store::FaultWatch watchDatabase() const { return store::FaultWatch(database.Faults()); }
    // A restored backup replaced the file: the database starts afresh, its damage forgotten.
    void databaseReplaced();

    // A message box over the window whose handler shows it, with the default title.
    int message(ui::Window& owner, std::string_view text, int flags);
    // Whether a handler waits for a message box to be answered: its cursors may be open.
    bool showingMessage() const { return messagesShown_ > 0; }
    // Tells that an action failed with its warning. The first time the file is found damaged, the
    // damage is told instead, with the file and what to do.
    void reportFailure(ui::Window& owner, std::string_view text, int flags = ui::kWarningBox);

    // Which engine holds the data, from the configuration file read at start: cysj.db unless it
    // names a server.
    store::DatabaseSetting databaseSetting;
    store::SqliteDB database;
    store::SqliteTable users;
    store::SqliteTable orderLines;
    store::SqliteTable orders;
    store::SqliteTable diningTables;
    store::SqliteTable dishes;
    store::SqliteTable categories;
    store::SqliteTable programSettings;
    store::SqliteTable settlements;
    store::SqliteTable dayCloses;
    store::SqliteTable deletedOrders;
    store::SqliteTable deletedLines;
    store::SqliteTable printers;
    store::SqliteTable printerCategories;
    store::SqliteTable kitchenSent;

    CurrentUser currentUser;
    std::string announcementText;
    bool switchingUser = false;
    // The records screen's last query, kept for the whole run: a deletion repeats it.
    enum class RecordsQuery { All, ByNumber, ByDate };
    RecordsQuery lastRecordsQuery = RecordsQuery::All;

    ui::Window mainWindow;
    ui::Window loginScreen;
    ui::Window orderScreen;
    ui::Window checkoutScreen;
    ui::Window recordsScreen;
    ui::Window userSettingsScreen;
    ui::Window restaurantSettingsScreen;
    ui::Window backupScreen;
    ui::Window dayCloseScreen;
    ui::Window printerSettingsScreen;
    ui::Window reportsScreen;

    // Work of the features beyond the screens: at start once the database is up to date and
    // before the login, and at the end after the main window is gone when the start got that far.
    std::function<void()> onStartUp;
    std::function<void()> onExit;
    // A backup made now, off the screen thread (after a day close); nothing when none is bound.
    std::function<void()> backUpNow;
    // An order was settled: its receipt is printed.
    std::function<void(const std::string& number)> onSettled;
    void startUpWork();

private:
    ui::Desktop& desktop_;
    bool ending_ = false;
    bool startedUp_ = false;
    bool damageReported_ = false;
    int messagesShown_ = 0;
};

// The warning of a step that could not read what a screen shows.
inline constexpr char kReadFailed[] = "读取数据失败，请检查！";

} // namespace app
