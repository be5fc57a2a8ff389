#include "ui/screens/screens.h"

namespace ui::screens {

WindowDef restaurantSettingsScreen() {
    using enum ControlKind;
    constexpr Color kLine = Color::rgb(0x808080);

    WindowDef def;
    def.name = "RestaurantSettingsScreen";
    def.rect = {0, 0, 780, 550};

    // The dining tables on the left.
    def.add(GroupBox, "分组框1", "", {2, -2, 776, 525});
    def.add(TransLabel, "透明标签1", "分组框1", {16, 18, 88, 24})
        .withCaption("餐厅设置")
        .withFont(16, true);
    def.add(Button, "按钮10", "分组框1", {656, 16, 95, 25}).withCaption("关闭");
    def.add(ShapeBox, "外形框1", "分组框1", {15, 50, 745, 1}).withTextColor(kLine);
    def.add(GroupBox, "分组框2", "分组框1", {14, 60, 340, 450});
    def.add(TransLabel, "透明标签2", "分组框2", {10, 9, 70, 30}).withCaption("现有餐台");
    def.add(ListBox, "列表框_餐台", "分组框2", {6, 40, 127, 404});
    def.add(GroupBox, "分组框3", "分组框2", {140, 35, 195, 45});
    def.add(TransLabel, "透明标签3", "分组框3", {16, 13, 48, 24}).withCaption("餐台：");
    def.add(EditBox, "编辑框_餐台", "分组框3", {68, 13, 120, 25});
    def.add(Button, "按钮_餐台添加", "分组框2", {218, 96, 112, 32}).withCaption("添加");
    def.add(Button, "按钮_餐台修改", "分组框2", {219, 136, 112, 32}).withCaption("修改");
    def.add(Button, "按钮_餐台删除", "分组框2", {219, 176, 112, 32}).withCaption("删除");

    // The categories and dishes on the right.
    def.add(GroupBox, "分组框4", "分组框1", {360, 60, 402, 450});
    def.add(TransLabel, "透明标签5", "分组框4", {10, 9, 70, 30}).withCaption("现有菜品");
    def.add(OutlookBar, "卷帘式菜单_菜单", "分组框4", {7, 40, 184, 404});
    def.add(GroupBox, "分组框5", "分组框4", {200, 35, 195, 45});
    def.add(TransLabel, "透明标签4", "分组框5", {17, 9, 41, 32}).withCaption("分类：");
    def.add(EditBox, "编辑框_分类", "分组框5", {68, 13, 120, 25});
    def.add(Button, "按钮_菜品分类添加", "分组框4", {272, 96, 120, 30}).withCaption("添加");
    def.add(Button, "按钮_菜品分类修改", "分组框4", {272, 136, 120, 30}).withCaption("修改");
    def.add(Button, "按钮_菜品分类删除", "分组框4", {272, 176, 120, 30}).withCaption("删除");
    def.add(ShapeBox, "外形框2", "分组框4", {192, 221, 208, 1}).withTextColor(kLine);
    def.add(GroupBox, "分组框6", "分组框4", {200, 230, 195, 77});
    def.add(TransLabel, "透明标签6", "分组框6", {17, 9, 41, 32}).withCaption("菜品：");
    def.add(EditBox, "编辑框_菜品", "分组框6", {68, 13, 120, 25});
    def.add(TransLabel, "透明标签7", "分组框6", {17, 39, 41, 32}).withCaption("单价：");
    def.add(EditBox, "编辑框_单价", "分组框6", {68, 43, 76, 25})
        .withInputMode(InputMode::WholeNumber);
    def.add(TransLabel, "透明标签8", "分组框6", {156, 43, 32, 24}).withCaption("元");
    def.add(Button, "按钮_菜品添加", "分组框4", {272, 324, 120, 30}).withCaption("添加");
    def.add(Button, "按钮_菜品修改", "分组框4", {272, 364, 120, 30}).withCaption("修改");
    def.add(Button, "按钮_菜品删除", "分组框4", {272, 404, 120, 30}).withCaption("删除");

    def.add(TransLabel, "透明标签9", "", {19, 528, 600, 16})
        .withCaption("修改分类，该分类下的菜品同步修改。删除分类，该分类下的菜品同步删除。")
        .withTextColor(Color::rgb(0xFF0000));
    return def;
}

} // namespace ui::screens
