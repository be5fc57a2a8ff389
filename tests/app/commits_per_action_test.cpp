#include "app/app_fixture.h"
#include "common/other_program.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using testing_support::AppTest;

// Each action at the counter that stores something waits for one synced commit, never two: a
// second commit would double the wait and leave a moment where only half the change is stored.
class CommitsPerActionTest : public AppTest {
protected:
    // The file's own count of committed write transactions (header bytes 24 to 27).
    std::uint32_t commitsSoFar() {
        const std::string header = testing_support::fileBytes(app.databasePath()).substr(24, 4);
        std::uint32_t count = 0;
        for (const char byte : header)
            count = count << 8 | static_cast<unsigned char>(byte);
        return count;
    }

    // Runs the action and tells how many commits it made.
    template <typename Action> std::uint32_t commitsOf(Action&& action) {
        const std::uint32_t before = commitsSoFar();
        action();
        return commitsSoFar() - before;
    }
};

TEST_F(CommitsPerActionTest, EveryDeskActionThatStoresCommitsOnce) {
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 3);
        auto counter = person(app.orderScreen);
        const ui::OutlookBar& menu = app.orderScreen.outlookBar("卷帘式菜单_点菜");
        ASSERT_GT(menu.groupCount(), 0);
        const auto addDish = [&](int group, int item) {
            counter.chooseGroup("卷帘式菜单_点菜", menu.groupText(group));
            counter.chooseItem("卷帘式菜单_点菜", menu.itemText(item, group));
        };
        addDish(0, 0); // no order yet: refused, nothing stored
        EXPECT_EQ(commitsOf([&] {
                      counter.pick("组合框_餐台",
                                   app.orderScreen.comboBox("组合框_餐台").itemText(0));
                      counter.retype("组合框_人数", "4");
                      counter.click("按钮_开台");
                  }),
                  1u);
        EXPECT_EQ(commitsOf([&] { addDish(0, 0); }), 1u);
        EXPECT_EQ(commitsOf([&] { addDish(0, 1); }), 1u);
        counter.clickRow("超级列表框_点菜", 0);
        EXPECT_EQ(commitsOf([&] { counter.click("按钮_数量加"); }), 1u);
        EXPECT_EQ(commitsOf([&] { counter.click("按钮_数量减"); }), 1u);
        EXPECT_EQ(commitsOf([&] { counter.click("按钮_删除"); }), 1u);
        EXPECT_EQ(app.orderScreen.listView("超级列表框_点菜").rowCount(), 1);

        person(app.mainWindow).clickToolButton("工具条1", 4);
        auto cashier = person(app.checkoutScreen);
        cashier.clickRow("超级列表框_流水", 0);
        cashier.retype("编辑框_金额", "1000");
        EXPECT_EQ(commitsOf([&] { cashier.click("按钮_结账"); }), 1u);

        person(app.mainWindow).clickToolButton("工具条1", 6);
        auto clerk = person(app.recordsScreen);
        clerk.click("按钮_查询全部");
        clerk.clickRow("超级列表框_流水", 0);
        EXPECT_EQ(commitsOf([&] { clerk.click("按钮_删除"); }), 1u);
        EXPECT_EQ(querySql("SELECT COUNT(*) FROM 流水") + querySql("SELECT COUNT(*) FROM 明细"),
                  "00");
    });
    EXPECT_EQ(
        desktop.messageTexts(),
        (std::vector<std::string>{"请选择要操作的台号！", "开台成功！", "结账成功！",
                                  "删除当前记录后，该记录下的菜品明细将同步删除。是否继续？"}));
}

} // namespace
