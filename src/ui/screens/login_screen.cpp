#include "ui/screens/screens.h"

namespace ui::screens {

WindowDef loginScreen() {
    using enum ControlKind;
    constexpr Color kLine = Color::rgb(0x808080);

    WindowDef def;
    def.name = "LoginScreen";
    def.rect = {0, 0, 402, 308};
    def.backgroundColor = Color::rgb(0xECECEC);

    def.add(GroupBox, "分组框1", "", {1, -3, 400, 310});
    def.add(TransLabel, "透明标签1", "分组框1", {40, 32, 194, 48})
        .withCaption("Veltrano")
        .withDecorativeFont(48);
    def.add(TransLabel, "透明标签4", "分组框1", {270, 53, 72, 24}).withCaption("版本：1.0");
    def.add(ShapeBox, "外形框1", "分组框1", {36, 82, 320, 1}).withTextColor(kLine);
    def.add(GroupBox, "分组框2", "分组框1", {35, 96, 320, 120});
    def.add(PicBox, "图片框3", "分组框2", {26, 25, 28, 28}).withImage("user");
    def.add(TransLabel, "透明标签2", "分组框2", {65, 28, 56, 25}).withCaption("用户名：");
    def.add(ComboBox, "组合框_用户", "分组框2", {138, 28, 150, 20});
    def.add(PicBox, "图片框2", "分组框2", {26, 70, 28, 28}).withImage("key");
    def.add(TransLabel, "透明标签3", "分组框2", {65, 72, 56, 25}).withCaption("密  码：");
    def.add(EditBox, "编辑框_密码", "分组框2", {138, 72, 150, 25})
        .withInputMode(InputMode::Password);
    def.add(Button, "按钮_登录", "分组框1", {157, 232, 80, 30}).withCaption("登录");
    def.add(Button, "按钮_取消", "分组框1", {269, 232, 80, 30}).withCaption("取消");
    def.add(ShapeBox, "外形框2", "分组框1", {1, 278, 388, 1}).withTextColor(kLine);
    def.add(TransLabel, "透明标签5", "分组框1", {35, 284, 312, 16})
        .withCaption("Veltrano 餐饮前台 · 为小餐馆而做")
        .withFont(11);
    return def;
}

} // namespace ui::screens
