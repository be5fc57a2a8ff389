#include "common/test_directory.h"
#include "delivered_database.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"

#include <gtest/gtest.h>

namespace {

using store::SqliteDB;
using store::SqliteTable;
using testing_support::TestDirectory;

TEST(SqliteDB, OpenWithoutCreateNeverMakesAFile) {
    TestDirectory dir;
    SqliteDB db;
    EXPECT_FALSE(db.Open(dir.file("cysj.db").string()));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir.file("cysj.db")));

    EXPECT_TRUE(db.Open(dir.file("cysj.db").string(), true));
    EXPECT_TRUE(db.IsOpen());
    EXPECT_TRUE(std::filesystem::exists(dir.file("cysj.db")));
}

TEST(SqliteDB, InMemoryOnlyWhenCreating) {
    SqliteDB db;
    EXPECT_FALSE(db.Open(""));
    EXPECT_FALSE(db.Open(":MEMORY:"));
    EXPECT_TRUE(db.Open(":Memory:", true));
    EXPECT_TRUE(db.Open("", true));
    EXPECT_TRUE(db.Close());
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close()) << "closing a closed database is not a failure";
}

TEST(SqliteDB, ClosingOrReopeningTheDatabaseClosesItsCursors) {
    TestDirectory dir;
    ASSERT_TRUE(data::createDatabase("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (7);",
                                     dir.file("t.db")));
    SqliteDB db;
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    SqliteTable first, second;
    ASSERT_TRUE(first.Open("t", db));
    ASSERT_TRUE(first.First());
    ASSERT_TRUE(db.Close());
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(first.RecordCount(), 0);
    EXPECT_EQ(first.Position(), 0);
    EXPECT_EQ(first.ReadInt("a"), 0);

    // The next handler opens both again.
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    ASSERT_TRUE(first.Open("t", db));
    ASSERT_TRUE(second.Open("t", db));
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_FALSE(second.IsOpen());
}

TEST(SqliteDB, TransactionsNeedAnOpenDatabase) {
    SqliteDB db;
    EXPECT_FALSE(db.BeginTransaction());
    EXPECT_FALSE(db.CommitTransaction());
    EXPECT_FALSE(db.RollbackTransaction());
    ASSERT_TRUE(db.Open(":memory:", true));
    EXPECT_FALSE(db.CommitTransaction()) << "nothing to commit";
    EXPECT_TRUE(db.BeginTransaction());
    EXPECT_FALSE(db.BeginTransaction()) << "transactions do not nest";
    EXPECT_TRUE(db.CommitTransaction());
}

TEST(SqliteDB, RollbackUndoesEveryChangeSinceBegin) {
    TestDirectory dir;
    ASSERT_TRUE(data::createDatabase("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1), (2);",
                                     dir.file("t.db")));
    SqliteDB db;
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    SqliteTable table;
    ASSERT_TRUE(table.Open("t", db));
    ASSERT_TRUE(db.BeginTransaction());
    ASSERT_TRUE(table.First());
    ASSERT_TRUE(table.Delete());
    ASSERT_TRUE(table.BeginAdd());
    ASSERT_TRUE(table.Write("a", 3));
    ASSERT_TRUE(table.Commit());
    ASSERT_TRUE(db.RollbackTransaction());

    ASSERT_TRUE(table.Open("t", db));
    ASSERT_EQ(table.RecordCount(), 2);
    ASSERT_TRUE(table.First());
    EXPECT_EQ(table.ReadInt("a"), 1);
}

} // namespace
