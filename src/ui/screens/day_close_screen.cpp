#include "ui/screens/screens.h"

#include <string>

namespace ui::screens {
namespace {

constexpr int kFont = 16;
constexpr int kListFont = 16;

} // namespace

WindowDef dayCloseScreen() {
    using enum ControlKind;
    using enum Alignment;

    WindowDef def;
    def.name = "DayCloseScreen";
    def.rect = {0, 0, 1024, 630};

    const std::string frame = "分组框1";
    def.add(GroupBox, frame, "", {4, -1, 1016, 627});

    // The page: since the last close, or a past close chosen on the right.
    def.add(TransLabel, "标签_页面", frame, {14, 12, 300, 24})
        .withCaption("本次日结")
        .withFont(kFont, true);
    def.add(ListView, "超级列表框_本次", frame, {10, 40, 480, 470})
        .withColumns({{"项目", 200, Left}, {"数值", 256, Right}})
        .asReportList()
        .withFont(kListFont);
    def.add(TransLabel, "透明标签1", frame, {14, 524, 96, 24})
        .withCaption("实点现金：")
        .withFont(kFont);
    def.add(EditBox, "编辑框_实点现金", frame, {112, 522, 100, 26})
        .withInputMode(InputMode::WholeNumber)
        .withFont(kFont);
    def.add(TransLabel, "透明标签2", frame, {218, 524, 24, 24}).withCaption("元").withFont(kFont);
    def.add(TransLabel, "透明标签3", frame, {262, 524, 56, 24})
        .withCaption("差额：")
        .withFont(kFont);
    def.add(Label, "标签_差额", frame, {318, 524, 100, 24}).withFont(kFont);
    def.add(TransLabel, "透明标签4", frame, {14, 562, 96, 24})
        .withCaption("留备用金：")
        .withFont(kFont);
    def.add(EditBox, "编辑框_备用金", frame, {112, 560, 100, 26})
        .withInputMode(InputMode::WholeNumber)
        .withFont(kFont);
    def.add(TransLabel, "透明标签5", frame, {218, 562, 24, 24}).withCaption("元").withFont(kFont);
    def.add(Button, "按钮_刷新", frame, {262, 558, 90, 30}).withCaption("刷新").withFont(kFont);
    def.add(Button, "按钮_确认日结", frame, {362, 558, 128, 30})
        .withCaption("确认日结")
        .withFont(kFont);

    // Every close, the newest first.
    def.add(TransLabel, "透明标签6", frame, {510, 12, 200, 24})
        .withCaption("历次日结")
        .withFont(kFont, true);
    def.add(ListView, "超级列表框_日结", frame, {506, 40, 500, 470})
        .withColumns({{"Z号", 50, Left},
                      {"日结时间", 160, Left},
                      {"单数", 60, Right},
                      {"应收合计", 90, Right},
                      {"差额", 60, Right},
                      {"操作员", 70, Center}})
        .asReportList()
        .withFont(kListFont);
    def.add(Button, "按钮_查看", frame, {506, 522, 90, 30}).withCaption("查看").withFont(kFont);
    def.add(Button, "按钮_导出", frame, {606, 522, 90, 30}).withCaption("导出").withFont(kFont);
    def.add(Button, "按钮_打印", frame, {706, 522, 90, 30}).withCaption("打印").withFont(kFont);
    def.add(TransLabel, "透明标签7", frame, {506, 564, 500, 24})
        .withCaption("确认日结后，本次页面存为下一个Z号，并立即备份数据。")
        .withTextColor(Color::rgb(0xFF0000));
    return def;
}

} // namespace ui::screens
