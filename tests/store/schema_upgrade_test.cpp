#include "common/fresh_database.h"
#include "common/other_program.h"
#include "common/test_directory.h"
#include "delivered_database.h"
#include "store/schema_upgrade.h"
#include "store/sqlite_db.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using store::SchemaUpgrade;
using store::SqliteDB;
using testing_support::fileBytes;
using testing_support::TestDirectory;

// One SQL answer as text, read by a connection of its own.
std::string answer(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    std::string text;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const unsigned char* cell = sqlite3_column_text(statement, 0);
            text += cell ? reinterpret_cast<const char*>(cell) : "NULL";
            text += '\n';
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return text;
}

// What each version added, dropped again to make a file of the version before.
constexpr char kThirdVersionTables[] =
    "DROP TABLE 打印机; DROP TABLE 打印机分类; DROP TABLE 送厨记录; ";
constexpr char kSecondVersionTables[] =
    "DROP TABLE 结账记录; DROP TABLE 日结; DROP TABLE 删除记录; DROP TABLE 删除明细; ";
const std::string kSecondVersion = std::string(kThirdVersionTables) + "PRAGMA user_version = 2;";
const std::string kFirstVersion =
    std::string(kThirdVersionTables) + kSecondVersionTables + "PRAGMA user_version = 1;";
const std::string kSixTablesOnly = std::string(kThirdVersionTables) + kSecondVersionTables +
                                   "DROP TABLE 程序设置; PRAGMA user_version = 0;";

void executeOn(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.string().c_str(), &db);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A file as an earlier program left it: the delivered data with the tables of its version only.
std::filesystem::path earlierFile(const TestDirectory& dir,
                                  const std::string& sql = kSixTablesOnly) {
    const auto file = testing_support::createDeliveredDatabase(dir.path());
    executeOn(file, sql.c_str());
    return file;
}

constexpr char kSchema[] = "SELECT type || ' ' || name || ': ' || sql FROM sqlite_master "
                           "ORDER BY name";

TEST(SchemaUpgrade, AnEarlierFileGetsTheDeliveredTablesAndKeepsItsData) {
    TestDirectory delivered;
    const auto reference = testing_support::createDeliveredDatabase(delivered.path());
    for (const std::string& earlier : {kSixTablesOnly, kFirstVersion, kSecondVersion}) {
        TestDirectory dir;
        const auto file = earlierFile(dir, earlier);
        const std::string usersBefore = answer(file, "SELECT * FROM 用户");
        ASSERT_NE(answer(file, kSchema), answer(reference, kSchema));

        SqliteDB db;
        ASSERT_TRUE(db.Open(file.string()));
        EXPECT_EQ(store::bringSchemaUpToDate(db), SchemaUpgrade::Upgraded);
        db.Close();

        EXPECT_EQ(answer(file, kSchema), answer(reference, kSchema)) << earlier;
        EXPECT_EQ(answer(file, "PRAGMA user_version"),
                  std::to_string(store::kSchemaVersion) + "\n");
        EXPECT_EQ(answer(file, "SELECT * FROM 用户"), usersBefore);
    }
}

// What the sqlite3 command prints for the six tables: what a program that knows only them reads.
std::string sixTablesAsTheCommandReads(const std::filesystem::path& file) {
    const std::string command = "sqlite3 -readonly '" + file.string() +
                                "' 'SELECT * FROM 用户; SELECT * FROM 餐台; SELECT * FROM 分类; "
                                "SELECT * FROM 菜品; SELECT * FROM 流水; SELECT * FROM 明细;' 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, read);
        EXPECT_EQ(pclose(pipe), 0) << output;
    }
    return output;
}

TEST(SchemaUpgrade, AnUpgradedFileStillReadsTheSameInAProgramThatKnowsOnlyTheSixTables) {
    TestDirectory dir;
    const auto file = earlierFile(dir);
    executeOn(file, "INSERT INTO 流水 VALUES ('20221028120000', '2022年10月28日12时', '大厅01', 2, "
                    "80, 1, '管理员', '[实收：100元]'); INSERT INTO 明细 VALUES "
                    "('20221028120000', '红烧肉', 48, 1, 48, '热菜');");
    const std::string before = sixTablesAsTheCommandReads(file);
    ASSERT_NE(before.find("红烧肉"), std::string::npos) << before;
    SqliteDB db;
    ASSERT_TRUE(db.Open(file.string()));
    ASSERT_EQ(store::bringSchemaUpToDate(db), SchemaUpgrade::Upgraded);
    db.Close();
    EXPECT_EQ(sixTablesAsTheCommandReads(file), before);
}

TEST(SchemaUpgrade, AFileAtTheVersionIsNotWritten) {
    TestDirectory dir;
    const auto file = testing_support::createDeliveredDatabase(dir.path());
    const std::string before = fileBytes(file);
    SqliteDB db;
    ASSERT_TRUE(db.Open(file.string()));
    EXPECT_EQ(store::bringSchemaUpToDate(db), SchemaUpgrade::UpToDate);
    db.Close();
    EXPECT_EQ(fileBytes(file), before);
}

TEST(SchemaUpgrade, AFileOfANewerProgramIsLeftUntouched) {
    TestDirectory dir;
    const auto file = earlierFile(dir);
    sqlite3* other = nullptr;
    sqlite3_open(file.string().c_str(), &other);
    sqlite3_exec(other, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    const std::string before = fileBytes(file);

    SqliteDB db;
    ASSERT_TRUE(db.Open(file.string()));
    EXPECT_EQ(store::bringSchemaUpToDate(db), SchemaUpgrade::Newer);
    db.Close();
    EXPECT_EQ(fileBytes(file), before);
}

TEST(SchemaUpgrade, AFileThatCannotBeWrittenIsLeftAsItWas) {
    TestDirectory dir;
    const auto file = earlierFile(dir);
    const std::string before = fileBytes(file);
    SqliteDB db;
    db.SetBusyTimeout(50);
    ASSERT_TRUE(db.Open(file.string()));
    {
        testing_support::OtherProgram writer(file, testing_support::OtherProgram::Hold::Writes);
        EXPECT_EQ(store::bringSchemaUpToDate(db), SchemaUpgrade::Failed);
        EXPECT_FALSE(db.InTransaction());
    }
    EXPECT_EQ(store::bringSchemaUpToDate(db), SchemaUpgrade::Upgraded)
        << "the next start tries again";
    db.Close();
    EXPECT_NE(fileBytes(file), before);
}

} // namespace
