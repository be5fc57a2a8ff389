// A cysj.db with a damaged page: the first step that meets the damage says so, naming the file
// and what to do, and nothing is written to the file for the rest of the run.
#include "app/app_fixture.h"
#include "common/other_program.h"

#include <string>
#include <vector>

namespace {

using testing_support::AppTest;
using testing_support::damageTable;
using testing_support::fileBytes;

class DamagedDatabaseTest : public AppTest {
protected:
    DamagedDatabaseTest() {
        executeSql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作) VALUES "
                   "('20221028120000', '2022年10月28日12时', '大厅01', 2, 48, 0, '管理员');"
                   "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES "
                   "('20221028120000', '红烧肉', 48, 1, 48, '热菜');");
    }

    std::filesystem::path database() const { return directory.file("cysj.db"); }

    void expectDamageToldOnce() {
        ASSERT_FALSE(desktop.messages.empty());
        const ShownMessage& first = desktop.messages[0];
        EXPECT_EQ(first.flags, 0x10);
        EXPECT_NE(first.text.find("数据库文件已损坏"), std::string::npos) << first.text;
        EXPECT_NE(first.text.find(database().string()), std::string::npos) << first.text;
        EXPECT_NE(first.text.find("备份"), std::string::npos) << first.text;
        for (std::size_t i = 1; i < desktop.messages.size(); ++i)
            EXPECT_EQ(desktop.messages[i].text.find("数据库文件已损坏"), std::string::npos);
    }
    using ShownMessage = testing_support::ShownMessage;
};

TEST_F(DamagedDatabaseTest, BillLinesThatCannotBeReadAreToldAndTheBillIsNotSettled) {
    damageTable(database(), "明细");
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 4);
        auto cashier = person(app.checkoutScreen);
        ASSERT_EQ(app.checkoutScreen.listView("超级列表框_流水").rowCount(), 1);
        const std::string damaged = fileBytes(database());
        cashier.clickRow("超级列表框_流水", 0);
        cashier.type("编辑框_金额", "100");
        cashier.click("按钮_结账");
        expectDamageToldOnce();
        ASSERT_EQ(desktop.messages.size(), 2u);
        EXPECT_EQ(desktop.messages[1].text, "结账失败，请检查！");
        EXPECT_EQ(querySql("SELECT 状态 FROM 流水"), "0");

        // Not even the sound tables are written any more.
        desktop.inputAnswers = {"周一店休"};
        person(app.mainWindow).chooseMenuItem("公告设置");
        EXPECT_EQ(desktop.messageTexts().back(), "公告设置失败，请检查！");
        EXPECT_TRUE(fileBytes(database()) == damaged) << "the damaged file was written";
    });
}

TEST_F(DamagedDatabaseTest, OrdersThatCannotBeReadAreNeverShownAsNoOrders) {
    damageTable(database(), "流水");
    run([&] {
        person(app.mainWindow).clickToolButton("工具条1", 3);
        expectDamageToldOnce();
        EXPECT_EQ(desktop.messages.size(), 1u);
        person(app.mainWindow).clickToolButton("工具条1", 6);
        person(app.recordsScreen).click("按钮_查询全部");
        ASSERT_EQ(desktop.messages.size(), 2u);
        EXPECT_EQ(desktop.messages[1].text, "读取数据失败，请检查！");
    });
}

} // namespace
