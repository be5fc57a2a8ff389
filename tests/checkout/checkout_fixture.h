#pragma once

#include "app/app_fixture.h"

#include <string>

namespace testing_support {

class CheckoutScreenTest : public AppTest {
protected:
    // An open order with its lines, as the order screen would have stored it.
    void addOrder(const std::string& number, const std::string& table, int amount, int state = 0) {
        executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作) VALUES ('" +
                   number + "', '2022年10月28日12时', '" + table + "', 2, " +
                   std::to_string(amount) + ", " + std::to_string(state) + ", '管理员')");
    }
    void addLine(const std::string& number, const std::string& dish, int price, int quantity) {
        executeSql("INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES ('" + number +
                   "', '" + dish + "', " + std::to_string(price) + ", " + std::to_string(quantity) +
                   ", " + std::to_string(price * quantity) + ", '热菜')");
    }

    ui::Window& screen() { return app.checkoutScreen; }
    testing_support::ScreenDriver cashier() { return person(app.checkoutScreen); }
    void openCheckoutScreen() { person(app.mainWindow).clickToolButton("工具条1", 4); }

    std::string caption(const char* label) { return screen().label(label).caption(); }
    std::string content(const char* box) { return screen().editBox(box).content(); }
    const ui::ListView& orderList() { return screen().listView("超级列表框_流水"); }

    // The change label shows "0" and the four other fields are empty.
    void expectFieldsReset() {
        EXPECT_EQ(caption("标签_找零"), "0");
        EXPECT_EQ(caption("标签_台号"), "");
        EXPECT_EQ(caption("标签_金额"), "");
        EXPECT_EQ(content("编辑框_金额"), "");
        EXPECT_EQ(content("编辑框_备注"), "");
    }

    std::string field(const std::string& number, const char* name, int nth = 0) {
        return querySql("SELECT " + std::string(name) + " FROM 流水 WHERE 单号 = '" + number +
                        "' ORDER BY rowid LIMIT 1 OFFSET " + std::to_string(nth));
    }
};

} // namespace testing_support
