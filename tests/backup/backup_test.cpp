#include "backup/backup_folder.h"
#include "backup/failing_disk.h"
#include "backup/restaurant_file.h"
#include "common/fresh_database.h"
#include "common/test_directory.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using testing_support::OtherConnection;
using testing_support::restaurant;
using testing_support::TestDirectory;
namespace fs = std::filesystem;

const support::CalendarTime kMoment{2026, 12, 10, 8, 30, 5};

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Backup, NamesCarryTheMomentAndOnlyTheirOwnNamesAreBackups) {
    EXPECT_EQ(backup::backupFileName(kMoment), "cysj-20261210-083005.db");
    EXPECT_EQ(backup::backupMoment("cysj-20261210-083005.db"), kMoment);
    EXPECT_EQ(backup::backupMoment("cysj-20261231-235959.db"),
              (support::CalendarTime{2026, 12, 31, 23, 59, 59}));
    for (const char* other :
         {"cysj.db", "cysj-20261310-083005.db", "cysj-20261210-083060.db", "cysj-20261210-08300.db",
          "cysj-20261210_083005.db", "cysj-before-restore-20261210-083005.db",
          "cysj-2026121a-083005.db", "cysj-20261210-083005.db.part"})
        EXPECT_EQ(backup::backupMoment(other), std::nullopt) << other;
}

TEST(Backup, ABackupHoldsEveryRowOfTheDatabaseAndNothingElseIsLeft) {
    TestDirectory dir;
    const fs::path database = restaurant(dir, 3000);
    const fs::path folder = dir.file("backups");
    fs::create_directory(folder);
    int lastCopied = -1;
    int lastTotal = 0;
    const auto outcome = backup::makeBackup(database, folder, kMoment, [&](int copied, int total) {
        EXPECT_GE(copied, lastCopied);
        lastCopied = copied;
        lastTotal = total;
    });
    ASSERT_TRUE(outcome.file) << outcome.failure;
    EXPECT_EQ(*outcome.file, folder / "cysj-20261210-083005.db");
    EXPECT_EQ(lastCopied, lastTotal);
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"cysj-20261210-083005.db"});
    EXPECT_EQ(OtherConnection(*outcome.file).everything(), OtherConnection(database).everything());
    EXPECT_TRUE(store::isWholeDatabase(*outcome.file));
}

// Another program commits between the copy's steps: the copy starts again, and after a few
// starts takes the rest at once, so it ends, whole and consistent.
TEST(Backup, ABackupTakenWhileAnotherProgramWritesIsConsistent) {
    TestDirectory dir;
    const fs::path database = restaurant(dir, 30000); // several steps of the copy
    const fs::path folder = dir.path();
    OtherConnection writer(database);
    int steps = 0;
    const auto outcome = backup::makeBackup(database, folder, kMoment, [&](int, int) {
        ++steps;
        // An order changed as the program changes one: a line and the new total together.
        writer.run("BEGIN IMMEDIATE;"
                   "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) "
                   "VALUES ('20260000000001', '加菜', 5, 1, 5, '热菜');"
                   "UPDATE 流水 SET 金额 = (SELECT sum(金额) FROM 明细 WHERE 单号 = "
                   "'20260000000001') WHERE 单号 = '20260000000001';"
                   "COMMIT;");
    });
    ASSERT_TRUE(outcome.file) << outcome.failure;
    EXPECT_GT(steps, 4);
    OtherConnection copy(*outcome.file);
    EXPECT_EQ(copy.value("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(copy.value("SELECT count(*) FROM 流水 WHERE 金额 <> "
                         "(SELECT sum(金额) FROM 明细 WHERE 明细.单号 = 流水.单号)"),
              "0");
    const int added = std::stoi(copy.value("SELECT count(*) FROM 明细 WHERE 菜品 = '加菜'"));
    EXPECT_GT(added, 0);
    EXPECT_LT(added, steps + 1);
}

TEST(Backup, AMissingFolderOrAFullDiskLeavesNoFileBehind) {
    TestDirectory dir;
    const fs::path database = restaurant(dir, 3000);
    const auto missing = backup::makeBackup(database, dir.file("no such folder"), kMoment);
    EXPECT_FALSE(missing.file);
    EXPECT_FALSE(missing.failure.empty());
    EXPECT_FALSE(fs::exists(dir.file("no such folder")));

    const fs::path folder = dir.file("stick");
    fs::create_directory(folder);
    {
        testing_support::FailingDisk full(".db.part", 64 * 1024);
        const auto outcome = backup::makeBackup(database, folder, kMoment);
        EXPECT_FALSE(outcome.file);
        EXPECT_NE(outcome.failure.find("full"), std::string::npos) << outcome.failure;
    }
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{});

    // With room again, the same backup is made.
    const auto again = backup::makeBackup(database, folder, kMoment);
    ASSERT_TRUE(again.file) << again.failure;
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"cysj-20261210-083005.db"});
}

TEST(Backup, RotationKeepsTheConfiguredDaysAndAlwaysTheNewest) {
    TestDirectory dir;
    const fs::path folder = dir.path();
    for (const char* name :
         {"cysj-20261210-080000.db", "cysj-20261210-220000.db", "cysj-20261209-220000.db",
          "cysj-20261208-000001.db", "cysj-20261207-235959.db", "cysj-20261101-120000.db",
          "cysj.db", "cysj-before-restore-20261101-120000.db"})
        std::ofstream(folder / name) << name;

    const auto backups = backup::listBackups(folder);
    ASSERT_EQ(backups.size(), 6u);
    EXPECT_EQ(backups.front().path.filename(), "cysj-20261210-220000.db");
    EXPECT_EQ(backups.back().path.filename(), "cysj-20261101-120000.db");
    EXPECT_EQ(backups.front().bytes, std::string("cysj-20261210-220000.db").size());

    const support::CalendarTime today{2026, 12, 10, 23, 0, 0};
    EXPECT_EQ(backup::pruneBackups(folder, 3, today).size(), 2u);
    EXPECT_EQ(namesIn(folder),
              (std::vector<std::string>{"cysj-20261208-000001.db", "cysj-20261209-220000.db",
                                        "cysj-20261210-080000.db", "cysj-20261210-220000.db",
                                        "cysj-before-restore-20261101-120000.db", "cysj.db"}));

    // Months later, with no backup since: the newest stays whatever its age.
    EXPECT_EQ(backup::pruneBackups(folder, 30, {2027, 3, 1, 9, 0, 0}).size(), 3u);
    EXPECT_EQ(namesIn(folder),
              (std::vector<std::string>{"cysj-20261210-220000.db",
                                        "cysj-before-restore-20261101-120000.db", "cysj.db"}));
}

} // namespace
