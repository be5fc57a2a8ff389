#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "dbtool/postgres_schema.h"
#include "dbtool/server_copy.h"

#include "postgres/test_server.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace {

using store::PgConnection;

// A database of the tests' server of its own, dropped at the end; and a copy of the delivered
// cysj.db with a few orders, to copy into it.
class ServerCopyTest : public ::testing::Test {
protected:
    ServerCopyTest()
        : name_("copy_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        for (char& c : name_)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        PgConnection admin(testing_support::testServer("postgres"));
        EXPECT_TRUE(admin.run("DROP DATABASE IF EXISTS " + name_)) << admin.failure();
        EXPECT_TRUE(admin.run("CREATE DATABASE " + name_)) << admin.failure();
        pg_ = std::make_unique<PgConnection>(testing_support::testServer(name_));
        file_ = testing_support::createDeliveredDatabase(directory_.path());
        sql("INSERT INTO 流水 VALUES ('20261210120000', '2026年12月10日12时', '大厅01', 4, 126, 1,"
            " '管理员', '[实收：200元]' || char(13, 10) || '[找零：74元]a\\b' || char(9) || 'c')");
        sql("INSERT INTO 流水 VALUES ('20261210130000', NULL, '包间9', 2, 48, 0, '管理员', NULL)");
        sql("INSERT INTO 明细 VALUES ('20261210120000', '红烧肉', 38, 2, 76, '热菜'),"
            " ('20261210120000', '米饭', 2, 25, 50, '主食'), ('20261210130000', '啤酒', 8, 6, 48, "
            "'酒水')");
        sql("DELETE FROM 餐台 WHERE 餐台 = '大厅02'"); // a gap in the row ids
    }
    ~ServerCopyTest() override {
        pg_.reset();
        PgConnection admin(testing_support::testServer("postgres"));
        admin.run("DROP DATABASE IF EXISTS " + name_);
    }

    void sql(const std::string& statement) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file_.string().c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, statement.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }
    std::string onServer(const std::string& query) {
        const auto rows = pg_->run(query);
        EXPECT_TRUE(rows) << pg_->failure();
        if (!rows || rows->empty() || rows->front().empty()) return "(none)";
        return rows->front().front().value_or("NULL");
    }

    std::string name_;
    testing_support::TestDirectory directory_;
    std::filesystem::path file_;
    std::unique_ptr<PgConnection> pg_;
};

TEST_F(ServerCopyTest, EveryRowArrivesInItsOrderAndNewRowsFollowTheCopiedOnes) {
    ASSERT_TRUE(pg_->connected()) << pg_->failure();
    const dbtool::ServerOutcome outcome =
        dbtool::copyToServer(file_, *pg_, dbtool::postgresSchema());
    ASSERT_TRUE(outcome.done) << outcome.failure;
    EXPECT_EQ(onServer("SELECT string_agg(单号 || ':' || 金额, ',' ORDER BY rowid) FROM 流水"),
              "20261210120000:126,20261210130000:48");
    EXPECT_EQ(onServer("SELECT 备注 FROM 流水 WHERE 单号 = '20261210120000'"),
              "[实收：200元]\r\n[找零：74元]a\\b\tc");
    EXPECT_EQ(onServer("SELECT 时间 IS NULL AND 备注 IS NULL FROM 流水 WHERE 状态 = 0"), "t");
    EXPECT_EQ(onServer("SELECT SUM(金额) FROM 明细"), "174");
    // The row ids as they were, the gap of the deleted table kept, and the next one after them.
    EXPECT_EQ(onServer("SELECT string_agg(rowid::text, ',' ORDER BY rowid) FROM 餐台"),
              "1,3,4,5,6,7,8,9,10");
    ASSERT_TRUE(pg_->run("INSERT INTO 餐台 (餐台) VALUES ('露台')")) << pg_->failure();
    EXPECT_EQ(onServer("SELECT rowid FROM 餐台 WHERE 餐台 = '露台'"), "11");
    bool countedOrders = false;
    for (const dbtool::TableCount& table : outcome.copied)
        if (table.table == "流水") countedOrders = table.rows == 2;
    EXPECT_TRUE(countedOrders);
}

TEST_F(ServerCopyTest, ACopyOverDataOrFromAnotherVersionIsRefusedAndChangesNothing) {
    ASSERT_TRUE(dbtool::copyToServer(file_, *pg_, dbtool::postgresSchema()).done);
    const dbtool::ServerOutcome again = dbtool::copyToServer(file_, *pg_, dbtool::postgresSchema());
    EXPECT_FALSE(again.done);
    EXPECT_EQ(again.failure, "服务器上的数据库已有数据（表“用户”），不能覆盖");
    EXPECT_EQ(onServer("SELECT COUNT(*) FROM 流水"), "2");
    EXPECT_EQ(dbtool::initServer(*pg_, dbtool::postgresSchema()).failure,
              "服务器上的数据库已经建好表，无需再建");

    sql("PRAGMA user_version = 2");
    ASSERT_TRUE(pg_->run("DROP SCHEMA public CASCADE")) << pg_->failure();
    ASSERT_TRUE(pg_->run("CREATE SCHEMA public")) << pg_->failure();
    const dbtool::ServerOutcome older = dbtool::copyToServer(file_, *pg_, dbtool::postgresSchema());
    EXPECT_FALSE(older.done);
    EXPECT_NE(older.failure.find("版本"), std::string::npos) << older.failure;
    EXPECT_EQ(onServer("SELECT to_regclass('\"流水\"') IS NULL"), "t")
        << "the tables made for the copy are undone with it";
}

TEST_F(ServerCopyTest, InitMakesTheTablesOnce) {
    const dbtool::ServerOutcome made = dbtool::initServer(*pg_, dbtool::postgresSchema());
    ASSERT_TRUE(made.done) << made.failure;
    EXPECT_EQ(onServer("SELECT 版本 FROM 数据库版本"), "3");
    EXPECT_EQ(onServer("SELECT COUNT(*) FROM 流水"), "0");
    EXPECT_FALSE(dbtool::initServer(*pg_, dbtool::postgresSchema()).done);
    // An empty server with the tables takes a copy.
    EXPECT_TRUE(dbtool::copyToServer(file_, *pg_, dbtool::postgresSchema()).done);
}

} // namespace

namespace {

// A year of a busy restaurant, made in the file: 140 orders a day of five lines each, every total
// the sum of its lines, every tenth order still open.
TEST_F(ServerCopyTest, AGeneratedYearArrivesWithEveryCountAndTotal) {
    sql("DELETE FROM 流水; DELETE FROM 明细;");
    sql("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 51099) "
        "INSERT INTO 流水 SELECT strftime('%Y%m%d', '2025-01-01', '+' || (i / 140) || ' days') || "
        "printf('%02d%02d00', 10 + (i % 140) / 12, (i % 12) * 5), '时间', '大厅0' || (1 + i % 8), "
        "1 + i % 6, 0, CASE WHEN i % 10 = 0 THEN 0 ELSE 1 END, '管理员', "
        "CASE WHEN i % 3 = 0 THEN '[实收：100元]' || char(13, 10) || '[找零：' || (i % 90) || "
        "'元]' END FROM n");
    sql("WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 4) "
        "INSERT INTO 明细 SELECT o.单号, '菜' || j, 10 + j * 7, 1 + (o.rowid + j) % 3, "
        "(10 + j * 7) * (1 + (o.rowid + j) % 3), '热菜' FROM 流水 o, k ORDER BY o.rowid, j");
    sql("UPDATE 流水 SET 金额 = (SELECT SUM(金额) FROM 明细 l WHERE l.单号 = 流水.单号)");

    const dbtool::ServerOutcome outcome =
        dbtool::copyToServer(file_, *pg_, dbtool::postgresSchema());
    ASSERT_TRUE(outcome.done) << outcome.failure;
    std::map<std::string, std::int64_t> counted;
    for (const dbtool::TableCount& table : outcome.copied)
        counted[table.table] = table.rows;
    EXPECT_EQ(counted["流水"], 51100);
    EXPECT_EQ(counted["明细"], 255500);
    EXPECT_EQ(onServer("SELECT COUNT(*) FROM 流水"), "51100");
    EXPECT_EQ(onServer("SELECT COUNT(*) FROM 流水 o WHERE o.金额 <> (SELECT SUM(金额) FROM 明细 l "
                       "WHERE l.单号 = o.单号)"),
              "0");
    EXPECT_EQ(onServer("SELECT COUNT(*) FROM 流水 WHERE 状态 = 0"), "5110");
    EXPECT_EQ(onServer("SELECT MIN(单号) || '-' || MAX(单号) FROM 流水"),
              "20250101100000-20251231215500");
}

} // namespace
