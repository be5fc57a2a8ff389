#include "ui/screens/screens.h"

namespace ui::screens {

WindowDef backupScreen() {
    using enum ControlKind;
    using enum Alignment;
    constexpr Color kLine = Color::rgb(0x808080);

    WindowDef def;
    def.name = "BackupScreen";
    def.rect = {0, 0, 660, 500};

    def.add(GroupBox, "分组框1", "", {2, -2, 656, 475});
    def.add(TransLabel, "透明标签1", "分组框1", {16, 18, 120, 24})
        .withCaption("备份与恢复")
        .withFont(16, true);
    def.add(Button, "按钮_关闭", "分组框1", {540, 16, 95, 25}).withCaption("关闭");
    def.add(ShapeBox, "外形框1", "分组框1", {15, 50, 625, 1}).withTextColor(kLine);

    // Where the backups go, how long they stay, and whether one is made every day.
    def.add(GroupBox, "分组框2", "分组框1", {14, 60, 626, 92});
    def.add(TransLabel, "透明标签2", "分组框2", {12, 14, 100, 24}).withCaption("备份目录：");
    def.add(EditBox, "编辑框_备份目录", "分组框2", {112, 13, 380, 25});
    def.add(Button, "按钮_选择目录", "分组框2", {504, 12, 110, 27}).withCaption("选择目录");
    def.add(TransLabel, "透明标签3", "分组框2", {12, 52, 100, 24}).withCaption("保留天数：");
    def.add(EditBox, "编辑框_保留天数", "分组框2", {112, 51, 60, 25})
        .withInputMode(InputMode::WholeNumber)
        .withMaxLength(4);
    def.add(TransLabel, "透明标签4", "分组框2", {178, 52, 24, 24}).withCaption("天");
    def.add(TransLabel, "透明标签5", "分组框2", {230, 52, 110, 24}).withCaption("每日自动备份：");
    def.add(ComboBox, "组合框_自动备份", "分组框2", {340, 52, 80, 22})
        .withComboType(ComboType::DropDownList)
        .withItems({"开启", "关闭"});
    def.add(Button, "按钮_保存设置", "分组框2", {504, 50, 110, 27}).withCaption("保存设置");

    // The backups in the folder, newest first.
    def.add(GroupBox, "分组框3", "分组框1", {14, 160, 626, 300});
    def.add(TransLabel, "透明标签6", "分组框3", {10, 9, 100, 24}).withCaption("现有备份");
    def.add(ListView, "超级列表框_备份", "分组框3", {6, 38, 486, 220})
        .withColumns({{"序号", 50, Left},
                      {"备份时间", 180, Left},
                      {"大小", 110, Right},
                      {"流水单数", 124, Right}})
        .asReportList();
    def.add(Button, "按钮_立即备份", "分组框3", {504, 38, 110, 32}).withCaption("立即备份");
    def.add(Button, "按钮_恢复", "分组框3", {504, 80, 110, 32}).withCaption("恢复");
    def.add(ProgressBar, "进度条_备份", "分组框3", {6, 266, 486, 22});
    def.add(Label, "标签_进度", "分组框3", {504, 266, 110, 22});

    def.add(TransLabel, "透明标签7", "", {19, 478, 620, 16})
        .withCaption("恢复会用所选备份替换当前全部数据，原数据库另存为 cysj-before-restore 文件。")
        .withTextColor(Color::rgb(0xFF0000));
    return def;
}

} // namespace ui::screens
