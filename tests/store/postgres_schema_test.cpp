#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "postgres/test_server.h"
#include "store/pg_connection.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sqlite3.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Columns = std::vector<std::pair<std::string, std::string>>; // name, type

std::string textOf(const std::string& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every table of the delivered cysj.db with its columns in order, and its index names.
struct SqliteSchema {
    std::map<std::string, Columns> tables;
    std::set<std::string> indexes;
    std::string version;
};

SqliteSchema readSqlite(const std::filesystem::path& file) {
    SqliteSchema schema;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    const auto each = [&](const std::string& sql, const std::function<void(sqlite3_stmt*)>& row) {
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
        while (sqlite3_step(statement) == SQLITE_ROW)
            row(statement);
        sqlite3_finalize(statement);
    };
    const auto text = [](sqlite3_stmt* statement, int column) {
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
    };
    std::vector<std::string> names;
    each("SELECT name FROM sqlite_master WHERE type = 'table'",
         [&](sqlite3_stmt* s) { names.push_back(text(s, 0)); });
    for (const std::string& table : names)
        each("PRAGMA table_info(\"" + table + "\")",
             [&](sqlite3_stmt* s) { schema.tables[table].emplace_back(text(s, 1), text(s, 2)); });
    each("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL",
         [&](sqlite3_stmt* s) { schema.indexes.insert(text(s, 0)); });
    each("PRAGMA user_version", [&](sqlite3_stmt* s) { schema.version = text(s, 0); });
    sqlite3_close(db);
    return schema;
}

TEST(PostgresSchema, TheServerHasTheTablesColumnsIndexesAndVersionOfCysjDb) {
    const std::string database = "schema_" + std::to_string(::getpid());
    {
        store::PgConnection admin(testing_support::testServer("postgres"));
        ASSERT_TRUE(admin.connected()) << admin.failure();
        ASSERT_TRUE(admin.run("DROP DATABASE IF EXISTS " + database));
        ASSERT_TRUE(admin.run("CREATE DATABASE " + database)) << admin.failure();
    }
    auto connection = std::make_unique<store::PgConnection>(testing_support::testServer(database));
    store::PgConnection& pg = *connection;
    ASSERT_TRUE(pg.connected()) << pg.failure();
    ASSERT_TRUE(pg.runScript(textOf(VELTRANO_POSTGRES_SQL))) << pg.failure();

    testing_support::TestDirectory directory;
    const SqliteSchema sqlite =
        readSqlite(testing_support::createDeliveredDatabase(directory.path()));
    ASSERT_FALSE(sqlite.tables.empty());

    // Every table with its columns in order, INTEGER as bigint, and rowid first.
    const auto tables =
        pg.run("SELECT table_name FROM information_schema.tables "
               "WHERE table_schema = 'public' AND table_name NOT IN ('数据库版本', '提交计数')");
    ASSERT_TRUE(tables) << pg.failure();
    EXPECT_EQ(tables->size(), sqlite.tables.size());
    for (const auto& [table, columns] : sqlite.tables) {
        SCOPED_TRACE(table);
        const auto found = pg.run("SELECT column_name, data_type FROM information_schema.columns "
                                  "WHERE table_name = $1 ORDER BY ordinal_position",
                                  {table});
        ASSERT_TRUE(found) << pg.failure();
        ASSERT_FALSE(found->empty()) << "no such table on the server";
        EXPECT_EQ(found->front().at(0), "rowid");
        Columns onServer;
        for (std::size_t i = 1; i < found->size(); ++i)
            onServer.emplace_back(*(*found)[i][0], *(*found)[i][1]);
        Columns expected;
        for (const auto& [name, type] : columns)
            expected.emplace_back(name, type == "INTEGER" ? "bigint" : "text");
        EXPECT_EQ(onServer, expected);
    }

    const auto indexes =
        pg.run("SELECT indexname FROM pg_indexes WHERE schemaname = 'public' "
               "AND indexname NOT LIKE '%pkey' AND indexname NOT LIKE '%rowid_key'");
    ASSERT_TRUE(indexes) << pg.failure();
    std::set<std::string> onServer;
    for (const auto& row : *indexes)
        onServer.insert(*row[0]);
    EXPECT_EQ(onServer, sqlite.indexes);

    const auto version = pg.run("SELECT 版本 FROM 数据库版本");
    ASSERT_TRUE(version && version->size() == 1) << pg.failure();
    EXPECT_EQ(version->front().front(), sqlite.version);

    // A second run changes nothing: the script stops at its first table, and all of it is undone.
    EXPECT_FALSE(pg.runScript(textOf(VELTRANO_POSTGRES_SQL)));
    const auto versions = pg.run("SELECT COUNT(*) FROM 数据库版本");
    ASSERT_TRUE(versions);
    EXPECT_EQ(versions->front().front(), "1");

    // The test's database goes once its own connection is closed.
    connection.reset();
    store::PgConnection admin(testing_support::testServer("postgres"));
    EXPECT_TRUE(admin.run("DROP DATABASE " + database)) << admin.failure();
}

} // namespace
