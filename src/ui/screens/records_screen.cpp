#include "ui/screens/screens.h"

#include <string>

namespace ui::screens {
namespace {

constexpr Color kGrey = Color::rgb(0x808080);

constexpr int kFont = 16;
constexpr int kListFont = 19;
constexpr int kDetailFont = 19;
// The stored opening time is the longest text on the right and has to fit 160 pixels.
constexpr int kTimeFont = 11;

} // namespace

WindowDef recordsScreen() {
    using enum ControlKind;
    using enum Alignment;

    WindowDef def;
    def.name = "RecordsScreen";
    def.rect = {0, 0, 1024, 630};

    const std::string frame = "分组框1";
    def.add(GroupBox, frame, "", {4, -1, 1016, 627});

    def.add(Button, "按钮_查询全部", frame, {7, 13, 72, 24}).withCaption("全部").withFont(kFont);
    def.add(TransLabel, "透明标签1", frame, {143, 17, 37, 16})
        .withCaption("单号：")
        .withFont(kFont);
    def.add(EditBox, "编辑框_单号", frame, {190, 14, 161, 22})
        .withInputMode(InputMode::WholeNumber)
        .withFont(kFont);
    def.add(Button, "按钮_查询单号", frame, {369, 13, 56, 24}).withCaption("查询").withFont(kFont);
    def.add(TransLabel, "透明标签2", frame, {502, 17, 40, 16})
        .withCaption("日期：")
        .withFont(kFont);
    def.add(DatePicker, "日期框1", frame, {554, 13, 136, 24}).withFont(kFont);
    def.add(TransLabel, "透明标签3", frame, {701, 13, 32, 24}).withCaption("——").withFont(kFont);
    def.add(DatePicker, "日期框2", frame, {738, 13, 136, 24}).withFont(kFont);
    def.add(Button, "按钮_查询时间", frame, {897, 13, 64, 24}).withCaption("查询").withFont(kFont);

    def.add(ListView, "超级列表框_流水", frame, {3, 42, 1010, 250})
        .withColumns({{"序号", 50, Left},
                      {"系统单号", 160, Left},
                      {"开台时间", 270, Left},
                      {"台号", 110, Center},
                      {"人数", 50, Right},
                      {"总金额", 70, Right},
                      {"结账状态", 100, Center},
                      {"操作员", 110, Center},
                      {"结账备注", 500, Left}})
        .asReportList()
        .withFont(kListFont);

    def.add(TransLabel, "透明标签4", frame, {24, 302, 72, 24})
        .withCaption("人数合计：")
        .withFont(kFont);
    def.add(Label, "标签_人数合计", frame, {101, 302, 72, 24}).withCaption("0").withFont(kFont);
    def.add(TransLabel, "透明标签5", frame, {207, 302, 72, 24})
        .withCaption("金额合计：")
        .withFont(kFont);
    def.add(Label, "标签_金额合计", frame, {284, 302, 72, 24}).withCaption("0").withFont(kFont);
    def.add(TransLabel, "透明标签6", frame, {394, 302, 72, 24})
        .withCaption("已结合计：")
        .withFont(kFont);
    def.add(Label, "标签_已结合计", frame, {474, 302, 72, 24}).withCaption("0").withFont(kFont);
    def.add(TransLabel, "透明标签7", frame, {588, 302, 72, 24})
        .withCaption("未结合计：")
        .withFont(kFont);
    def.add(Label, "标签_未结合计", frame, {665, 302, 72, 24}).withCaption("0").withFont(kFont);
    def.add(Button, "按钮_删除", frame, {780, 302, 88, 24}).withCaption("删除选中").withFont(kFont);
    def.add(Button, "按钮_流水导出", frame, {888, 302, 112, 24})
        .withCaption("流水导出Excel")
        .withFont(kFont);
    def.add(ShapeBox, "外形框1", frame, {4, 334, 1008, 1}).withTextColor(kGrey);

    def.add(ListView, "超级列表框_明细", frame, {3, 337, 697, 286})
        .withColumns({{"序号", 50, Left},
                      {"系统单号", 160, Left},
                      {"菜品名称", 150, Center},
                      {"单价", 70, Right},
                      {"数量", 70, Right},
                      {"金额", 70, Right},
                      {"菜品分类", 120, Center}})
        .asReportList(true)
        .withFont(kListFont);

    def.add(TransLabel, "透明标签8", frame, {745, 373, 60, 20})
        .withCaption("单号：")
        .withFont(kFont);
    def.add(Label, "标签_单号", frame, {806, 369, 160, 24}).withFont(kDetailFont);
    def.add(TransLabel, "透明标签12", frame, {745, 410, 60, 20})
        .withCaption("时间：")
        .withFont(kFont);
    def.add(Label, "标签_时间", frame, {806, 406, 160, 24}).withFont(kTimeFont, true);
    def.add(TransLabel, "透明标签9", frame, {745, 447, 60, 20})
        .withCaption("台号：")
        .withFont(kFont);
    def.add(Label, "标签_台号", frame, {806, 443, 160, 24}).withFont(kDetailFont);
    def.add(TransLabel, "透明标签10", frame, {745, 484, 60, 20})
        .withCaption("人数：")
        .withFont(kFont);
    def.add(Label, "标签_人数", frame, {806, 480, 160, 24}).withFont(kDetailFont);
    def.add(TransLabel, "透明标签11", frame, {745, 524, 60, 20})
        .withCaption("金额：")
        .withFont(kFont);
    def.add(Label, "标签_金额", frame, {806, 520, 160, 24}).withFont(kDetailFont);
    def.add(Button, "按钮_单台导出", frame, {806, 565, 160, 32})
        .withCaption("单台导出Excel")
        .withFont(kFont);
    // Printing the selected order's receipt again, left of the export and under the lines' frame.
    def.add(Button, "按钮_补打", frame, {712, 565, 84, 32}).withCaption("补打").withFont(kFont);
    return def;
}

} // namespace ui::screens
