#include "common/other_program.h"
#include "common/test_directory.h"
#include "delivered_database.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"

#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>

namespace {

using store::SqliteDB;
using store::SqliteTable;
using testing_support::OtherProgram;
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

// A step that could not read must never look like one that found nothing.
TEST(SqliteDB, AStepTheEngineRefusesIsCountedNotTakenForNothingFound) {
    TestDirectory dir;
    ASSERT_TRUE(data::createDatabase(
        "CREATE TABLE t (a TEXT, n INTEGER); INSERT INTO t VALUES ('x', 99999999999);",
        dir.file("t.db")));
    SqliteDB db;
    db.SetBusyTimeout(20);
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    SqliteTable table;
    ASSERT_TRUE(table.Open("t", db));

    store::FaultWatch nothingFound(db.Faults());
    EXPECT_FALSE(table.FindFirst({{"a", std::string("y")}}));
    EXPECT_FALSE(nothingFound.failed());
    ASSERT_TRUE(table.FindFirst({{"a", std::string("x")}}));
    EXPECT_EQ(table.ReadInt("n"), 99999999999LL) << "numbers are read in 64 bits";

    {
        OtherProgram backup(dir.file("t.db"), OtherProgram::Hold::Everything);
        store::FaultWatch busy(db.Faults());
        EXPECT_FALSE(table.FindFirst({{"a", std::string("x")}}));
        EXPECT_TRUE(busy.failed());
        store::FaultWatch walk(db.Faults());
        int visited = 0;
        table.ForEachRecord([&] { ++visited; });
        EXPECT_EQ(visited, 0);
        EXPECT_TRUE(walk.failed());
        store::FaultWatch write(db.Faults());
        EXPECT_FALSE(db.BeginWriteTransaction());
        EXPECT_TRUE(write.failed());
    }
    EXPECT_FALSE(db.Damaged()) << "a busy file is not a damaged one";
    store::FaultWatch after(db.Faults());
    EXPECT_TRUE(table.FindFirst({{"a", std::string("x")}}));
    EXPECT_FALSE(after.failed());

    // A file that cannot be opened is a failure too.
    store::FaultWatch missing(db.Faults());
    EXPECT_FALSE(db.Open(dir.file("gone.db").string()));
    EXPECT_TRUE(missing.failed());
}

TEST(SqliteDB, AFileFoundDamagedTakesNoMoreWrites) {
    TestDirectory dir;
    std::string script = "CREATE TABLE kept (a INTEGER); CREATE TABLE hurt (a INTEGER);"
                         "INSERT INTO kept VALUES (1); INSERT INTO hurt VALUES (1);";
    ASSERT_TRUE(data::createDatabase(script, dir.file("t.db")));
    testing_support::damageTable(dir.file("t.db"), "hurt");
    const std::string damaged = testing_support::fileBytes(dir.file("t.db"));

    SqliteDB db;
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    SqliteTable kept, hurt;
    ASSERT_TRUE(kept.Open("kept", db));
    ASSERT_TRUE(hurt.Open("hurt", db));
    ASSERT_TRUE(kept.First()) << "the sound table reads before the damage is met";
    EXPECT_FALSE(db.Damaged());
    EXPECT_EQ(hurt.RecordCount(), 0);
    EXPECT_TRUE(db.Damaged());

    // Not even the sound table is written now, and the damage outlives a reopening.
    EXPECT_FALSE(db.BeginTransaction());
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    ASSERT_TRUE(kept.Open("kept", db));
    ASSERT_TRUE(kept.First());
    EXPECT_TRUE(kept.BeginAdd());
    kept.Write("a", 2);
    EXPECT_FALSE(kept.Commit());
    EXPECT_FALSE(kept.Delete());
    EXPECT_FALSE(kept.DeleteWhere({{"a", 1}}));
    EXPECT_TRUE(db.Damaged());
    db.Close();
    EXPECT_TRUE(testing_support::fileBytes(dir.file("t.db")) == damaged) << "the file was written";
}

} // namespace

// The records screen trusts the count to tell whether anything but its own deletion changed the
// file since it listed the orders.
TEST(SqliteDB, EveryCommitOfAnyConnectionAddsOneToTheCommitCount) {
    TestDirectory dir;
    ASSERT_TRUE(data::createDatabase("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1);",
                                     dir.file("t.db")));
    SqliteDB db;
    EXPECT_EQ(db.CommitCount(), std::nullopt) << "nothing is open";
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    const auto start = db.CommitCount();
    ASSERT_TRUE(start.has_value());

    SqliteTable table;
    ASSERT_TRUE(table.Open("t", db));
    ASSERT_TRUE(table.BeginAdd() && table.Write("a", 2) && table.Commit());
    EXPECT_EQ(db.CommitCount(), *start + 1);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(dir.file("t.db").string().c_str(), &other), SQLITE_OK);
    const auto otherRuns = [&](const char* sql) {
        return sqlite3_exec(other, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    ASSERT_TRUE(otherRuns("UPDATE t SET a = a + 1"));
    EXPECT_EQ(db.CommitCount(), *start + 2);

    // Inside a write transaction, the count before it; the whole transaction adds one.
    ASSERT_TRUE(db.BeginWriteTransaction());
    ASSERT_TRUE(table.First() && table.Delete());
    ASSERT_TRUE(table.BeginAdd() && table.Write("a", 9) && table.Commit());
    EXPECT_EQ(db.CommitCount(), *start + 2);
    ASSERT_TRUE(db.CommitTransaction());
    EXPECT_EQ(db.CommitCount(), *start + 3);

    ASSERT_TRUE(db.BeginWriteTransaction());
    ASSERT_TRUE(table.First() && table.Delete());
    ASSERT_TRUE(db.RollbackTransaction());
    ASSERT_TRUE(otherRuns("SELECT count(*) FROM t"));
    EXPECT_EQ(db.CommitCount(), *start + 3) << "neither a rollback nor a read counts";

    // Write-ahead logging keeps no count in the file: none is given.
    ASSERT_TRUE(otherRuns("PRAGMA journal_mode = WAL"));
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    EXPECT_EQ(db.CommitCount(), std::nullopt);
    sqlite3_close(other);
}

// The handlers close and open the database at every action; the engine's connection is kept
// aside in between, but never for a file that is no longer the one it was opened on.
TEST(SqliteDB, OpeningAgainReadsTheFileAsItIsNow) {
    TestDirectory dir;
    const auto make = [&](const std::string& name, int value) {
        return data::createDatabase("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (" +
                                        std::to_string(value) + ");",
                                    dir.file(name));
    };
    ASSERT_TRUE(make("t.db", 1));
    SqliteDB db;
    SqliteTable table;
    const auto firstValue = [&] {
        return db.Open(dir.file("t.db").string()) && table.Open("t", db) && table.First()
                   ? table.ReadInt("a")
                   : -1;
    };
    EXPECT_EQ(firstValue(), 1);
    ASSERT_TRUE(db.Close());

    // Another file put in its place, as a restore from a backup does.
    ASSERT_TRUE(make("new.db", 2));
    std::filesystem::rename(dir.file("new.db"), dir.file("t.db"));
    EXPECT_EQ(firstValue(), 2);

    // A transaction left open is rolled back by the close, not kept for the next open.
    ASSERT_TRUE(db.BeginTransaction());
    ASSERT_TRUE(table.BeginAdd() && table.Write("a", 3) && table.Commit());
    ASSERT_TRUE(db.Close());
    EXPECT_FALSE(table.IsOpen());
    ASSERT_TRUE(db.Open(dir.file("t.db").string()));
    ASSERT_TRUE(table.Open("t", db));
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_FALSE(db.InTransaction());

    // Changes by another program are read, however the connection was kept.
    ASSERT_TRUE(db.Close());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(dir.file("t.db").string().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "UPDATE t SET a = 4", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    EXPECT_EQ(firstValue(), 4);

    // A file gone is not opened, nor created.
    ASSERT_TRUE(db.Close());
    std::filesystem::remove(dir.file("t.db"));
    EXPECT_FALSE(db.Open(dir.file("t.db").string()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("t.db")));
}

// Statements are kept for their next use between actions, and a kept one must neither hold the
// file nor remember the values of its last run.
TEST(SqliteDB, KeptStatementsHoldNoLockAndNoValues) {
    TestDirectory dir;
    ASSERT_TRUE(data::createDatabase(
        "CREATE TABLE t (a INTEGER, b TEXT); INSERT INTO t VALUES (1, 'x'), (2, 'y'), (3, 'x');",
        dir.file("t.db")));
    SqliteDB db;
    SqliteTable table;
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(dir.file("t.db").string().c_str(), &other), SQLITE_OK);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(db.Open(dir.file("t.db").string()));
        ASSERT_TRUE(table.Open("t", db));
        ASSERT_TRUE(table.FindFirst({{"b", "x"}})) << round; // stops after the first of two
        EXPECT_EQ(table.ReadInt("a"), 1);
        EXPECT_FALSE(table.FindFirst({{"b", "z"}}));
        int visited = 0;
        table.ForEachWhere({{"b", "y"}}, [&] { ++visited; });
        EXPECT_EQ(visited, 1);
        // Nothing this program ran stands in another program's way, before or after the close.
        ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; COMMIT;", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        ASSERT_TRUE(db.Close());
        ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; COMMIT;", nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    sqlite3_close(other);
}
