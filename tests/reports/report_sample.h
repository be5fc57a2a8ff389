#pragma once

#include "app/app_fixture.h"
#include "reports/report_period.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// Two business days, 1 and 2 December 2026, with the day starting at 05:00: orders after
// midnight, an order with no settlement row and lines short of its total, an order of a table
// deleted since, a dish sold under its old name, a category that sold nothing, an open order and
// orders just outside the period on either side.
class ReportSampleTest : public AppTest {
protected:
    const int kDecember1 = reports::dayNumber(2026, 12, 1);
    const int kDecember2 = reports::dayNumber(2026, 12, 2);

    ReportSampleTest() {
        executeSql("DELETE FROM 菜品; DELETE FROM 分类; DELETE FROM 餐台;"
                   "INSERT INTO 餐台 VALUES ('大厅01');"
                   "INSERT INTO 分类 VALUES ('热菜'), ('主食'), ('酒水'), ('甜品');"
                   "INSERT INTO 菜品 VALUES ('东坡肉/60元', '热菜'), ('米饭/6元', '主食'),"
                   " ('啤酒/8元', '酒水'), ('冰淇淋/12元', '甜品')");
        order("20261201120000", "大厅01", 4, 100, "小李", "现金",
              {{"红烧肉", "热菜", 2, 76}, {"米饭", "主食", 4, 24}});
        order("20261201233000", "包间9", 6, 200, "小王", "微信",
              {{"啤酒", "酒水", 10, 80}, {"东坡肉", "热菜", 2, 120}});
        order("20261202013000", "大厅01", 2, 50, "小李", "",
              {{"米饭", "主食", 2, 12}, {"啤酒", "酒水", 4, 32}});
        order("20261202120000", "大厅01", 3, 90, "小王", "现金",
              {{"东坡肉", "热菜", 1, 60}, {"米饭", "主食", 5, 30}});
        order("20261203045959", "大厅01", 1, 10, "小李", "现金", {{"啤酒", "酒水", 1, 10}});
        order("20261202130000", "大厅01", 2, 500, "小李", "", {{"东坡肉", "热菜", 5, 500}},
              /*settled=*/false);
        order("20261203050000", "大厅01", 2, 1000, "小李", "现金", {{"东坡肉", "热菜", 1, 1000}});
        order("20261201045959", "大厅01", 1, 7, "小李", "现金", {{"米饭", "主食", 1, 7}});
        order("20261129060000", "大厅01", 2, 40, "小王", "现金", {{"米饭", "主食", 4, 40}});
        EXPECT_TRUE(app.openDatabase());
    }

    struct Line {
        std::string dish, category;
        std::int64_t quantity, amount;
    };

    void order(const std::string& number, const std::string& table, int guests, std::int64_t amount,
               const std::string& by, const std::string& way, const std::vector<Line>& lines,
               bool settled = true) {
        executeSql("INSERT INTO 流水 VALUES ('" + number + "', '', '" + table + "', " +
                   std::to_string(guests) + ", " + std::to_string(amount) + ", " +
                   (settled ? "1" : "0") + ", '" + by + "', '')");
        for (const Line& line : lines)
            executeSql("INSERT INTO 明细 VALUES ('" + number + "', '" + line.dish + "', 0, " +
                       std::to_string(line.quantity) + ", " + std::to_string(line.amount) + ", '" +
                       line.category + "')");
        if (settled && !way.empty())
            executeSql("INSERT INTO 结账记录 VALUES ('" + number + "', '2026-12-01 00:00:00', " +
                       std::to_string(amount) + ", " + std::to_string(amount) + ", 0, '" + way +
                       "', '" + by + "')");
    }
};

} // namespace testing_support
