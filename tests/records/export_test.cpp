#include "records/records_fixture.h"

#include <fstream>
#include <iterator>

namespace {

using testing_support::RecordsTest;

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string golden(const char* name) {
    return bytesOf(std::filesystem::path(VELTRANO_GOLDEN_DIRECTORY) / name);
}

class ExportTest : public RecordsTest {
protected:
    void listAllAndClickTheFirst() {
        openRecordsScreen();
        clerk().click("按钮_查询全部");
        clerk().clickRow("超级列表框_流水", 0);
    }
};

TEST_F(ExportTest, TheOrderListIsWrittenAsTheGoldenFile) {
    run([&] {
        listAllAndClickTheFirst();
        desktop.saveAnswers = {directory.file("orders")};
        clerk().click("按钮_流水导出");
        ASSERT_EQ(desktop.saveRequests.size(), 1u);
        const ui::SaveFileRequest& request = desktop.saveRequests[0];
        EXPECT_EQ(request.proposedName, "Veltrano_流水_2022年10月28日14时5分9秒.xls");
        EXPECT_EQ(request.filter, "*.xls");
        EXPECT_EQ(request.filterIndex, 1);
        EXPECT_EQ(request.title, "保存文件");
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"保存成功！"});
        EXPECT_EQ(desktop.messages[0].flags, 0x40);
        EXPECT_EQ(bytesOf(directory.file("orders.xls")), golden("order_list.xls"));
    });
}

TEST_F(ExportTest, TheClickedOrderIsWrittenUnderItsTitleBlock) {
    run([&] {
        listAllAndClickTheFirst();
        clerk().click("按钮_查询全部"); // the labels stay, the lines go
        desktop.saveAnswers = {directory.file("one.xls")};
        clerk().click("按钮_单台导出");
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"当前列表无内容！"});
        EXPECT_TRUE(desktop.saveRequests.empty());

        clerk().clickRow("超级列表框_流水", 0);
        clerk().click("按钮_单台导出");
        EXPECT_EQ(desktop.saveRequests.back().proposedName,
                  "Veltrano_单台_2022年10月28日14时5分9秒.xls");
        EXPECT_EQ(bytesOf(directory.file("one.xls")), golden("single_order.xls"));
    });
}

TEST_F(ExportTest, XlsIsAppendedOnlyWhenTheNameLacksItAnywhere) {
    run([&] {
        listAllAndClickTheFirst();
        const std::pair<const char*, const char*> cases[] = {
            {"plain", "plain.xls"},   {"upper.XLS", "upper.XLS"},     {"mixed.Xls", "mixed.Xls"},
            {"new.xlsx", "new.xlsx"}, {"old.xls.bak", "old.xls.bak"},
        };
        for (const auto& [chosen, written] : cases) {
            desktop.saveAnswers = {directory.file(chosen)};
            clerk().click("按钮_流水导出");
            EXPECT_TRUE(std::filesystem::exists(directory.file(written))) << chosen;
        }
        EXPECT_FALSE(std::filesystem::exists(directory.file("upper.XLS.xls")));
    });
}

TEST_F(ExportTest, CancellingSaysNothingAndAFailedWriteIsReported) {
    run([&] {
        openRecordsScreen();
        clerk().click("按钮_流水导出");
        EXPECT_EQ(desktop.messageTexts(), std::vector<std::string>{"当前列表无内容！"});
        EXPECT_TRUE(desktop.saveRequests.empty());

        clerk().click("按钮_查询全部");
        desktop.saveAnswers = {std::nullopt, directory.file("no such folder") / "orders.xls"};
        clerk().click("按钮_流水导出");
        EXPECT_EQ(desktop.messages.size(), 1u);
        clerk().click("按钮_流水导出");
        EXPECT_EQ(desktop.messageTexts().back(), "保存失败，请检查！");
        EXPECT_EQ(desktop.messages.back().flags, 0x30);
    });
}

} // namespace
