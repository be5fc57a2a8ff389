#include "store/pg_connection.h"

#include "postgres/test_server.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using store::PgConnection;

TEST(PgConnection, ChineseTextsAndNumbersGoThereAndBackAsTyped) {
    PgConnection server(testing_support::testServer());
    ASSERT_TRUE(server.connected()) << server.failure();
    ASSERT_TRUE(server.run("DROP TABLE IF EXISTS 流水试验"));
    ASSERT_TRUE(server.run("CREATE TABLE 流水试验 (单号 TEXT, 台号 TEXT, 金额 BIGINT, 备注 TEXT)"));
    const std::string remark = "[实收：100元]\r\n[找零：6元]开发票 ￥ 😀";
    ASSERT_TRUE(server.run("INSERT INTO 流水试验 VALUES ($1, $2, $3, $4)",
                           {"20261210120000", "大厅01", "9223372036854775807", remark}));
    ASSERT_TRUE(server.run("INSERT INTO 流水试验 VALUES ($1, $2, $3, $4)",
                           {"20261210120001", "包间'9", "-5", std::nullopt}));
    const auto rows = server.run("SELECT 台号, 金额, 备注 FROM 流水试验 ORDER BY 单号");
    ASSERT_TRUE(rows) << server.failure();
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0], (PgConnection::Row{"大厅01", "9223372036854775807", remark}));
    EXPECT_EQ((*rows)[1], (PgConnection::Row{"包间'9", "-5", std::nullopt}))
        << "a quote in a value is data, never SQL";
    ASSERT_TRUE(server.run("DROP TABLE 流水试验"));
}

TEST(PgConnection, ARefusedStatementIsToldAndTheConnectionGoesOn) {
    PgConnection server(testing_support::testServer());
    ASSERT_TRUE(server.connected()) << server.failure();
    EXPECT_FALSE(server.run("SELECT * FROM 没有这个表"));
    EXPECT_NE(server.failure().find("没有这个表"), std::string::npos) << server.failure();
    EXPECT_FALSE(server.run("SELECT $1::BIGINT + 1", {"9223372036854775807"}))
        << "an overflow is refused, never wrapped";
    const auto one = server.run("SELECT 1");
    ASSERT_TRUE(one) << server.failure();
    EXPECT_EQ(server.failure(), "");
}

TEST(PgConnection, AServerThatIsNotThereIsToldWithoutThePassword) {
    PgConnection nobody("host=/nonexistent/veltrano user=veltrano password=s3cret-word "
                        "dbname=veltrano connect_timeout=2");
    EXPECT_FALSE(nobody.connected());
    EXPECT_FALSE(nobody.failure().empty());
    EXPECT_EQ(nobody.failure().find("s3cret-word"), std::string::npos) << nobody.failure();
    EXPECT_FALSE(nobody.run("SELECT 1"));

    PgConnection missing(testing_support::testServer("no_such_database"));
    EXPECT_FALSE(missing.connected());
    EXPECT_NE(missing.failure().find("no_such_database"), std::string::npos) << missing.failure();
}

} // namespace
