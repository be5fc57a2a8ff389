#include "common/test_directory.h"
#include "delivered_database.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>

namespace {

using store::SqliteDB;
using store::SqliteTable;
using testing_support::TestDirectory;

constexpr char kEmoji[] = "\xF0\x9F\x98\x80"; // U+1F600, four bytes in UTF-8

class SqliteTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(data::createDatabase(
            "CREATE TABLE 菜单 (名称 TEXT, Qty INTEGER, 备注 TEXT DEFAULT '默认');"
            "INSERT INTO 菜单 VALUES ('米饭', 1, 'a'), ('面条', 2, 'b'), ('饺子', 3, 'c');"
            "CREATE TABLE 空表 (名称 TEXT);",
            dir.file("cysj.db")));
        ASSERT_TRUE(db.Open(dir.file("cysj.db").string()));
        ASSERT_TRUE(menu.Open("菜单", db));
    }

    // What the file holds, asked through a connection of its own.
    std::string storedType(const std::string& where, const char* column) {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(dir.file("cysj.db").string().c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        const std::string sql =
            std::string("SELECT typeof(") + column + ") FROM 菜单 WHERE " + where;
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(raw, sql.c_str(), -1, &statement, nullptr);
        std::string type = "no row";
        if (sqlite3_step(statement) == SQLITE_ROW)
            type = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        sqlite3_close(raw);
        return type;
    }

    TestDirectory dir;
    SqliteDB db;
    SqliteTable menu;
};

TEST_F(SqliteTableTest, OpeningAMissingTableLeavesTheCursorClosed) {
    SqliteTable table;
    EXPECT_FALSE(table.Open("没有", db));
    EXPECT_FALSE(table.IsOpen());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_FALSE(table.First());
    EXPECT_EQ(table.ReadText("名称"), "");
    EXPECT_EQ(table.ReadInt(1), 0);

    // An empty name or a closed database leaves an open cursor as it was.
    EXPECT_FALSE(menu.Open("", db));
    EXPECT_TRUE(menu.IsOpen());
    SqliteDB closed;
    EXPECT_FALSE(menu.Open("空表", closed));
    EXPECT_EQ(menu.RecordCount(), 3);
}

TEST_F(SqliteTableTest, PositionsAtBothEnds) {
    EXPECT_EQ(menu.Position(), 0) << "a fresh cursor stands before the first record";
    EXPECT_EQ(menu.RecordCount(), 3);
    EXPECT_TRUE(menu.First());
    EXPECT_FALSE(menu.Skip(0));
    EXPECT_EQ(menu.Position(), 1);
    EXPECT_FALSE(menu.Skip(-1));
    EXPECT_EQ(menu.Position(), 0);
    EXPECT_TRUE(menu.GoTo(3));
    EXPECT_FALSE(menu.Skip());
    EXPECT_EQ(menu.Position(), 4);
    EXPECT_TRUE(menu.Skip(-2));
    EXPECT_EQ(menu.ReadText("名称"), "面条");
    EXPECT_FALSE(menu.GoTo(-5));
    EXPECT_EQ(menu.Position(), 0);
    EXPECT_FALSE(menu.Skip(2147483647)) << "no overflow past the end";
    EXPECT_EQ(menu.Position(), 4);

    SqliteTable empty;
    ASSERT_TRUE(empty.Open("空表", db));
    EXPECT_FALSE(empty.First());
    EXPECT_EQ(empty.Position(), 1) << "record count + 1";
}

TEST_F(SqliteTableTest, ReadingOffARecordGivesEmptyAndReportsFailure) {
    bool ok = true;
    EXPECT_EQ(menu.ReadText("名称", &ok), "");
    EXPECT_FALSE(ok);
    menu.GoTo(4);
    ok = true;
    EXPECT_EQ(menu.ReadInt("Qty", &ok), 0);
    EXPECT_FALSE(ok);
    menu.First();
    EXPECT_EQ(menu.ReadInt("Qty", &ok), 1);
    EXPECT_TRUE(ok);
    EXPECT_EQ(menu.ReadText("不存在", &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(menu.ReadText(0, &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(menu.ReadText(4), "");
}

TEST_F(SqliteTableTest, FieldsByNameIgnoreAsciiCaseAndByNumberFromOne) {
    ASSERT_TRUE(menu.GoTo(2));
    EXPECT_EQ(menu.ReadInt("qty"), 2);
    EXPECT_EQ(menu.ReadInt("QTY"), 2);
    EXPECT_EQ(menu.ReadText(1), "面条");
    EXPECT_EQ(menu.ReadText(3), "b");
    EXPECT_EQ(menu.ReadText("名 称"), "") << "Chinese names match byte for byte";
}

TEST_F(SqliteTableTest, ReadsConvertBetweenTextAndNumber) {
    ASSERT_TRUE(menu.First());
    EXPECT_EQ(menu.ReadText("Qty"), "1");
    ASSERT_TRUE(menu.BeginEdit());
    ASSERT_TRUE(menu.Write("备注", "12元5角"));
    ASSERT_TRUE(menu.Commit());
    EXPECT_EQ(menu.ReadInt("备注"), 12);
}

TEST_F(SqliteTableTest, CommitUpdatesTheRecordCurrentAtTheCommit) {
    ASSERT_TRUE(menu.First());
    ASSERT_TRUE(menu.BeginEdit());
    ASSERT_TRUE(menu.Skip(2));
    ASSERT_TRUE(menu.Write("Qty", 30));
    ASSERT_TRUE(menu.Commit());
    EXPECT_EQ(menu.CurrentState(), SqliteTable::State::Browsing);
    EXPECT_EQ(menu.Position(), 3);
    EXPECT_EQ(menu.ReadInt("Qty"), 30);
    menu.First();
    EXPECT_EQ(menu.ReadInt("Qty"), 1);
}

TEST_F(SqliteTableTest, EditNeedsARecordAndCommitNeedsAValue) {
    EXPECT_FALSE(menu.BeginEdit()) << "position 0 right after Open";
    EXPECT_FALSE(menu.Commit()) << "still browsing";

    ASSERT_TRUE(menu.First());
    ASSERT_TRUE(menu.BeginEdit());
    EXPECT_FALSE(menu.Commit());
    EXPECT_EQ(menu.CurrentState(), SqliteTable::State::Editing);
    ASSERT_TRUE(menu.BeginAdd());
    EXPECT_FALSE(menu.Commit());
    EXPECT_EQ(menu.CurrentState(), SqliteTable::State::Adding);
    EXPECT_FALSE(menu.Write("没有这列", 1));
    EXPECT_FALSE(menu.Commit());
}

TEST_F(SqliteTableTest, EditingAfterMovingOffTheRecordsWritesNothing) {
    ASSERT_TRUE(menu.GoTo(3));
    ASSERT_TRUE(menu.BeginEdit());
    ASSERT_TRUE(menu.Write("Qty", 99));
    menu.Skip();
    EXPECT_FALSE(menu.Commit());
    EXPECT_EQ(menu.CurrentState(), SqliteTable::State::Editing) << "the caller may try again";
    menu.GoTo(3);
    EXPECT_EQ(menu.ReadInt("Qty"), 3);
}

TEST_F(SqliteTableTest, EmptyTextIsNotWritten) {
    ASSERT_TRUE(menu.BeginAdd());
    ASSERT_TRUE(menu.Write("名称", "汤"));
    EXPECT_FALSE(menu.Write("备注", ""));
    ASSERT_TRUE(menu.Commit());
    EXPECT_EQ(menu.RecordCount(), 4);
    EXPECT_EQ(menu.Position(), 0) << "an insert keeps the position";
    ASSERT_TRUE(menu.GoTo(4));
    EXPECT_EQ(menu.ReadText("名称"), "汤");
    EXPECT_EQ(menu.ReadText("备注"), "默认") << "left to the column's default";
    EXPECT_EQ(storedType("名称 = '汤'", "Qty"), "null");

    ASSERT_TRUE(menu.GoTo(1));
    ASSERT_TRUE(menu.BeginEdit());
    ASSERT_TRUE(menu.Write("备注", "新"));
    EXPECT_FALSE(menu.Write("备注", "")) << "clears what was written before";
    ASSERT_TRUE(menu.Write("Qty", 5));
    ASSERT_TRUE(menu.Commit());
    EXPECT_EQ(menu.ReadText("备注"), "a");
    EXPECT_EQ(menu.ReadInt("Qty"), 5);
}

TEST_F(SqliteTableTest, ValuesKeepTheirKinds) {
    ASSERT_TRUE(menu.BeginAdd());
    ASSERT_TRUE(menu.Write("名称", std::string("大数")));
    ASSERT_TRUE(menu.Write("Qty", std::int64_t{5000000000}));
    ASSERT_TRUE(menu.Commit());
    ASSERT_TRUE(menu.BeginAdd());
    ASSERT_TRUE(menu.Write(1, "小数"));
    ASSERT_TRUE(menu.Write(2, 2.5f));
    ASSERT_TRUE(menu.Commit());
    EXPECT_EQ(storedType("名称 = '大数'", "Qty"), "integer");
    EXPECT_EQ(storedType("名称 = '小数'", "Qty"), "real");
    ASSERT_TRUE(menu.GoTo(4));
    EXPECT_EQ(menu.ReadText("Qty"), "5000000000");
    ASSERT_TRUE(menu.GoTo(5));
    EXPECT_EQ(menu.ReadText("Qty"), "2.5");
    EXPECT_EQ(menu.ReadInt("Qty"), 2);
}

TEST_F(SqliteTableTest, DeleteReloadsAndLeavesThePositionAtZero) {
    ASSERT_TRUE(menu.GoTo(2));
    ASSERT_TRUE(menu.Delete());
    EXPECT_EQ(menu.RecordCount(), 2);
    EXPECT_EQ(menu.Position(), 0);
    ASSERT_TRUE(menu.GoTo(2));
    EXPECT_EQ(menu.ReadText("名称"), "饺子") << "the record that followed";
    menu.GoTo(3);
    EXPECT_FALSE(menu.Delete());
}

TEST_F(SqliteTableTest, TheSnapshotIsOnlyReloadedByItsOwnChanges) {
    SqliteTable other;
    ASSERT_TRUE(other.Open("菜单", db));
    ASSERT_TRUE(other.GoTo(1));
    ASSERT_TRUE(other.Delete());

    EXPECT_EQ(menu.RecordCount(), 3);
    ASSERT_TRUE(menu.First());
    bool ok = true;
    EXPECT_EQ(menu.ReadText("名称", &ok), "") << "the row went away under this cursor";
    EXPECT_FALSE(ok);
}

TEST_F(SqliteTableTest, TextsOutsideGbkReadEmptyAndAreStoredAsNull) {
    ASSERT_TRUE(menu.First());
    ASSERT_TRUE(menu.BeginEdit());
    ASSERT_TRUE(menu.Write("名称", std::string("笑") + kEmoji));
    ASSERT_TRUE(menu.Commit());
    EXPECT_EQ(storedType("rowid = 1", "名称"), "null");

    // Another program stores one anyway.
    SqliteTable table;
    TestDirectory other;
    ASSERT_TRUE(data::createDatabase(std::string("CREATE TABLE t (a TEXT);"
                                                 "INSERT INTO t VALUES ('") +
                                         kEmoji + "'), ('好');",
                                     other.file("o.db")));
    SqliteDB otherDb;
    ASSERT_TRUE(otherDb.Open(other.file("o.db").string()));
    ASSERT_TRUE(table.Open("t", otherDb));
    ASSERT_TRUE(table.First());
    bool ok = false;
    EXPECT_EQ(table.ReadText("a", &ok), "");
    EXPECT_TRUE(ok);
    table.Skip();
    EXPECT_EQ(table.ReadText("a"), "好");
}

} // namespace
