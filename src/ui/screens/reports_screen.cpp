#include "ui/screens/screens.h"

#include <string>
#include <vector>

namespace ui::screens {
namespace {

constexpr int kFont = 16;
constexpr int kListFont = 14;

std::vector<std::string> dayStartHours() {
    std::vector<std::string> hours;
    for (int hour = 0; hour < 24; ++hour)
        hours.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":00");
    return hours;
}

} // namespace

WindowDef reportsScreen() {
    using enum ControlKind;
    using enum Alignment;

    WindowDef def;
    def.name = "ReportsScreen";
    def.rect = {0, 0, 1024, 630};

    const std::string frame = "分组框1";
    def.add(GroupBox, frame, "", {4, -1, 1016, 627});

    // The period: a named one or two dates, in business days starting at the day start hour.
    def.add(TransLabel, "透明标签1", frame, {12, 14, 50, 24}).withCaption("期间：").withFont(kFont);
    def.add(ComboBox, "组合框_期间", frame, {62, 12, 96, 26})
        .withItems({"今天", "昨天", "本周", "上周", "本月", "上月", "自定义"}, 0)
        .withComboType(ComboType::DropDownList)
        .withFont(kFont);
    def.add(DatePicker, "日期框1", frame, {168, 12, 136, 26}).withFont(kFont);
    def.add(TransLabel, "透明标签2", frame, {308, 14, 20, 24}).withCaption("至").withFont(kFont);
    def.add(DatePicker, "日期框2", frame, {330, 12, 136, 26}).withFont(kFont);
    def.add(TransLabel, "透明标签3", frame, {480, 14, 100, 24})
        .withCaption("营业日开始：")
        .withFont(kFont);
    def.add(ComboBox, "组合框_营业日开始", frame, {580, 12, 80, 26})
        .withItems(dayStartHours(), 5)
        .withComboType(ComboType::DropDownList)
        .withFont(kFont);
    def.add(Button, "按钮_查询", frame, {676, 11, 90, 30}).withCaption("查询").withFont(kFont);
    def.add(Button, "按钮_导出", frame, {776, 11, 90, 30}).withCaption("导出").withFont(kFont);
    def.add(Button, "按钮_打印", frame, {876, 11, 90, 30}).withCaption("打印").withFont(kFont);
    def.add(Label, "标签_期间", frame, {12, 46, 994, 24}).withFont(kFont);

    // The period against the one before it, then the breakdown chosen, as a table and a chart.
    def.add(ListView, "超级列表框_概况", frame, {8, 74, 500, 142})
        .withColumns(
            {{"项目", 110, Left}, {"本期", 120, Right}, {"上期", 120, Right}, {"变化", 126, Right}})
        .asReportList()
        .withFont(kListFont);
    def.add(TransLabel, "透明标签4", frame, {12, 226, 50, 24})
        .withCaption("分析：")
        .withFont(kFont);
    def.add(ComboBox, "组合框_分析", frame, {62, 224, 160, 26})
        .withItems(
            {"菜品销量前十", "菜品销量后十", "分类", "时段", "日期", "餐台", "操作员", "付款方式"},
            0)
        .withComboType(ComboType::DropDownList)
        .withFont(kFont);
    def.add(ListView, "超级列表框_分析", frame, {8, 256, 500, 362})
        .withColumns({{"名称", 150, Left},
                      {"单数", 70, Right},
                      {"数量", 70, Right},
                      {"金额", 100, Right},
                      {"占比", 86, Right}})
        .asReportList()
        .withFont(kListFont);
    def.add(Chart, "图表_分析", frame, {516, 74, 490, 544});
    return def;
}

} // namespace ui::screens
