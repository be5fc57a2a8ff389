#include "ui/screens/screens.h"

namespace ui::screens {

WindowDef printerSettingsScreen() {
    using enum ControlKind;
    constexpr Color kLine = Color::rgb(0x808080);

    WindowDef def;
    def.name = "PrinterSettingsScreen";
    def.rect = {0, 0, 780, 550};

    def.add(GroupBox, "分组框1", "", {2, -2, 776, 525});
    def.add(TransLabel, "透明标签1", "分组框1", {16, 18, 120, 24})
        .withCaption("打印设置")
        .withFont(16, true);
    def.add(Button, "按钮_关闭", "分组框1", {656, 16, 95, 25}).withCaption("关闭");
    def.add(ShapeBox, "外形框1", "分组框1", {15, 50, 745, 1}).withTextColor(kLine);

    // The printers, and the one chosen.
    def.add(TransLabel, "透明标签2", "分组框1", {16, 60, 100, 24}).withCaption("打印机");
    def.add(ListBox, "列表框_打印机", "分组框1", {14, 86, 170, 270});
    def.add(GroupBox, "分组框2", "分组框1", {194, 60, 566, 300});
    def.add(TransLabel, "透明标签3", "分组框2", {12, 14, 60, 24}).withCaption("名称：");
    def.add(EditBox, "编辑框_名称", "分组框2", {72, 13, 150, 25});
    def.add(TransLabel, "透明标签4", "分组框2", {12, 50, 60, 24}).withCaption("连接：");
    def.add(ComboBox, "组合框_连接", "分组框2", {72, 50, 150, 22})
        .withComboType(ComboType::DropDownList)
        .withItems({"网络", "设备", "系统"}, 0);
    def.add(TransLabel, "透明标签5", "分组框2", {12, 86, 60, 24}).withCaption("地址：");
    def.add(EditBox, "编辑框_地址", "分组框2", {72, 85, 150, 25});
    def.add(TransLabel, "透明标签6", "分组框2", {12, 122, 60, 24}).withCaption("端口：");
    def.add(EditBox, "编辑框_端口", "分组框2", {72, 121, 80, 25})
        .withInputMode(InputMode::WholeNumber)
        .withMaxLength(5);
    def.add(TransLabel, "透明标签7", "分组框2", {12, 158, 60, 24}).withCaption("纸宽：");
    def.add(ComboBox, "组合框_纸宽", "分组框2", {72, 158, 150, 22})
        .withComboType(ComboType::DropDownList)
        .withItems({"58毫米（32列）", "80毫米（48列）"}, 1);
    def.add(TransLabel, "透明标签8", "分组框2", {12, 194, 60, 24}).withCaption("编码：");
    def.add(ComboBox, "组合框_编码", "分组框2", {72, 194, 150, 22})
        .withComboType(ComboType::DropDownList)
        .withItems({"GB18030", "GBK", "UTF-8"}, 0);
    def.add(ChkListBox, "选择列表框_选项", "分组框2", {240, 36, 150, 110})
        .withItems({"打印后切纸", "现金结账开钱箱", "打印小票和预结单", "打印日结"});
    def.add(TransLabel, "透明标签9", "分组框2", {240, 12, 150, 24}).withCaption("用途");
    def.add(TransLabel, "透明标签10", "分组框2", {404, 12, 150, 24}).withCaption("厨房单分类");
    def.add(ChkListBox, "选择列表框_分类", "分组框2", {404, 36, 150, 110});
    def.add(Button, "按钮_新建", "分组框2", {240, 250, 70, 30}).withCaption("新建");
    def.add(Button, "按钮_保存", "分组框2", {318, 250, 70, 30}).withCaption("保存");
    def.add(Button, "按钮_删除", "分组框2", {396, 250, 70, 30}).withCaption("删除");
    def.add(Button, "按钮_测试", "分组框2", {474, 250, 84, 30}).withCaption("打印测试页");

    // What every receipt says of the restaurant.
    def.add(GroupBox, "分组框3", "分组框1", {14, 366, 746, 150});
    def.add(TransLabel, "透明标签11", "分组框3", {12, 14, 80, 24}).withCaption("餐厅名称：");
    def.add(EditBox, "编辑框_餐厅名称", "分组框3", {92, 13, 260, 25});
    def.add(TransLabel, "透明标签12", "分组框3", {372, 14, 80, 24}).withCaption("电话：");
    def.add(EditBox, "编辑框_餐厅电话", "分组框3", {452, 13, 180, 25});
    def.add(TransLabel, "透明标签13", "分组框3", {12, 50, 80, 24}).withCaption("地址：");
    def.add(EditBox, "编辑框_餐厅地址", "分组框3", {92, 49, 540, 25});
    def.add(TransLabel, "透明标签14", "分组框3", {12, 86, 80, 24}).withCaption("小票页脚：");
    def.add(EditBox, "编辑框_小票页脚", "分组框3", {92, 85, 540, 25});
    def.add(Button, "按钮_保存餐厅", "分组框3", {644, 12, 90, 98}).withCaption("保存");

    def.add(TransLabel, "透明标签15", "", {19, 528, 740, 16})
        .withCaption(
            "网络打印机填IP地址和端口（多为9100），USB打印机填设备文件（如/dev/usb/lp0）。")
        .withTextColor(Color::rgb(0xFF0000));
    return def;
}

} // namespace ui::screens
