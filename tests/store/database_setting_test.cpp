#include "store/database_setting.h"
#include "store/pg_connection.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

using store::Engine;

class DatabaseSettingTest : public ::testing::Test {
protected:
    DatabaseSettingTest() {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("veltrano-conf-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    ~DatabaseSettingTest() override { std::filesystem::remove_all(folder_); }

    store::ReadSetting read(const std::string& text) {
        const auto file = folder_ / "veltrano.conf";
        std::ofstream(file) << text;
        return store::readDatabaseSetting(file);
    }

    std::filesystem::path folder_;
};

TEST_F(DatabaseSettingTest, NoFileOrNoServerIsTheEmbeddedDatabase) {
    const auto none = store::readDatabaseSetting(folder_ / "missing.conf");
    ASSERT_TRUE(none.setting);
    EXPECT_EQ(none.setting->engine, Engine::Sqlite);
    const auto other = read("; printers only\n[printers]\nhost = 10.0.0.9\n");
    ASSERT_TRUE(other.setting) << other.failure;
    EXPECT_EQ(other.setting->engine, Engine::Sqlite);
    EXPECT_EQ(store::settingFiles("/opt/veltrano").front(), "/opt/veltrano/veltrano.conf");
}

TEST_F(DatabaseSettingTest, TheServerIsReadAndItsPasswordNeverShown) {
    const auto read1 = read("# the counter in the back office\n"
                            "[Database]\n"
                            "  engine = PostgreSQL\n"
                            "host=192.168.1.10\r\n"
                            "port = 5433\n"
                            "database = 老陈 餐厅\n"
                            "user = cashier\n"
                            "password = it's\\secret\n");
    ASSERT_TRUE(read1.setting) << read1.failure;
    const store::DatabaseSetting& setting = *read1.setting;
    EXPECT_EQ(setting.engine, Engine::Postgres);
    EXPECT_EQ(setting.host, "192.168.1.10");
    EXPECT_EQ(setting.port, 5433);
    EXPECT_EQ(setting.database, "老陈 餐厅");
    EXPECT_EQ(setting.connectionString(),
              "host='192.168.1.10' port=5433 dbname='老陈 餐厅' user='cashier' "
              "password='it\\'s\\\\secret' connect_timeout=5");
    EXPECT_EQ(setting.describe(), "PostgreSQL 老陈 餐厅@192.168.1.10:5433");
}

TEST_F(DatabaseSettingTest, AFaultyFileIsRefusedWithItsLine) {
    EXPECT_EQ(read("[database]\nengine = oracle\n").failure,
              "第2行：engine 只能是 sqlite 或 postgresql");
    EXPECT_EQ(read("[database]\nengine = postgresql\nhost = a\nport = 99999\n").failure,
              "第4行：port 应为 1 到 65535 的数字");
    EXPECT_EQ(read("[database]\nhots = a\n").failure, "第2行：不认识的设置“hots”");
    EXPECT_EQ(read("[database\n").failure, "第1行：节名缺少“]”");
    EXPECT_EQ(read("[database]\nengine = postgresql\n").failure, "使用 PostgreSQL 时必须设置 host");
    EXPECT_FALSE(read("[database]\nengine = postgresql\n").setting);
}

TEST_F(DatabaseSettingTest, TheSettingReachesTheTestsOwnServer) {
    const auto read1 =
        read(std::string("[database]\nengine = postgresql\nhost = ") +
             VELTRANO_TEST_POSTGRES_FOLDER + "\ndatabase = postgres\nuser = veltrano\n");
    ASSERT_TRUE(read1.setting) << read1.failure;
    store::PgConnection server(read1.setting->connectionString());
    ASSERT_TRUE(server.connected()) << server.failure();
    const auto rows = server.run("SELECT current_user");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->at(0).at(0), "veltrano");
}

} // namespace
