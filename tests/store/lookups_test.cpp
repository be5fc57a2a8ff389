#include "common/test_directory.h"
#include "delivered_database.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using store::SqliteDB;
using store::SqliteTable;
using testing_support::TestDirectory;

// Order lines of three orders, interleaved, with a repeated dish name across orders.
class LookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(data::createDatabase(
            "CREATE TABLE 明细 (单号 TEXT, 菜品 TEXT, 数量 INTEGER);"
            "INSERT INTO 明细 VALUES ('A', '米饭', 1), ('B', '米饭', 2), ('A', '面条', 2),"
            " ('C', '饺子', 1), ('B', '面条', 3), ('A', '饺子', 2), ('C', '米饭', 1);",
            dir.file("cysj.db")));
        ASSERT_TRUE(db.Open(dir.file("cysj.db").string()));
        ASSERT_TRUE(lines.Open("明细", db));
    }

    // The plain scan the lookups must agree with: the first record whose fields read so.
    int scanFor(const std::string& number, const std::string& dish) {
        lines.First();
        const int count = lines.RecordCount();
        for (int i = 0; i < count; ++i, lines.Skip())
            if (lines.ReadText("单号") == number && lines.ReadText("菜品") == dish)
                return lines.Position();
        return 0;
    }

    TestDirectory dir;
    SqliteDB db;
    SqliteTable lines;
};

TEST_F(LookupTest, FindFirstStopsWhereAScanWould) {
    for (const std::string number : {"A", "B", "C"}) {
        for (const std::string dish : {"米饭", "面条", "饺子"}) {
            const int expected = scanFor(number, dish);
            const bool found = lines.FindFirst({{"单号", number}, {"菜品", dish}});
            EXPECT_EQ(found, expected != 0) << number << dish;
            EXPECT_EQ(lines.Position(), found ? expected : lines.RecordCount() + 1)
                << number << dish;
        }
    }
    EXPECT_TRUE(lines.FindFirst({{"数量", 3}}));
    EXPECT_EQ(lines.Position(), 5);
    EXPECT_FALSE(lines.FindFirst({{"没有这列", "A"}}));
}

TEST_F(LookupTest, ForEachWhereVisitsTheMatchingRecordsInOrder) {
    std::vector<int> visited;
    int total = 0;
    lines.ForEachWhere({{"单号", std::string("A")}}, [&] {
        visited.push_back(lines.Position());
        total += lines.ReadInt("数量");
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(total, 5);

    visited.clear();
    lines.ForEachWhere({{"数量", 1}}, [&] { visited.push_back(lines.Position()); });
    EXPECT_EQ(visited, (std::vector<int>{1, 4, 7}));

    visited.clear();
    lines.ForEachRecord([&] { visited.push_back(lines.Position()); });
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(LookupTest, ForEachWhereMayUpdateTheRecordItVisits) {
    lines.ForEachWhere({{"单号", std::string("B")}}, [&] {
        ASSERT_TRUE(lines.BeginEdit());
        ASSERT_TRUE(lines.Write("数量", lines.ReadInt("数量") * 10));
        ASSERT_TRUE(lines.Commit());
    });
    int total = 0;
    lines.ForEachWhere({{"单号", std::string("B")}}, [&] { total += lines.ReadInt("数量"); });
    EXPECT_EQ(total, 50);
}

TEST_F(LookupTest, DeleteWhereRemovesEveryMatchAndNothingElse) {
    EXPECT_TRUE(lines.DeleteWhere({{"单号", std::string("A")}}));
    EXPECT_EQ(lines.Position(), 0);
    ASSERT_EQ(lines.RecordCount(), 4);
    std::vector<std::string> left;
    lines.ForEachWhere({},
                       [&] { left.push_back(lines.ReadText("单号") + lines.ReadText("菜品")); });
    EXPECT_EQ(left, (std::vector<std::string>{"B米饭", "C饺子", "B面条", "C米饭"}));
    EXPECT_TRUE(lines.DeleteWhere({{"单号", std::string("Z")}})) << "nothing to delete";
}

TEST_F(LookupTest, LookupsOnAClosedCursorFindNothing) {
    db.Close();
    EXPECT_FALSE(lines.FindFirst({{"单号", std::string("A")}}));
    int visits = 0;
    lines.ForEachWhere({}, [&] { ++visits; });
    EXPECT_EQ(visits, 0);
    EXPECT_FALSE(lines.DeleteWhere({}));
}

} // namespace
