#include "ui/screens/screens.h"

#include <string>

namespace ui::screens {
namespace {

constexpr Color kWhite = Color::rgb(0xFFFFFF);
constexpr Color kRed = Color::rgb(0xFF0000);
constexpr Color kGrey = Color::rgb(0x808080);

constexpr int kFont = 19;
// The generated remark holds two lines in a box of 35 pixels.
constexpr int kRemarkFont = 15;

} // namespace

WindowDef checkoutScreen() {
    using enum ControlKind;
    using enum Alignment;

    WindowDef def;
    def.name = "CheckoutScreen";
    def.rect = {0, 0, 1024, 630};

    const std::string orders = "分组框1";
    def.add(GroupBox, orders, "", {5, 0, 1016, 200});
    def.add(ListView, "超级列表框_流水", orders, {3, 9, 1010, 187})
        .withColumns({{"序号", 60, Left},
                      {"系统单号", 160, Left},
                      {"开台时间", 280, Left},
                      {"台号", 100, Center},
                      {"人数", 80, Center},
                      {"总金额", 80, Right},
                      {"结账状态", 100, Center},
                      {"操作员", 140, Center}})
        .asReportList()
        .withFont(kFont);

    const std::string lines = "分组框2";
    def.add(GroupBox, lines, "", {5, 198, 700, 425});
    def.add(ListView, "超级列表框_明细", lines, {3, 9, 694, 413})
        .withColumns({{"序号", 50, Left},
                      {"系统单号", 160, Left},
                      {"菜品名称", 150, Center},
                      {"单价", 70, Right},
                      {"数量", 70, Right},
                      {"金额", 70, Right},
                      {"菜品分类", 120, Center}})
        .asReportList(true)
        .withFont(kFont);

    def.add(TransLabel, "透明标签1", "", {750, 240, 88, 24})
        .withCaption("操作台号：")
        .withFont(kFont);
    def.add(Label, "标签_台号", "", {850, 240, 120, 24})
        .withFont(kFont)
        .withTextColor(kWhite)
        .withBackground(kRed);
    def.add(TransLabel, "透明标签2", "", {750, 287, 88, 24})
        .withCaption("应收金额：")
        .withFont(kFont);
    def.add(Label, "标签_金额", "", {850, 288, 80, 24}).withFont(kFont);
    def.add(TransLabel, "透明标签6", "", {945, 288, 25, 24}).withCaption("元").withFont(kFont);
    def.add(TransLabel, "透明标签4", "", {750, 336, 88, 24})
        .withCaption("结账备注：")
        .withFont(kFont);
    def.add(EditBox, "编辑框_备注", "", {850, 337, 120, 35})
        .withInputMode(InputMode::ReadOnly)
        .withMultiLine()
        .withFont(kRemarkFont);
    def.add(EditBox, "编辑框_备注文本", "", {850, 371, 120, 35}).withMultiLine().withFont(kFont);
    def.add(ShapeBox, "外形框1", "", {729, 440, 270, 1}).withTextColor(kGrey);
    def.add(TransLabel, "透明标签5", "", {750, 479, 88, 24})
        .withCaption("找零金额：")
        .withFont(kFont);
    def.add(Label, "标签_找零", "", {850, 479, 80, 24}).withFont(kFont);
    def.add(TransLabel, "透明标签7", "", {945, 479, 25, 24}).withCaption("元").withFont(kFont);
    def.add(TransLabel, "透明标签3", "", {750, 523, 88, 24})
        .withCaption("实收金额：")
        .withFont(kFont);
    def.add(EditBox, "编辑框_金额", "", {850, 524, 80, 24})
        .withInputMode(InputMode::WholeNumber)
        .withFont(kFont);
    def.add(TransLabel, "透明标签8", "", {945, 524, 25, 24}).withCaption("元").withFont(kFont);
    def.add(Button, "按钮_结账", "", {792, 571, 144, 30}).withCaption("结 账").withFont(kFont);

    // How the bill is paid, in the free band between the line and the change.
    def.add(TransLabel, "透明标签_付款方式", "", {750, 446, 88, 26})
        .withCaption("付款方式：")
        .withFont(kFont);
    def.add(ComboBox, "组合框_付款方式", "", {850, 446, 120, 26})
        .withComboType(ComboType::DropDownList)
        .withItems({"现金", "微信", "支付宝", "银行卡", "其他"}, 0)
        .withFont(kFont);
    return def;
}

} // namespace ui::screens
