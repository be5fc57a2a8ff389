#include "app/main_window.h"

#include "app/permissions.h"
#include "app/skins.h"
#include "app/work_screens.h"
#include "store/schema.h"
#include "store/schema_upgrade.h"
#include "support/date_time.h"
#include "support/gbk.h"
#include "support/path_text.h"

#include <cstdint>
#include <filesystem>
#include <limits>

namespace app {
namespace {

namespace users = store::schema::users;

constexpr int kSwitchUser = 1;
constexpr int kOrderScreen = 3;
constexpr int kCheckoutScreen = 4;
constexpr int kRecordsScreen = 6;
constexpr int kSettingsMenu = 7;
constexpr int kDayCloseScreen = 9;
constexpr int kReportsScreen = 10;

// Brings the file up to this program's version. A file of a newer program is refused, untouched;
// a missing file is left for the login to report, and one that cannot be brought up to date
// still serves the screens, the next start trying again.
bool upgradeDatabase(App& app) {
    if (!app.openData(app.database)) return true;
    const store::SchemaUpgrade outcome = store::bringSchemaUpToDate(app.database);
    app.database.Close();
    if (outcome != store::SchemaUpgrade::Newer) return true;
    app.message(app.mainWindow,
                "数据库文件由更新版本的程序写入，本程序不能使用：" + app.databaseName() +
                    "\r\n文件未做任何改动，请使用新版本的程序打开。",
                ui::kErrorBox);
    return false;
}

// The configuration file, when there is one, says where the data is. A file that cannot be used
// ends the program, rather than have this counter work on data the others do not see.
bool chooseDatabase(App& app) {
    for (const std::filesystem::path& file :
         store::settingFiles(app.desktop().programDirectory())) {
        std::error_code error;
        if (!std::filesystem::exists(file, error)) continue;
        const store::ReadSetting read = store::readDatabaseSetting(file);
        if (read.setting) {
            app.databaseSetting = *read.setting;
            return true;
        }
        app.message(app.mainWindow,
                    "配置文件有误：" + support::pathText(file) + "\r\n" + read.failure,
                    ui::kErrorBox);
        return false;
    }
    return true;
}

// The first login, then the user; a cancelled login or a refused file ends the program.
void logInAtStart(App& app, bool withStartUpWork) {
    if (!upgradeDatabase(app)) {
        app.endProgram();
    } else {
        if (withStartUpWork) app.startUpWork();
        app.loginScreen.open(app.desktop(), &app.mainWindow, true);
    }
    if (app.ending()) {
        app.mainWindow.close();
        return;
    }
    applyUser(app);
}

// Main window created: one copy per desktop, then the first login, then the user.
void startUp(App& app) {
    ui::Window& main = app.mainWindow;
    if (!app.desktop().claimSingleInstance()) {
        app.desktop().messageBox("检测到已有同样的程序在运行，请无重复运行！", ui::kInformationBox,
                                 "友情提醒:", &main);
        app.desktop().activateRunningInstance();
        app.endProgram();
        main.close();
        return;
    }
    if (!chooseDatabase(app)) {
        app.endProgram();
        main.close();
        return;
    }
    logInAtStart(app, true);
}

void switchUser(App& app) {
    app.switchingUser = true;
    app.loginScreen.open(app.desktop(), &app.mainWindow, true);
    if (app.switchingUser) applyUser(app); // a cancel clears the flag
}

void onToolbar(App& app, int index) {
    switch (index) {
    case kSwitchUser:
        switchUser(app);
        break;
    case kOrderScreen:
        app.orderScreen.open(app.desktop(), &app.mainWindow);
        break;
    case kCheckoutScreen:
        app.checkoutScreen.open(app.desktop(), &app.mainWindow);
        break;
    case kRecordsScreen:
        app.recordsScreen.open(app.desktop(), &app.mainWindow);
        break;
    case kSettingsMenu:
        app.mainWindow.popupMenu("工具菜单");
        break;
    case kDayCloseScreen:
        app.dayCloseScreen.open(app.desktop(), &app.mainWindow);
        break;
    case kReportsScreen:
        app.reportsScreen.open(app.desktop(), &app.mainWindow);
        break;
    default:
        break;
    }
}

// The announcement is written first and shown only once it is stored, so a failed write is
// never reported as done.
void setAnnouncement(App& app) {
    ui::Window& main = app.mainWindow;
    std::string text = app.announcementText;
    if (!app.desktop().inputBox("公告信息显示在程序底部，修改后全员生效！", "公告设置：", text,
                                &main))
        return;
    // The file keeps what GBK can hold; anything else would be stored as no announcement at all.
    if (!support::isGbkText(text))
        return static_cast<void>(
            app.message(main, "公告中有无法保存的字符，请修改！", ui::kWarningBox));
    const bool stored = app.openTable(app.users, users::kTable) && app.users.First() &&
                        app.users.BeginEdit() && app.users.Write(users::kAnnouncement, text) &&
                        app.users.Commit();
    app.users.Close();
    if (!stored) return app.reportFailure(main, "公告设置失败，请检查！");
    app.message(main, "公告设置成功！", ui::kInformationBox);
    main.statusBar("状态条_公告").setPartText(1, text);
    app.announcementText = text;
}

void showClock(App& app) {
    const support::DateTime now = support::toDateTime(app.desktop().clock().now());
    app.mainWindow.label("标签_时间").setCaption(support::DateTimeText(now));
}

// The work screens lie over the main window below its toolbar and go where it goes.
void follow(App& app) {
    for (ui::Window* screen : workScreens(app)) {
        if (!screen->isOpen()) continue;
        screen->setTop(app.mainWindow.top() + 105);
        screen->setLeft(app.mainWindow.left());
    }
}

void shutDown(App& app) {
    app.users.Close();
    app.database.Close();
}

} // namespace

void applyUser(App& app) {
    ui::Window& main = app.mainWindow;
    const store::FaultWatch watch = app.watchDatabase();
    app.openTable(app.users, users::kTable);
    CurrentUser& user = app.currentUser;
    // A skin number beyond any look means none.
    const std::int64_t skin = app.users.ReadInt(users::kSkin);
    user.skin = skin >= 0 && skin <= std::numeric_limits<int>::max() ? static_cast<int>(skin) : -1;
    for (std::size_t i = 0; i < kPermissionCount; ++i)
        user.permissions[i] = app.users.ReadInt(users::kPermissions[i]);
    // Permissions that could not be read are not "none granted" without a word.
    if (watch.failed()) app.reportFailure(main, kReadFailed);

    main.label("标签_用户").setCaption(user.name);
    main.comboBox("组合框_皮肤").setSelection(user.skin);
    applyAndStoreSkin(app);
    for (ui::Window* screen :
         {&app.orderScreen, &app.checkoutScreen, &app.recordsScreen, &app.restaurantSettingsScreen,
          &app.dayCloseScreen, &app.reportsScreen}) {
        if (screen->isOpen()) applyGates(app, *screen);
    }
    applyMenuGates(app);
    app.users.Close();
    main.statusBar("状态条_公告").setPartText(1, app.announcementText);
}

void restartAtLogin(App& app) {
    closeWorkScreens(app);
    app.databaseReplaced();
    app.currentUser = {};
    app.announcementText.clear();
    app.switchingUser = false;
    app.lastRecordsQuery = App::RecordsQuery::All;
    app.mainWindow.label("标签_用户").setCaption("");
    logInAtStart(app, false);
}

void bindMainWindow(App& app) {
    ui::WindowDef& def = app.mainWindow.definition();
    def.on.created = [&app] { startUp(app); };
    def.on.moved = [&app] { follow(app); };
    def.on.aboutToBeDestroyed = [&app] { shutDown(app); };
    def.control("工具条1").on.buttonClicked = [&app](int index) { onToolbar(app, index); };
    def.control("组合框_皮肤").on.selectionChanged = [&app] { applyAndStoreSkin(app); };
    def.control("时钟1").on.tick = [&app] { showClock(app); };
    def.control("按钮2").on.clicked = [&app] { app.desktop().minimise(app.mainWindow); };
    def.control("按钮1").on.clicked = [&app] { app.mainWindow.close(); };
    def.menuItem("用户设置").clicked = [&app] {
        app.userSettingsScreen.open(app.desktop(), &app.mainWindow, true);
    };
    def.menuItem("餐厅设置").clicked = [&app] {
        app.restaurantSettingsScreen.open(app.desktop(), &app.mainWindow, true);
    };
    def.menuItem("公告设置").clicked = [&app] { setAnnouncement(app); };
}

} // namespace app
