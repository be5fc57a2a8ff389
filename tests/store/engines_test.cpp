// The cursor's behaviour the screens rely on, the same on a file and on a PostgreSQL server.

#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "postgres/test_server.h"
#include "store/query.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using store::Engine;

class EnginesTest : public ::testing::TestWithParam<Engine> {
protected:
    EnginesTest() {
        if (GetParam() == Engine::Postgres) {
            server_ = std::make_unique<testing_support::ServerDatabase>();
            EXPECT_TRUE(database.OpenServer(server_->setting().connectionString()));
        } else {
            file_ = testing_support::createDeliveredDatabase(directory_.path()).string();
            EXPECT_TRUE(database.Open(file_));
        }
        // Three orders, one of them settled, one without a state.
        add("20261210120000", "大厅01", 2, 76, 1);
        add("20261210123000", "大厅02", 4, 0, std::nullopt);
        add("20261210130000", "大厅01", 3, 48, 0);
    }

    void add(const std::string& number, const std::string& table, int guests, int amount,
             std::optional<int> state) {
        store::SqliteTable orders;
        ASSERT_TRUE(orders.Open("流水", database));
        ASSERT_TRUE(orders.BeginAdd());
        orders.Write("单号", number);
        orders.Write("台号", table);
        orders.Write("人数", guests);
        orders.Write("金额", amount);
        if (state) orders.Write("状态", *state);
        ASSERT_TRUE(orders.Commit());
    }

    std::vector<std::string> numbersWhere(store::Where where) {
        store::SqliteTable orders;
        EXPECT_TRUE(orders.Open("流水", database));
        std::vector<std::string> numbers;
        orders.ForEachWhere(where, [&] { numbers.push_back(orders.ReadText("单号")); });
        return numbers;
    }

    testing_support::TestDirectory directory_;
    std::string file_;
    std::unique_ptr<testing_support::ServerDatabase> server_;
    store::SqliteDB database;
};

TEST_P(EnginesTest, LookupsFindTheRecordsAScanWouldInTableOrder) {
    EXPECT_EQ(numbersWhere({{"台号", "大厅01"}}),
              (std::vector<std::string>{"20261210120000", "20261210130000"}));
    EXPECT_EQ(numbersWhere({{"状态", 0}}),
              (std::vector<std::string>{"20261210123000", "20261210130000"}))
        << "a field without a value reads as 0";
    EXPECT_EQ(numbersWhere({{"台号", "大厅01"}, {"状态", 0}}),
              std::vector<std::string>{"20261210130000"});
    EXPECT_EQ(numbersWhere({{"人数", "4"}}), std::vector<std::string>{"20261210123000"})
        << "a number read as text";
    EXPECT_EQ(numbersWhere({{"没有的字段", "x"}}), std::vector<std::string>{});

    store::SqliteTable orders;
    ASSERT_TRUE(orders.Open("流水", database));
    EXPECT_EQ(orders.RecordCount(), 3);
    ASSERT_TRUE(orders.FindFirst({{"单号", "20261210123000"}}));
    EXPECT_EQ(orders.Position(), 2);
    EXPECT_EQ(orders.ReadText("台号"), "大厅02");
    EXPECT_EQ(orders.ReadInt("人数"), 4);
    EXPECT_FALSE(orders.FindFirst({{"单号", "19990101000000"}}));
    EXPECT_EQ(orders.Position(), 4) << "after the last record";
    EXPECT_EQ(orders.ReadText("台号"), "");
}

TEST_P(EnginesTest, AddingEditingAndDeletingKeepPositionsAsOnAFile) {
    store::SqliteTable orders;
    ASSERT_TRUE(orders.Open("流水", database));
    ASSERT_TRUE(orders.GoTo(2));
    ASSERT_TRUE(orders.BeginEdit());
    orders.Write("人数", 6);
    orders.Write("备注", "[实收：100元]\r\n'引号'");
    ASSERT_TRUE(orders.Commit());
    EXPECT_EQ(orders.Position(), 2);
    EXPECT_EQ(orders.ReadInt("人数"), 6);
    EXPECT_EQ(orders.ReadText("备注"), "[实收：100元]\r\n'引号'");
    EXPECT_EQ(orders.ReadText("单号"), "20261210123000") << "the other fields are kept";

    orders.GoTo(4); // after the last: the record added becomes the current one
    ASSERT_TRUE(orders.BeginAdd());
    orders.Write("单号", "20261210140000");
    EXPECT_FALSE(orders.Write("台号", "")) << "an empty text is not written";
    orders.Write("金额", std::int64_t{9223372036854775807});
    ASSERT_TRUE(orders.Commit());
    EXPECT_EQ(orders.RecordCount(), 4);
    EXPECT_EQ(orders.ReadText("单号"), "20261210140000");
    EXPECT_EQ(orders.ReadInt("金额"), 9223372036854775807);
    EXPECT_EQ(orders.ReadText("台号"), "");

    ASSERT_TRUE(orders.FindFirst({{"单号", "20261210120000"}}));
    ASSERT_TRUE(orders.Delete());
    EXPECT_EQ(orders.Position(), 0);
    EXPECT_EQ(orders.RecordCount(), 3);
    ASSERT_TRUE(orders.First());
    EXPECT_EQ(orders.ReadText("单号"), "20261210123000");
    EXPECT_TRUE(orders.DeleteWhere({{"台号", "大厅01"}}));
    EXPECT_EQ(orders.RecordCount(), 2);
    EXPECT_EQ(numbersWhere({}), (std::vector<std::string>{"20261210123000", "20261210140000"}));
}

TEST_P(EnginesTest, AWalkThatChangesWhatItWalksSeesEachRecordOnce) {
    store::SqliteTable orders;
    store::SqliteTable others;
    ASSERT_TRUE(orders.Open("流水", database));
    ASSERT_TRUE(others.Open("流水", database));
    std::vector<std::string> seen;
    orders.ForEachRecord([&] {
        seen.push_back(orders.ReadText("单号"));
        // Settling one order and adding another while the walk goes on.
        ASSERT_TRUE(orders.BeginEdit());
        orders.Write("状态", 1);
        ASSERT_TRUE(orders.Commit());
        if (seen.size() == 1) {
            ASSERT_TRUE(others.BeginAdd());
            others.Write("单号", "20261210150000");
            ASSERT_TRUE(others.Commit());
        }
    });
    EXPECT_EQ(seen,
              (std::vector<std::string>{"20261210120000", "20261210123000", "20261210130000"}));
    EXPECT_EQ(numbersWhere({{"状态", 1}}).size(), 3u);
}

TEST_P(EnginesTest, TransactionsKeepAllOrNothing) {
    store::SqliteTable orders;
    ASSERT_TRUE(database.BeginWriteTransaction());
    ASSERT_TRUE(orders.Open("流水", database));
    ASSERT_TRUE(orders.FindFirst({{"单号", "20261210130000"}}));
    ASSERT_TRUE(orders.BeginEdit());
    orders.Write("状态", 1);
    ASSERT_TRUE(orders.Commit());
    EXPECT_TRUE(database.InTransaction());
    ASSERT_TRUE(database.RollbackTransaction());
    EXPECT_FALSE(database.InTransaction());
    EXPECT_EQ(numbersWhere({{"状态", 1}}), std::vector<std::string>{"20261210120000"});

    ASSERT_TRUE(database.BeginTransaction());
    add("20261210160000", "包间1", 2, 10, 0);
    ASSERT_TRUE(database.CommitTransaction());
    EXPECT_EQ(numbersWhere({{"台号", "包间1"}}), std::vector<std::string>{"20261210160000"});

    EXPECT_FALSE(database.CommitTransaction()) << "no transaction to commit";
}

TEST_P(EnginesTest, QueriesBindValuesAndReadTextsAndNumbers) {
    store::Query query(database, "SELECT 单号, 人数, 状态 FROM 流水 WHERE 台号 = ? AND 人数 >= ? "
                                 "ORDER BY rowid");
    query.bind("大厅01").bind(std::int64_t{3});
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.text(0), "20261210130000");
    EXPECT_EQ(query.integer(1), 3);
    EXPECT_FALSE(query.isNull(2));
    EXPECT_FALSE(query.next());

    store::Query sums(database, "SELECT COUNT(*), SUM(金额), COALESCE(MAX(状态), 0) FROM 流水 "
                                "WHERE 单号 <> '?'");
    ASSERT_TRUE(sums.next()) << "a ? inside quotes is text, not a value";
    EXPECT_EQ(sums.integer(0), 3);
    EXPECT_EQ(sums.integer(1), 124);

    const store::FaultWatch watch(database.Faults());
    store::Query broken(database, "SELECT 没有的字段 FROM 流水");
    EXPECT_FALSE(broken.next());
    EXPECT_TRUE(watch.failed()) << "a refused query is told from an empty one";
}

TEST_P(EnginesTest, ClosingTheDatabaseClosesItsCursorsAndOpeningAgainWorks) {
    store::SqliteTable orders;
    ASSERT_TRUE(orders.Open("流水", database));
    ASSERT_TRUE(orders.First());
    ASSERT_TRUE(database.Close());
    EXPECT_FALSE(orders.IsOpen());
    EXPECT_EQ(orders.ReadText("单号"), "");
    EXPECT_FALSE(orders.BeginAdd());
    if (server_)
        ASSERT_TRUE(database.OpenServer(server_->setting().connectionString()));
    else
        ASSERT_TRUE(database.Open(file_));
    ASSERT_TRUE(orders.Open("流水", database));
    EXPECT_EQ(orders.RecordCount(), 3);
    EXPECT_FALSE(orders.Open("没有这个表", database));
}

INSTANTIATE_TEST_SUITE_P(BothEngines, EnginesTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres),
                         [](const ::testing::TestParamInfo<Engine>& engine) {
                             return engine.param == Engine::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
