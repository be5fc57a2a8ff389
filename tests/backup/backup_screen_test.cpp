#include "app/app_fixture.h"
#include "backup/backup_folder.h"
#include "common/other_program.h"
#include "program/program.h"
#include "store/database_copy.h"
#include "store/schema_upgrade.h"

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::fileBytes;

// The fake clock's first moment, and the backup the first start of that day makes.
constexpr char kFirstBackup[] = "cysj-20221028-140509.db";

class BackupTest : public testing_support::AppTest {
protected:
    fs::path database() const { return directory.file("cysj.db"); }
    fs::path folder() const { return directory.file("backups"); }

    // Another start of the program on the same desk, its login cancelled.
    void startAgain() {
        app::App again(desktop);
        program::bindScreens(again);
        desktop.onModal = [&](ui::Window& window) {
            if (&window == &again.loginScreen) person(window).click("按钮_取消");
        };
        again.run();
    }

    std::vector<std::string> backupNames(const fs::path& in) const {
        std::vector<std::string> names;
        for (const backup::BackupFile& file : backup::listBackups(in))
            names.push_back(file.path.filename().string());
        return names;
    }

    void setting(const std::string& name, const std::string& value) {
        executeSql("INSERT OR REPLACE INTO 程序设置 VALUES ('" + name + "', '" + value + "')");
    }

    // Logs in, opens 备份与恢复 from the tool menu and runs `act` on it.
    void atBackupScreen(const std::function<void()>& act) {
        run([&] {
            desktop.onModal = [&](ui::Window& window) {
                if (&window == &app.backupScreen) {
                    act();
                    if (window.isOpen()) window.close();
                    return;
                }
                if (&window == &app.loginScreen) { // the restart after a restore
                    ASSERT_FALSE(logins.empty());
                    person(window).pick("组合框_用户", logins.front().name);
                    person(window).type("编辑框_密码", logins.front().password);
                    logins.pop_front();
                    person(window).click("按钮_登录");
                }
            };
            desktop.popupAnswers = {"备份与恢复"};
            person(app.mainWindow).clickToolButton("工具条1", 7);
        });
    }

    ui::Window& screen() { return app.backupScreen; }
    testing_support::ScreenDriver clerk() { return person(app.backupScreen); }
    ui::ListView& list() { return screen().listView("超级列表框_备份"); }
    std::string lastMessage() const {
        return desktop.messages.empty() ? std::string() : desktop.messages.back().text;
    }
};

TEST_F(BackupTest, TheFirstStartOfADayMakesOneWholeBackupAndLaterStartsOfTheDayNone) {
    executeSql("INSERT INTO 流水 (单号) VALUES ('20221027120000'), ('20221027130000')");
    startAgain();
    ASSERT_EQ(backupNames(folder()), std::vector<std::string>{kFirstBackup});
    const fs::path made = folder() / kFirstBackup;
    EXPECT_TRUE(store::isWholeDatabase(made));
    EXPECT_EQ(store::countRows(made, "流水"), 2);
    EXPECT_TRUE(desktop.messages.empty());

    desktop.fakeClock.set({2022, 10, 28, 21, 30, 0});
    startAgain();
    EXPECT_EQ(backupNames(folder()).size(), 1u) << "at most one a day";

    desktop.fakeClock.set({2022, 10, 29, 9, 0, 0});
    startAgain();
    EXPECT_EQ(backupNames(folder()),
              (std::vector<std::string>{"cysj-20221029-090000.db", kFirstBackup}));
}

TEST_F(BackupTest, TheDailyBackupKeepsTheConfiguredDaysAndCanBeTurnedOff) {
    fs::create_directories(folder());
    for (const char* old : {"cysj-20221018-100000.db", "cysj-20221019-100000.db"})
        std::ofstream(folder() / old) << "an old backup";
    setting("备份保留天数", "10");
    startAgain();
    EXPECT_EQ(backupNames(folder()),
              (std::vector<std::string>{kFirstBackup, "cysj-20221019-100000.db"}));

    setting("每日自动备份", "0");
    desktop.fakeClock.set({2022, 10, 30, 9, 0, 0});
    startAgain();
    EXPECT_EQ(backupNames(folder()).size(), 2u);
}

TEST_F(BackupTest, AMissingFolderIsToldOnceNamingItAndTheNextStartTriesAgain) {
    const fs::path stick = directory.file("stick");
    setting("备份目录", stick.string());
    startAgain(); // the start's backup fails, and so does the one at the end
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages[0].text.find(stick.string()), std::string::npos);
    EXPECT_EQ(desktop.messages[0].flags, ui::kWarningBox);
    EXPECT_FALSE(fs::exists(stick)) << "a chosen folder is never made on the counter's disk";
    EXPECT_FALSE(fs::exists(folder()));

    fs::create_directories(stick);
    startAgain();
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(backupNames(stick), std::vector<std::string>{kFirstBackup});
}

TEST_F(BackupTest, AnInstalledProgramKeepsItsBackupsBesideTheDataNotBesideTheProgram) {
    const fs::path data = directory.file("data");
    fs::create_directory(data);
    fs::rename(database(), data / "cysj.db");
    fs::create_symlink(data / "cysj.db", database());
    startAgain();
    EXPECT_EQ(backupNames(data / "backups"), std::vector<std::string>{kFirstBackup});
    EXPECT_FALSE(fs::exists(folder()));
}

TEST_F(BackupTest, TheScreenShowsTheSettingsAndTheBackupsAndBacksUpAtOnce) {
    atBackupScreen([&] {
        EXPECT_EQ(screen().editBox("编辑框_备份目录").content(), folder().string());
        EXPECT_EQ(screen().editBox("编辑框_保留天数").content(), "30");
        EXPECT_EQ(screen().comboBox("组合框_自动备份").selection(), 0);
        ASSERT_EQ(list().rowCount(), 1);
        EXPECT_EQ(list().cellText(0, 0), "1");
        EXPECT_EQ(list().cellText(0, 1), "2022-10-28 14:05:09");
        EXPECT_EQ(list().cellText(0, 3), "0");

        executeSql("INSERT INTO 流水 (单号) VALUES ('20221028150000')");
        desktop.fakeClock.set({2022, 10, 28, 15, 0, 1});
        clerk().click("按钮_立即备份");
        EXPECT_EQ(lastMessage(), "备份成功：" + (folder() / "cysj-20221028-150001.db").string());
        EXPECT_EQ(screen().progressBar("进度条_备份").percent(), 100);
        EXPECT_FALSE(screen().control("按钮_立即备份").disabled());
        ASSERT_EQ(list().rowCount(), 2);
        EXPECT_EQ(list().cellText(0, 1), "2022-10-28 15:00:01");
        EXPECT_EQ(list().cellText(0, 3), "1");
    });
}

TEST_F(BackupTest, SettingsAreCheckedThenStoredAndNeedThePermissionToSetUsers) {
    const fs::path stick = directory.file("U盘");
    atBackupScreen([&] {
        clerk().retype("编辑框_备份目录", "");
        clerk().click("按钮_保存设置");
        EXPECT_EQ(lastMessage(), "请选择备份目录！");
        desktop.folderAnswers = {stick};
        clerk().click("按钮_选择目录");
        EXPECT_EQ(screen().editBox("编辑框_备份目录").content(), stick.string());
        for (const char* days : {"0", "3651", ""}) {
            clerk().retype("编辑框_保留天数", days);
            clerk().click("按钮_保存设置");
            EXPECT_EQ(lastMessage(), "保留天数请输入1到3650之间的整数！") << days;
        }
        clerk().retype("编辑框_保留天数", "7");
        clerk().pick("组合框_自动备份", "关闭");
        clerk().click("按钮_保存设置");
        EXPECT_EQ(lastMessage(), "备份设置保存成功！");
        EXPECT_EQ(list().rowCount(), 0) << "the list shows the new folder";
    });
    EXPECT_EQ(querySql("SELECT 值 FROM 程序设置 WHERE 名称 = '备份目录'"), stick.string());
    EXPECT_EQ(querySql("SELECT 值 FROM 程序设置 WHERE 名称 = '备份保留天数'"), "7");
    EXPECT_EQ(querySql("SELECT 值 FROM 程序设置 WHERE 名称 = '每日自动备份'"), "0");

    addUser("收银员", "1", "1111110111");
    logins = {{"收银员", "1"}};
    desktop.messages.clear();
    atBackupScreen([&] {
        for (const char* button : {"按钮_选择目录", "按钮_保存设置", "按钮_恢复"})
            EXPECT_TRUE(screen().control(button).disabled()) << button;
        EXPECT_FALSE(screen().control("按钮_立即备份").disabled());
    });
}

TEST_F(BackupTest, ARestoreBringsTheBackupBackKeepsTheOldFileAndStartsAtTheLogin) {
    logins.push_back({"管理员", "admin"});
    atBackupScreen([&] {
        executeSql("INSERT INTO 餐台 VALUES ('after the backup')");
        EXPECT_EQ(screen().control("按钮_恢复").disabled(), false);
        clerk().click("按钮_恢复");
        EXPECT_EQ(lastMessage(), "请选择要恢复的备份！");

        clerk().clickRow("超级列表框_备份", 0);
        desktop.messageAnswers = {ui::kCancel};
        clerk().click("按钮_恢复");
        EXPECT_NE(lastMessage().find("2022-10-28 14:05:09"), std::string::npos);
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 餐台"), "11") << "a cancel changes nothing";

        clerk().click("按钮_恢复");
        EXPECT_EQ(lastMessage().rfind("恢复成功！", 0), 0u) << lastMessage();
    });
    EXPECT_TRUE(logins.empty()) << "the program started over at the login";
    EXPECT_EQ(app.mainWindow.label("标签_用户").caption(), "管理员");
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 餐台"), "10");
    const fs::path kept = directory.file("cysj-before-restore-20221028-140509.db");
    ASSERT_TRUE(store::isWholeDatabase(kept));
    EXPECT_EQ(store::countRows(kept, "餐台"), 11);
}

TEST_F(BackupTest, AfterARestoreADamagedFileIsForgottenAndTheDataCanBeWrittenAgain) {
    logins.push_back({"管理员", "admin"});
    atBackupScreen([&] {
        testing_support::damageTable(database(), "餐台");
        ASSERT_TRUE(app.openTable(app.diningTables, "餐台"));
        app.diningTables.First();
        app.diningTables.ReadText("餐台");
        app.diningTables.Close();
        ASSERT_TRUE(app.database.Damaged());
        clerk().clickRow("超级列表框_备份", 0);
        clerk().click("按钮_恢复");
    });
    EXPECT_FALSE(app.database.Damaged());
    EXPECT_TRUE(store::isWholeDatabase(database()));
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 餐台"), "10");
    ASSERT_TRUE(app.openTable(app.diningTables, "餐台"));
    ASSERT_TRUE(app.diningTables.BeginAdd());
    app.diningTables.Write("餐台", "露台01");
    EXPECT_TRUE(app.diningTables.Commit());
    app.diningTables.Close();
}

TEST_F(BackupTest, ADamagedBackupIsRefusedAndNothingChanges) {
    atBackupScreen([&] {
        {
            std::fstream damaged(folder() / kFirstBackup, std::ios::in | std::ios::out);
            damaged.seekp(0);
            damaged << "not a database any more";
        }
        const std::string before = fileBytes(database());
        clerk().clickRow("超级列表框_备份", 0);
        clerk().click("按钮_恢复");
        EXPECT_EQ(lastMessage(),
                  "该备份已损坏或不是本程序的数据库，不能恢复。当前数据未做任何改动！");
        EXPECT_TRUE(fileBytes(database()) == before);
        EXPECT_TRUE(screen().isOpen());
    });
    for (const auto& entry : fs::directory_iterator(directory.path()))
        EXPECT_EQ(entry.path().filename().string().find("before-restore"), std::string::npos);
}

TEST_F(BackupTest, AFileOfANewerProgramIsRefusedAtStartAndLeftUntouched) {
    executeSql("PRAGMA user_version = 99");
    const std::string before = fileBytes(database());
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].flags, ui::kErrorBox);
    EXPECT_NE(desktop.messages[0].text.find(database().string()), std::string::npos);
    EXPECT_FALSE(wasShown("LoginScreen"));
    EXPECT_TRUE(fileBytes(database()) == before);
    EXPECT_FALSE(fs::exists(folder()));
}

TEST_F(BackupTest, AnEarlierFileGetsTheSettingsTableAtStart) {
    executeSql(
        "DROP TABLE 程序设置; DROP TABLE 结账记录; DROP TABLE 日结; DROP TABLE 删除记录; "
        "DROP TABLE 删除明细; DROP TABLE 打印机; DROP TABLE 打印机分类; DROP TABLE 送厨记录; "
        "PRAGMA user_version = 0");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(querySql("PRAGMA user_version"), std::to_string(store::kSchemaVersion));
    EXPECT_EQ(querySql("SELECT COUNT(*) FROM 程序设置"), "0");
    EXPECT_TRUE(desktop.messages.empty());
}

} // namespace
