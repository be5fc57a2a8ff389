#include "common/fresh_database.h"
#include "common/test_directory.h"
#include "delivered_database.h"
#include "store/schema.h"
#include "store/sqlite_db.h"
#include "store/sqlite_table.h"
#include "support/text_rules.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace store::schema;
using store::SqliteDB;
using store::SqliteTable;
using testing_support::TestDirectory;

TEST(DeliveredDatabase, HoldsTheSixTablesWithEveryField) {
    TestDirectory dir;
    SqliteDB db;
    ASSERT_TRUE(db.Open(testing_support::createDeliveredDatabase(dir.path()).string()));

    const std::vector<std::pair<const char*, std::vector<const char*>>> tables = {
        {users::kTable, {users::kName, users::kPassword, users::kSkin, users::kAnnouncement}},
        {diningTables::kTable, {diningTables::kName}},
        {categories::kTable, {categories::kName}},
        {dishes::kTable, {dishes::kDish, dishes::kCategory}},
        {orders::kTable,
         {orders::kNumber, orders::kTime, orders::kDiningTable, orders::kGuests, orders::kAmount,
          orders::kState, orders::kOperator, orders::kRemark}},
        {orderLines::kTable,
         {orderLines::kNumber, orderLines::kDish, orderLines::kUnitPrice, orderLines::kQuantity,
          orderLines::kAmount, orderLines::kCategory}},
    };
    for (const auto& [name, fields] : tables) {
        SqliteTable table;
        ASSERT_TRUE(table.Open(name, db)) << name;
        ASSERT_TRUE(table.BeginAdd());
        for (const char* field : fields)
            EXPECT_TRUE(table.Write(field, 1)) << name << "." << field;
    }
    SqliteTable orderTable;
    ASSERT_TRUE(orderTable.Open(orders::kTable, db));
    EXPECT_EQ(orderTable.RecordCount(), 0);
}

TEST(DeliveredDatabase, TheAdministratorComesFirstWithEveryPermission) {
    TestDirectory dir;
    SqliteDB db;
    ASSERT_TRUE(db.Open(testing_support::createDeliveredDatabase(dir.path()).string()));
    SqliteTable userTable;
    ASSERT_TRUE(userTable.Open(users::kTable, db));
    ASSERT_TRUE(userTable.First());
    EXPECT_EQ(userTable.ReadText(users::kName), "管理员");
    EXPECT_EQ(userTable.ReadText(users::kPassword), "admin");
    EXPECT_EQ(userTable.ReadInt(users::kSkin), 0);
    for (const char* permission : users::kPermissions)
        EXPECT_EQ(userTable.ReadInt(permission), 1) << permission;
    EXPECT_FALSE(support::isBlank(userTable.ReadText(users::kAnnouncement)));
}

TEST(DeliveredDatabase, TheStarterMenuLinksEveryDishToACategory) {
    TestDirectory dir;
    SqliteDB db;
    ASSERT_TRUE(db.Open(testing_support::createDeliveredDatabase(dir.path()).string()));
    SqliteTable diningTable, category, dish;
    ASSERT_TRUE(diningTable.Open(diningTables::kTable, db));
    EXPECT_GE(diningTable.RecordCount(), 8);
    ASSERT_TRUE(category.Open(categories::kTable, db));
    EXPECT_EQ(category.RecordCount(), 4);
    ASSERT_TRUE(dish.Open(dishes::kTable, db));
    EXPECT_GE(dish.RecordCount(), 12);
    dish.ForEachWhere({}, [&] {
        const std::string text = dish.ReadText(dishes::kDish);
        EXPECT_NE(text.find('/'), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with("元")) << text;
        EXPECT_TRUE(category.FindFirst({{categories::kName, dish.ReadText(dishes::kCategory)}}))
            << text;
    });
}

TEST(DeliveredDatabase, AFailedScriptLeavesNoFileBehind) {
    TestDirectory dir;
    std::string error;
    EXPECT_FALSE(data::createDatabase("CREATE TABLE t (a); INSERT INTO nowhere VALUES (1);",
                                      dir.file("cysj.db"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
