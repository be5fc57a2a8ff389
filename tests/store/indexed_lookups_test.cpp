#include "common/test_directory.h"
#include "delivered_database.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

namespace {

using store::SqliteDB;
using store::SqliteTable;
using testing_support::TestDirectory;

// Indexed columns holding, besides ordinary values, every kind of value another program could
// have stored: NULL, reals, numbers beyond 32 bits, texts in a number column, bytes, empty texts
// and texts outside GBK.
class IndexedLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(data::createDatabase(
            "CREATE TABLE 流水 (单号 TEXT, 状态 INTEGER, 台号 TEXT);"
            "CREATE INDEX 流水_单号 ON 流水 (单号);"
            "CREATE INDEX 流水_状态 ON 流水 (状态);"
            "INSERT INTO 流水 VALUES ('A', 1, '大厅01'), ('B', 0, '大厅02'), ('C', NULL, '大厅01'),"
            " ('D', 2.5, '大厅03'), (x'41', 4294967296, '大厅01'), ('E', '7abc', NULL),"
            " ('', -1, ''), (NULL, 0.5, '大厅02'), ('\xF0\x9F\x98\x80', 7, '大厅01'),"
            " ('A', 0, '大厅01'), ('F', 2, 'x'), ('7', 2147483648, '7');",
            dir.file("cysj.db")));
        ASSERT_TRUE(db.Open(dir.file("cysj.db").string()));
        ASSERT_TRUE(orders.Open("流水", db));
    }

    using Value = std::variant<std::string, int>;

    bool fieldIs(const char* field, const Value& value) {
        if (const auto* text = std::get_if<std::string>(&value))
            return orders.ReadText(field) == *text;
        return orders.ReadInt(field) == std::get<int>(value);
    }

    // The positions a plain walk from the first record finds.
    std::vector<int> scanFor(const char* field, const Value& value) {
        std::vector<int> found;
        for (bool on = orders.First(); on; on = orders.Skip())
            if (fieldIs(field, value)) found.push_back(orders.Position());
        return found;
    }

    TestDirectory dir;
    SqliteDB db;
    SqliteTable orders;
};

TEST_F(IndexedLookupTest, LookupsAgreeWithAPlainWalkWhateverIsStored) {
    const std::vector<std::pair<const char*, Value>> conditions{
        {"单号", std::string("A")},  {"单号", std::string("")},  {"单号", std::string("7")},
        {"单号", std::string("Z")},  {"状态", 0},                {"状态", 2},
        {"状态", 7},                 {"状态", -1},               {"状态", 1},
        {"台号", std::string("大厅01")}, {"台号", std::string("")}, {"台号", 7},
        {"单号", 0},                 {"状态", std::string("2.5")}, {"状态", std::string("7abc")},
    };
    for (const auto& [field, value] : conditions) {
        const std::vector<int> expected = scanFor(field, value);
        const std::string label =
            std::string(field) + "=" +
            (std::holds_alternative<int>(value) ? std::to_string(std::get<int>(value))
                                                : "'" + std::get<std::string>(value) + "'");

        const bool found = std::holds_alternative<int>(value)
                               ? orders.FindFirst({{field, std::get<int>(value)}})
                               : orders.FindFirst({{field, std::get<std::string>(value)}});
        EXPECT_EQ(found, !expected.empty()) << label;
        EXPECT_EQ(orders.Position(), found ? expected.front() : orders.RecordCount() + 1) << label;

        std::vector<int> visited;
        const auto visit = [&] { visited.push_back(orders.Position()); };
        if (std::holds_alternative<int>(value))
            orders.ForEachWhere({{field, std::get<int>(value)}}, visit);
        else
            orders.ForEachWhere({{field, std::get<std::string>(value)}}, visit);
        EXPECT_EQ(visited, expected) << label;
    }
}

TEST_F(IndexedLookupTest, TwoConditionsAndDeletionFollowTheWalkToo) {
    EXPECT_EQ(scanFor("台号", std::string("大厅01")), (std::vector<int>{1, 3, 5, 9, 10}));
    ASSERT_TRUE(orders.FindFirst({{"台号", std::string("大厅01")}, {"状态", 0}}));
    EXPECT_EQ(orders.Position(), 3) << "NULL reads as 0";

    // The bytes x'41' read as "A" as well.
    EXPECT_TRUE(orders.DeleteWhere({{"单号", std::string("A")}}));
    EXPECT_EQ(orders.RecordCount(), 9);
    EXPECT_FALSE(orders.FindFirst({{"单号", std::string("A")}}));
    EXPECT_EQ(orders.Position(), 10);
}

// What a read gives is what the file holds at that moment, whoever changed it.
TEST_F(IndexedLookupTest, ReadsFollowEveryChangeOfTheRecord) {
    ASSERT_TRUE(orders.FindFirst({{"单号", std::string("B")}}));
    EXPECT_EQ(orders.ReadText("台号"), "大厅02");

    SqliteTable other;
    ASSERT_TRUE(other.Open("流水", db));
    ASSERT_TRUE(other.FindFirst({{"单号", std::string("B")}}));
    ASSERT_TRUE(other.BeginEdit());
    other.Write("台号", "玉兰厅");
    ASSERT_TRUE(other.Commit());
    EXPECT_EQ(orders.ReadText("台号"), "玉兰厅") << "another cursor's change";

    ASSERT_TRUE(db.BeginTransaction());
    ASSERT_TRUE(other.BeginEdit());
    other.Write("台号", "牡丹厅");
    ASSERT_TRUE(other.Commit());
    EXPECT_EQ(orders.ReadText("台号"), "牡丹厅");
    ASSERT_TRUE(db.RollbackTransaction());
    EXPECT_EQ(orders.ReadText("台号"), "玉兰厅") << "a rolled back change";

    SqliteDB elsewhere;
    ASSERT_TRUE(elsewhere.Open(dir.file("cysj.db").string()));
    SqliteTable program;
    ASSERT_TRUE(program.Open("流水", elsewhere));
    ASSERT_TRUE(program.FindFirst({{"单号", std::string("B")}}));
    ASSERT_TRUE(program.BeginEdit());
    program.Write("台号", "大厅08");
    ASSERT_TRUE(program.Commit());
    EXPECT_EQ(orders.ReadText("台号"), "大厅08") << "another connection's change";

    ASSERT_TRUE(program.Delete());
    bool read = true;
    EXPECT_EQ(orders.ReadText("台号", &read), "");
    EXPECT_FALSE(read) << "the record went away";
}

TEST_F(IndexedLookupTest, AWalkSeesWhatItsVisitsChange) {
    SqliteTable other;
    ASSERT_TRUE(other.Open("流水", db));
    std::vector<std::string> tables;
    orders.ForEachRecord([&] {
        tables.push_back(orders.ReadText("台号"));
        if (orders.Position() == 1 && other.GoTo(2) && other.BeginEdit()) {
            other.Write("台号", "改过");
            other.Commit();
        }
    });
    ASSERT_EQ(tables.size(), 12u);
    EXPECT_EQ(tables[1], "改过");
}

// Rows added through another cursor after this one opened are not among its records until its
// own next change; rows taken away stay counted, as the snapshot holds them.
TEST_F(IndexedLookupTest, TheRecordsAreThoseOfTheSnapshot) {
    SqliteTable other;
    ASSERT_TRUE(other.Open("流水", db));
    ASSERT_TRUE(other.BeginAdd());
    other.Write("单号", "N");
    ASSERT_TRUE(other.Commit());
    ASSERT_TRUE(other.FindFirst({{"单号", std::string("F")}}));
    ASSERT_TRUE(other.Delete());

    EXPECT_FALSE(orders.FindFirst({{"单号", std::string("N")}}));
    EXPECT_EQ(orders.RecordCount(), 12);
    ASSERT_TRUE(orders.GoTo(11));
    bool read = true;
    orders.ReadText("单号", &read);
    EXPECT_FALSE(read) << "the deleted record keeps its place";

    ASSERT_TRUE(orders.BeginAdd());
    orders.Write("单号", "O");
    ASSERT_TRUE(orders.Commit());
    EXPECT_EQ(orders.RecordCount(), 13);
    EXPECT_TRUE(orders.FindFirst({{"单号", std::string("N")}}));
    EXPECT_EQ(orders.Position(), 12);
}

} // namespace
