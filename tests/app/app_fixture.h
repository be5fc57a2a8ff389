#pragma once

#include "app/app.h"
#include "common/fake_desktop.h"
#include "common/screen_driver.h"
#include "common/test_directory.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace testing_support {

struct Login {
    std::string name;
    std::string password;
};

// Runs the program on the fake desktop from its start to its end: each time the login screen
// opens, the next queued login is done (or, with the queue empty, the screen is cancelled); the
// main window's loop runs `atMainWindow` and then closes the window. Gives the exit code.
int runProgram(app::App& app, FakeDesktop& desktop, std::deque<Login>& logins,
               const std::function<void()>& atMainWindow);

// The whole program on a fake desktop over a fresh copy of the delivered database. Each time the
// login screen opens, the next queued login is done (or, with the queue empty, the screen is
// cancelled); the main window's loop runs `atMainWindow` and then closes the window.
class AppTest : public ::testing::Test {
protected:
    AppTest();

    // Runs the program from its start to its end and returns the exit code.
    int run(const std::function<void()>& atMainWindow = {});

    // Adds a user record with the given permissions (one flag per permission, in field order).
    void addUser(const std::string& name, const std::string& password,
                 const std::string& permissions = "0000000000", int skin = 0);
    int userField(const std::string& name, const char* field);
    std::string announcementInDatabase();
    // Runs SQL on the database file, as another program would.
    void executeSql(const std::string& sql);
    // The first value of the first row the query gives, as text ("" for none).
    std::string querySql(const std::string& sql);

    // Acts on a screen as a person would.
    ScreenDriver person(ui::Window& window) { return ScreenDriver(window); }
    bool wasShown(const std::string& windowName) const;

    TestDirectory directory;
    FakeDesktop desktop;
    app::App app;
    std::deque<Login> logins{{"管理员", "admin"}};
};

} // namespace testing_support
