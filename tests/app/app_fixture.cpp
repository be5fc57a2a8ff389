#include "app/app_fixture.h"

#include "app/shell.h"
#include "common/fresh_database.h"
#include "store/schema.h"

#include <algorithm>

namespace testing_support {

namespace users = store::schema::users;

AppTest::AppTest() : desktop(directory.path()), app(desktop) {
    createDeliveredDatabase(directory.path());
    app::bindShell(app);
}

int AppTest::run(const std::function<void()>& atMainWindow) {
    desktop.onModal = [this, atMainWindow](ui::Window& window) {
        if (&window == &app.loginScreen) {
            if (logins.empty()) return person(window).click("按钮_取消");
            const Login login = logins.front();
            logins.pop_front();
            ScreenDriver screen = person(window);
            screen.pick("组合框_用户", login.name);
            screen.type("编辑框_密码", login.password);
            screen.click("按钮_登录");
            if (window.isOpen()) person(window).click("按钮_取消");
        } else if (&window == &app.mainWindow) {
            if (atMainWindow) atMainWindow();
            window.close();
        }
    };
    return app.run();
}

void AppTest::addUser(const std::string& name, const std::string& password,
                      const std::string& permissions, int skin) {
    store::SqliteDB db;
    store::SqliteTable table;
    ASSERT_TRUE(db.Open((directory.path() / "cysj.db").string()));
    ASSERT_TRUE(table.Open(users::kTable, db));
    ASSERT_TRUE(table.BeginAdd());
    table.Write(users::kName, name);
    table.Write(users::kPassword, password);
    table.Write(users::kSkin, skin);
    for (std::size_t i = 0; i < permissions.size(); ++i)
        table.Write(users::kPermissions[i], permissions[i] == '1' ? 1 : 0);
    ASSERT_TRUE(table.Commit());
}

int AppTest::userField(const std::string& name, const char* field) {
    store::SqliteDB db;
    store::SqliteTable table;
    EXPECT_TRUE(db.Open((directory.path() / "cysj.db").string()));
    EXPECT_TRUE(table.Open(users::kTable, db));
    EXPECT_TRUE(table.FindFirst({{users::kName, name}})) << name;
    return table.ReadInt(field);
}

std::string AppTest::announcementInDatabase() {
    store::SqliteDB db;
    store::SqliteTable table;
    EXPECT_TRUE(db.Open((directory.path() / "cysj.db").string()));
    EXPECT_TRUE(table.Open(users::kTable, db));
    table.First();
    return table.ReadText(users::kAnnouncement);
}

bool AppTest::wasShown(const std::string& windowName) const {
    return std::find(desktop.shownWindows.begin(), desktop.shownWindows.end(), windowName) !=
           desktop.shownWindows.end();
}

} // namespace testing_support
