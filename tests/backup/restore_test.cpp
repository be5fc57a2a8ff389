#include "backup/backup_folder.h"
#include "backup/failing_disk.h"
#include "backup/restaurant_file.h"
#include "backup/restore.h"
#include "common/other_program.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using testing_support::fileBytes;
using testing_support::OtherConnection;
using testing_support::restaurant;
using testing_support::TestDirectory;

const support::CalendarTime kMadeAt{2026, 12, 9, 22, 0, 0};
const support::CalendarTime kRestoredAt{2026, 12, 10, 9, 15, 30};

// A restaurant file with a backup of it, and orders added after the backup.
struct Restaurant {
    TestDirectory dir;
    fs::path database = restaurant(dir, 500);
    fs::path backupFile;
    std::string atBackup;

    Restaurant() {
        fs::create_directory(dir.file("backups"));
        backupFile = *backup::makeBackup(database, dir.file("backups"), kMadeAt).file;
        atBackup = OtherConnection(database).everything();
        OtherConnection(database).run("INSERT INTO 流水 (单号) VALUES ('after the backup')");
    }
    fs::path kept() const { return backup::keptFileFor(database, kRestoredAt); }
};

TEST(Restore, AGoodBackupBringsItsRowsBackAndTheCurrentFileIsKept) {
    Restaurant r;
    const std::string current = OtherConnection(r.database).everything();
    OtherConnection reader(r.database); // another program with the file open meanwhile
    EXPECT_EQ(reader.value("SELECT COUNT(*) FROM 流水"), "501");

    const auto outcome = backup::restoreBackup(r.database, r.backupFile, kRestoredAt);
    EXPECT_EQ(outcome.result, backup::RestoreResult::Restored);
    EXPECT_EQ(outcome.keptAs, r.dir.file("cysj-before-restore-20261210-091530.db"));
    EXPECT_TRUE(OtherConnection(r.database).everything() == r.atBackup);
    EXPECT_EQ(reader.value("SELECT COUNT(*) FROM 流水"), "500") << "open connections see it too";
    EXPECT_TRUE(OtherConnection(outcome.keptAs).everything() == current);
}

TEST(Restore, ADamagedOrForeignBackupChangesNothing) {
    Restaurant r;
    const std::string before = fileBytes(r.database);
    {
        std::fstream damaged(r.backupFile, std::ios::in | std::ios::out | std::ios::binary);
        damaged.seekp(static_cast<std::streamoff>(fs::file_size(r.backupFile) / 2));
        damaged << std::string(8192, '\x5a');
    }
    const fs::path foreign = r.dir.file("other.db");
    OtherConnection(foreign).run("CREATE TABLE notes (text)");
    const fs::path newer = r.dir.file("newer.db");
    fs::copy_file(r.database, newer);
    OtherConnection(newer).run("PRAGMA user_version = 99");

    for (const fs::path& unusable : {r.backupFile, foreign, newer, r.dir.file("missing.db")}) {
        EXPECT_EQ(backup::restoreBackup(r.database, unusable, kRestoredAt).result,
                  backup::RestoreResult::BackupUnusable)
            << unusable;
        EXPECT_TRUE(fileBytes(r.database) == before);
        EXPECT_FALSE(fs::exists(r.kept()));
    }
}

TEST(Restore, AReplacementCutShortByAFullDiskLeavesTheCurrentData) {
    Restaurant r;
    const std::string current = OtherConnection(r.database).everything();
    {
        testing_support::FailingDisk full("cysj.db", 16 * 1024);
        EXPECT_EQ(backup::restoreBackup(r.database, r.backupFile, kRestoredAt).result,
                  backup::RestoreResult::NotReplaced);
    }
    EXPECT_TRUE(OtherConnection(r.database).everything() == current);
}

TEST(Restore, AFileTheEngineCannotOpenAnyMoreIsKeptAsItIsAndReplaced) {
    Restaurant r;
    {
        std::fstream header(r.database, std::ios::in | std::ios::out | std::ios::binary);
        header << "this header is gone";
    }
    const std::string damaged = fileBytes(r.database);
    const auto outcome = backup::restoreBackup(r.database, r.backupFile, kRestoredAt);
    EXPECT_EQ(outcome.result, backup::RestoreResult::Restored);
    EXPECT_TRUE(OtherConnection(r.database).everything() == r.atBackup);
    EXPECT_TRUE(fileBytes(outcome.keptAs) == damaged);
    EXPECT_FALSE(fs::exists(r.database.string() + ".restoring"));
}

} // namespace
