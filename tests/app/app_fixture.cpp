#include "app/app_fixture.h"

#include "common/fresh_database.h"
#include "program/program.h"
#include "store/schema.h"

#include <algorithm>
#include <sqlite3.h>

namespace testing_support {

namespace users = store::schema::users;

AppTest::AppTest() : desktop(directory.path()), app(desktop) {
    createDeliveredDatabase(directory.path());
    program::bindScreens(app);
}

int AppTest::run(const std::function<void()>& atMainWindow) {
    return runProgram(app, desktop, logins, atMainWindow);
}

int runProgram(app::App& app, FakeDesktop& desktop, std::deque<Login>& logins,
               const std::function<void()>& atMainWindow) {
    desktop.onModal = [&app, &logins, atMainWindow](ui::Window& window) {
        if (&window == &app.loginScreen) {
            if (logins.empty()) return ScreenDriver(window).click("按钮_取消");
            const Login login = logins.front();
            logins.pop_front();
            ScreenDriver screen(window);
            screen.pick("组合框_用户", login.name);
            screen.type("编辑框_密码", login.password);
            screen.click("按钮_登录");
            if (window.isOpen()) ScreenDriver(window).click("按钮_取消");
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

void AppTest::executeSql(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((directory.path() / "cysj.db").string().c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "") << "\n"
        << sql;
    sqlite3_free(error);
    sqlite3_close(db);
}

std::string AppTest::querySql(const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open((directory.path() / "cysj.db").string().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
    std::string value;
    if (statement && sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

bool AppTest::wasShown(const std::string& windowName) const {
    return std::find(desktop.shownWindows.begin(), desktop.shownWindows.end(), windowName) !=
           desktop.shownWindows.end();
}

} // namespace testing_support
