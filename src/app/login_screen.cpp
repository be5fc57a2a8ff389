#include "app/login_screen.h"

#include "store/schema.h"

namespace app {
namespace {

namespace users = store::schema::users;

// The login screen's two database failures: no file to open, or a users table that cannot be
// read.
void reportDatabaseFailure(App& app) {
    if (!app.database.IsOpen() && app.databaseSetting.engine == store::Engine::Postgres)
        app.message(app.loginScreen, "无法连接数据库服务器：" + app.databaseName() + "，请检查！",
                    ui::kErrorBox);
    else if (!app.database.IsOpen())
        app.message(app.loginScreen, "没有找到数据库文件，请检查！", ui::kErrorBox);
    else
        app.reportFailure(app.loginScreen, "用户数据表打开失败，请检查！", ui::kErrorBox);
}

// Screen created: list every user in table order and choose the first.
void fillUserList(App& app) {
    ui::Window& screen = app.loginScreen;
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openData(app.database) || !app.users.Open(users::kTable, app.database))
        return reportDatabaseFailure(app);
    ui::ComboBox& list = screen.comboBox("组合框_用户");
    app.users.First();
    const int count = app.users.RecordCount();
    for (int record = 0; record < count; ++record) {
        list.addItem(app.users.ReadText(users::kName));
        app.users.Skip();
    }
    list.setSelection(0);
    if (watch.failed()) reportDatabaseFailure(app);
}

void logIn(App& app) {
    ui::Window& screen = app.loginScreen;
    const std::string password = screen.editBox("编辑框_密码").content();
    if (password.empty()) {
        app.message(screen, "密码不能为空！", ui::kWarningBox);
        return;
    }
    // A users table that cannot be read is not a wrong password.
    const store::FaultWatch watch = app.watchDatabase();
    app.openTable(app.users, users::kTable);
    app.users.First();
    app.announcementText = app.users.ReadText(users::kAnnouncement);

    // The name is the chosen list item's text, never what was typed into the box.
    const ui::ComboBox& list = screen.comboBox("组合框_用户");
    const std::string name = list.itemText(list.selection());
    const bool found = app.users.FindFirst({{users::kName, name}, {users::kPassword, password}});
    if (watch.failed()) return reportDatabaseFailure(app);
    if (!found) {
        app.message(screen, "密码错误，请重新输入！", ui::kWarningBox);
        return;
    }
    // The cursor stays on this user's record: applying the user reads it from there.
    app.currentUser.name = app.users.ReadText(users::kName);
    screen.close();
}

void cancel(App& app) {
    app.users.Close();
    app.database.Close();
    if (!app.switchingUser) app.endProgram(); // the first login: nobody may work
    app.loginScreen.close();
    app.switchingUser = false;
}

} // namespace

void bindLoginScreen(App& app) {
    ui::WindowDef& def = app.loginScreen.definition();
    def.on.created = [&app] { fillUserList(app); };
    def.control("按钮_登录").on.clicked = [&app] { logIn(app); };
    def.control("编辑框_密码").on.keyDown = [&app](int key, int) {
        if (key == ui::kKeyEnter) logIn(app);
    };
    def.control("按钮_取消").on.clicked = [&app] { cancel(app); };
}

} // namespace app
