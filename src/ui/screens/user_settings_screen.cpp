#include "ui/screens/screens.h"

namespace ui::screens {

WindowDef userSettingsScreen() {
    using enum ControlKind;
    constexpr Color kLine = Color::rgb(0x808080);

    WindowDef def;
    def.name = "UserSettingsScreen";
    def.caption = "用户设置";
    def.rect = {0, 0, 650, 400};
    def.flags = {.minimiseBox = false, .maximiseBox = false, .systemMenu = true};

    def.add(GroupBox, "分组框4", "", {0, -3, 650, 376});
    def.add(TransLabel, "透明标签2", "分组框4", {16, 18, 88, 24})
        .withCaption("用户设置")
        .withFont(16, true);
    def.add(Button, "按钮3", "分组框4", {533, 16, 95, 25}).withCaption("关闭");
    def.add(ShapeBox, "外形框1", "分组框4", {15, 50, 620, 1}).withTextColor(kLine);
    def.add(GroupBox, "分组框1", "分组框4", {14, 60, 155, 300});
    def.add(TransLabel, "透明标签1", "分组框1", {40, 11, 72, 24}).withCaption("用户列表");
    def.add(ListBox, "列表框_用户", "分组框1", {6, 37, 141, 256});
    def.add(PicBox, "图片框3", "分组框4", {177, 96, 28, 28}).withImage("user");
    def.add(PicBox, "图片框2", "分组框4", {177, 153, 28, 28}).withImage("key");
    def.add(GroupBox, "分组框2", "分组框4", {210, 87, 160, 40});
    def.add(TransLabel, "透明标签3", "分组框2", {9, 13, 40, 16}).withCaption("用户：");
    def.add(EditBox, "编辑框_用户", "分组框2", {55, 10, 100, 24});
    def.add(GroupBox, "分组框3", "分组框4", {210, 144, 160, 40});
    def.add(TransLabel, "透明标签4", "分组框3", {9, 13, 40, 16}).withCaption("密码：");
    def.add(EditBox, "编辑框_密码", "分组框3", {55, 10, 100, 24})
        .withInputMode(InputMode::Password);
    def.add(Button, "按钮_添加", "分组框4", {237, 211, 95, 30}).withCaption("添加");
    def.add(Button, "按钮_修改", "分组框4", {237, 258, 95, 30}).withCaption("修改");
    def.add(Button, "按钮_删除", "分组框4", {237, 306, 95, 30}).withCaption("删除");
    def.add(ShapeBox, "外形框2", "分组框4", {389, 51, 1, 324}).withTextColor(kLine);
    def.add(GroupBox, "分组框5", "分组框4", {408, 60, 224, 48});
    def.add(TransLabel, "透明标签5", "分组框5", {8, 14, 72, 24}).withCaption("设置用户：");
    def.add(ComboBox, "组合框_用户", "分组框5", {80, 14, 136, 20})
        .withComboType(ComboType::DropDownList);
    def.add(TransLabel, "透明标签7", "分组框4", {410, 117, 72, 16}).withCaption("拥有权限");
    def.add(ChkListBox, "选择列表框_权限", "分组框4", {408, 139, 112, 220})
        .withItems({"开台", "结账", "查询", "删除", "流水导出", "单台导出", "设置用户", "设置餐台",
                    "设置菜品", "设置公告"});
    def.add(Button, "按钮_全选", "分组框4", {529, 141, 95, 30}).withCaption("全选");
    def.add(Button, "按钮_反选", "分组框4", {529, 181, 95, 30}).withCaption("反选");
    def.add(Button, "按钮_确定", "分组框4", {529, 262, 95, 30}).withCaption("确定");
    def.add(TransLabel, "透明标签6", "", {18, 373, 590, 24})
        .withCaption(
            "新添加用户没有任何权限，如果勾选“设置用户”权限，他可以修改管理密码，请适当授权！")
        .withTextColor(Color::rgb(0xFF0000));
    return def;
}

} // namespace ui::screens
