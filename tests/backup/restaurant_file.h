#pragma once

#include "common/fresh_database.h"
#include "common/test_directory.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace testing_support {

// Runs SQL on a file as another program would.
class OtherConnection {
public:
    explicit OtherConnection(const std::filesystem::path& file) {
        EXPECT_EQ(sqlite3_open(file.string().c_str(), &db_), SQLITE_OK);
        sqlite3_busy_timeout(db_, 5000);
    }
    ~OtherConnection() { sqlite3_close(db_); }
    void run(const std::string& sql) {
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << (error ? error : "") << " in " << sql;
        sqlite3_free(error);
    }
    // Every row of every table, in row order, each value with its type.
    std::string everything() {
        std::string dump;
        std::vector<std::string> tables;
        each("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name",
             [&](sqlite3_stmt* row) {
                 tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(row, 0)));
             });
        for (const std::string& table : tables) {
            dump += "[" + table + "]\n";
            each("SELECT * FROM \"" + table + "\" ORDER BY _ROWID_", [&](sqlite3_stmt* row) {
                for (int column = 0; column < sqlite3_column_count(row); ++column) {
                    const auto* text = sqlite3_column_text(row, column);
                    dump += std::to_string(sqlite3_column_type(row, column)) + ":" +
                            (text ? reinterpret_cast<const char*>(text) : "") + "|";
                }
                dump += "\n";
            });
        }
        return dump;
    }
    std::string value(const std::string& sql) {
        std::string result;
        each(sql, [&](sqlite3_stmt* row) {
            const auto* text = sqlite3_column_text(row, 0);
            result = text ? reinterpret_cast<const char*>(text) : "";
        });
        return result;
    }

private:
    template <typename Visit> void each(const std::string& sql, Visit&& visit) {
        sqlite3_stmt* statement = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
        while (sqlite3_step(statement) == SQLITE_ROW)
            visit(statement);
        sqlite3_finalize(statement);
    }
    sqlite3* db_ = nullptr;
};

// A restaurant's database with `orders` orders of three lines each.
inline std::filesystem::path restaurant(const TestDirectory& dir, int orders) {
    const std::filesystem::path file = testing_support::createDeliveredDatabase(dir.path());
    OtherConnection(file).run(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(orders) +
        ") INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作, 备注) "
        "SELECT printf('2026%010d', i), '2026年12月1日10时', '大厅01', 2, 30, 1, '管理员', "
        "'[实收：100元]' || char(13, 10) || '[找零：70元]' FROM n;"
        "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) "
        "SELECT 单号, d.菜品, 10, 1, 10, '热菜' FROM 流水, "
        "(SELECT '红烧肉' AS 菜品 UNION ALL SELECT '米饭' UNION ALL SELECT '拍黄瓜') AS d;");
    return file;
}

} // namespace testing_support
