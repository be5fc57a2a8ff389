#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The kinds of control the screens are built from.
enum class ControlKind {
    Label,      // static text with its own colours
    TransLabel, // static text without background
    Button,
    EditBox,
    ComboBox,
    ListBox,
    ChkListBox,
    DatePicker,
    Timer,
    PicBox,
    ShapeBox, // a 1-pixel separator line
    GroupBox, // a plain frame holding other controls
    StatusBar,
    ToolBar,
    ListView,
    OutlookBar,
    SupperMenu,  // draws the window's popup menu with its own colours and icons
    ProgressBar, // how far a long piece of work has come, in percent
    Chart,       // labelled values drawn as bars, a pie or a line
};

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    static constexpr Color rgb(std::uint32_t value) {
        return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value)};
    }
    friend bool operator==(const Color&, const Color&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Font {
    int pixelSize = 12;
    bool bold = false;
    bool decorative = false; // a display face for titles, where the look allows one
    friend bool operator==(const Font&, const Font&) = default;
};

enum class Alignment { Left, Center, Right };

enum class InputMode {
    Normal = 0,
    ReadOnly = 1,
    Password = 2,    // shown as the mask character
    WholeNumber = 3, // typing accepts only "0"-"9" and "-"
};

enum class ComboType { Editable = 1, DropDownList = 2 };

struct ListColumn {
    std::string title;
    int width = 0;
    Alignment alignment = Alignment::Left;
};

struct StatusPart {
    int width = -1; // -1: the rest of the bar
    std::string text;
};

struct ToolButton {
    std::string text;
    std::string image; // name of the icon; presentation only
    bool separator = false;
};

struct OutlookGroup {
    std::string text;
    std::vector<std::string> items;
};

// What a control does when something happens to it. Handlers capture what they need.
struct ControlEvents {
    std::function<void()> clicked;          // Button, ListView
    std::function<void()> contentChanged;   // EditBox
    std::function<void()> selectionChanged; // ComboBox, ListBox
    std::function<void()> tick;             // Timer
    std::function<void(int key, int modifiers)> keyDown;
    std::function<void(int group, int item)> itemClicked; // OutlookBar
    std::function<void(int group)> groupClicked;          // OutlookBar
    std::function<void(int index)> buttonClicked;         // ToolBar, separators counted
};

inline constexpr int kKeyEnter = 13;
inline constexpr int kModifierCtrl = 1;
inline constexpr int kModifierShift = 2;
inline constexpr int kModifierAlt = 4;

// A control as the screen defines it: the kind data that applies to its kind is set, the rest
// keeps its default. The with… setters chain, so a definition reads as one line per control.
struct ControlDef {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string container; // empty: the window itself, else the name of a GroupBox
    Rect rect;
    bool visible = true;
    bool disabled = false;
    bool tabStop = false;

    std::string caption; // Label, TransLabel, Button caption; EditBox and ComboBox content
    Font font;
    std::optional<Color> textColor; // ShapeBox: the line colour
    std::optional<Color> backgroundColor;
    Alignment alignment = Alignment::Left;
    std::string image; // PicBox

    std::vector<std::string> items; // ComboBox, ListBox, ChkListBox
    int selection = -1;
    ComboType comboType = ComboType::Editable;

    InputMode inputMode = InputMode::Normal;
    std::string mask = "*";
    bool multiLine = false;
    int maxLength = 0; // 0: no limit

    int interval = 0; // Timer, milliseconds

    std::vector<StatusPart> parts;
    std::vector<ToolButton> buttons;
    std::vector<OutlookGroup> groups;

    std::vector<ListColumn> columns;
    std::vector<std::vector<std::string>> rows; // design-time sample rows
    bool fullRowSelect = false;
    bool gridLines = false;
    bool multiSelect = false;
    bool showSelectionAlways = false;
    bool clickableHeaders = true;

    ControlEvents on;

    ControlDef& withCaption(std::string text);
    ControlDef& withFont(int pixelSize, bool bold = false);
    ControlDef& withDecorativeFont(int pixelSize);
    ControlDef& withTextColor(Color color);
    ControlDef& withBackground(Color color);
    ControlDef& withAlignment(Alignment value);
    ControlDef& withImage(std::string imageName);
    ControlDef& withItems(std::vector<std::string> texts, int initialSelection = -1);
    ControlDef& withComboType(ComboType type);
    ControlDef& withInputMode(InputMode mode);
    ControlDef& withMultiLine();
    ControlDef& withMaxLength(int length);
    ControlDef& withInterval(int milliseconds);
    ControlDef& withParts(std::vector<StatusPart> statusParts);
    ControlDef& withButtons(std::vector<ToolButton> toolButtons);
    ControlDef& withGroups(std::vector<OutlookGroup> outlookGroups);
    ControlDef& withColumns(std::vector<ListColumn> listColumns);
    ControlDef& withRows(std::vector<std::vector<std::string>> sampleRows);
    // Full-row selection, grid lines, single selection, selection visible without focus.
    ControlDef& asReportList(bool multipleSelection = false);
    ControlDef& hidden();
};

} // namespace ui
