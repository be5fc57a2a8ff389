#include "ui/screens/screens.h"

#include <string>
#include <vector>

namespace ui::screens {
namespace {

constexpr Color kWhite = Color::rgb(0xFFFFFF);
constexpr Color kBlack = Color::rgb(0x000000);
constexpr Color kRed = Color::rgb(0xFF0000);
constexpr Color kDarkBlue = Color::rgb(0x000080);
constexpr Color kGrey = Color::rgb(0x808080);

// The upper band, where a table is opened, is read from a distance: big bold type.
constexpr int kBandFont = 21;
constexpr int kOrderNumberFont = 27;
constexpr int kBarFont = 17;
constexpr int kCurrentTableFont = 19;
constexpr int kSmallFont = 15;

std::vector<std::string> guestCounts() {
    std::vector<std::string> counts;
    for (int guests = 1; guests <= 20; ++guests)
        counts.push_back(std::to_string(guests));
    return counts;
}

} // namespace

WindowDef orderScreen() {
    using enum ControlKind;
    using enum Alignment;

    WindowDef def;
    def.name = "OrderScreen";
    def.rect = {0, 0, 1024, 630};

    const std::string band = "分组框1";
    def.add(GroupBox, band, "", {4, 0, 1016, 80});
    def.add(TransLabel, "透明标签1", band, {35, 28, 96, 30})
        .withCaption("预开台号：")
        .withFont(kBandFont, true);
    def.add(ComboBox, "组合框_餐台", band, {139, 29, 128, 20})
        .withComboType(ComboType::DropDownList)
        .withFont(kBandFont, true);
    def.add(TransLabel, "透明标签2", band, {294, 28, 60, 30})
        .withCaption("人数：")
        .withFont(kBandFont, true);
    // Starts empty so that opening a table without choosing the guests is caught.
    def.add(ComboBox, "组合框_人数", band, {351, 29, 72, 20})
        .withComboType(ComboType::Editable)
        .withItems(guestCounts())
        .withFont(kBandFont, true);
    def.add(Button, "按钮_开台", band, {463, 28, 100, 30})
        .withCaption("开台")
        .withFont(kBandFont, true);
    def.add(ShapeBox, "外形框1", band, {605, 7, 1, 70}).withTextColor(kGrey);
    def.add(TransLabel, "透明标签3", band, {651, 28, 101, 30})
        .withCaption("系统单号：")
        .withFont(kBandFont, true);
    def.add(Label, "标签_单号", band, {760, 28, 217, 30})
        .withFont(kOrderNumberFont, true)
        .withTextColor(kWhite)
        .withBackground(kDarkBlue);

    def.add(OutlookBar, "卷帘式菜单_点菜", "", {5, 80, 215, 545}).withFont(kBarFont);

    def.add(TransLabel, "透明标签4", "", {255, 104, 78, 25})
        .withCaption("当前操作：")
        .withFont(kBarFont);
    def.add(Label, "标签_当前操作", "", {336, 104, 120, 24})
        .withFont(kCurrentTableFont, true)
        .withTextColor(kWhite)
        .withBackground(kRed);
    def.add(Button, "按钮_数量加", "", {474, 104, 50, 24})
        .withCaption("数量+")
        .withFont(kSmallFont);
    def.add(Button, "按钮_数量减", "", {530, 104, 50, 24})
        .withCaption("数量-")
        .withFont(kSmallFont);
    def.add(Button, "按钮_删除", "", {607, 104, 50, 24}).withCaption("删除").withFont(kSmallFont);
    def.add(TransLabel, "透明标签5", "", {722, 104, 78, 25})
        .withCaption("切换台号：")
        .withFont(kBarFont);
    def.add(ComboBox, "组合框_切换", "", {802, 105, 100, 21})
        .withComboType(ComboType::DropDownList)
        .withFont(kSmallFont);
    def.add(Button, "按钮_切换", "", {932, 104, 60, 24}).withCaption("切换").withFont(kSmallFont);

    def.add(ListView, "超级列表框_点菜", "", {220, 152, 800, 432})
        .withColumns({{"序号", 50, Left},
                      {"系统单号", 160, Left},
                      {"菜品名称", 200, Center},
                      {"单价", 70, Right},
                      {"数量", 70, Right},
                      {"金额", 70, Right},
                      {"菜品分类", 170, Center}})
        .asReportList()
        .withFont(kBarFont);

    def.add(TransLabel, "透明标签7", "", {239, 599, 80, 16})
        .withCaption("开台时间：")
        .withFont(kSmallFont);
    def.add(Label, "标签_开台时间", "", {312, 596, 210, 20})
        .withCaption("2022年12月31日12时35分")
        .withFont(kSmallFont)
        .withTextColor(kBlack)
        .withBackground(kWhite)
        .withAlignment(Left);
    def.add(TransLabel, "透明标签8", "", {632, 599, 42, 16})
        .withCaption("人数：")
        .withFont(kSmallFont);
    def.add(Label, "标签_人数", "", {672, 596, 50, 20})
        .withCaption("0")
        .withFont(kSmallFont)
        .withTextColor(kBlack)
        .withBackground(kWhite)
        .withAlignment(Right);
    def.add(TransLabel, "透明标签9", "", {745, 599, 68, 16})
        .withCaption("菜品总数：")
        .withFont(kSmallFont);
    def.add(Label, "标签_菜品总数", "", {815, 596, 50, 20})
        .withCaption("0")
        .withFont(kSmallFont)
        .withTextColor(kBlack)
        .withBackground(kWhite)
        .withAlignment(Right);
    def.add(TransLabel, "透明标签10", "", {886, 599, 56, 16})
        .withCaption("总金额：")
        .withFont(kSmallFont);
    def.add(Label, "标签_总金额", "", {942, 596, 50, 20})
        .withCaption("0")
        .withFont(kSmallFont)
        .withTextColor(kBlack)
        .withBackground(kWhite)
        .withAlignment(Right);

    // Printing: the kitchen's tickets beside the line buttons, the pre-bill in the bottom band.
    def.add(Button, "按钮_送厨", "", {663, 104, 50, 24}).withCaption("送厨").withFont(kSmallFont);
    def.add(Button, "按钮_预结单", "", {536, 594, 80, 24})
        .withCaption("预结单")
        .withFont(kSmallFont);
    return def;
}

} // namespace ui::screens
