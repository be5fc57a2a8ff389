#include "ui/control_def.h"

#include <utility>

namespace ui {

ControlDef& ControlDef::withCaption(std::string text) {
    caption = std::move(text);
    return *this;
}

ControlDef& ControlDef::withFont(int pixelSize, bool bold) {
    font.pixelSize = pixelSize;
    font.bold = bold;
    return *this;
}

ControlDef& ControlDef::withDecorativeFont(int pixelSize) {
    font.pixelSize = pixelSize;
    font.decorative = true;
    return *this;
}

ControlDef& ControlDef::withTextColor(Color color) {
    textColor = color;
    return *this;
}

ControlDef& ControlDef::withBackground(Color color) {
    backgroundColor = color;
    return *this;
}

ControlDef& ControlDef::withAlignment(Alignment value) {
    alignment = value;
    return *this;
}

ControlDef& ControlDef::withImage(std::string imageName) {
    image = std::move(imageName);
    return *this;
}

ControlDef& ControlDef::withItems(std::vector<std::string> texts, int initialSelection) {
    items = std::move(texts);
    selection = initialSelection;
    return *this;
}

ControlDef& ControlDef::withComboType(ComboType type) {
    comboType = type;
    return *this;
}

ControlDef& ControlDef::withInputMode(InputMode mode) {
    inputMode = mode;
    return *this;
}

ControlDef& ControlDef::withMultiLine() {
    multiLine = true;
    return *this;
}

ControlDef& ControlDef::withMaxLength(int length) {
    maxLength = length;
    return *this;
}

ControlDef& ControlDef::withInterval(int milliseconds) {
    interval = milliseconds;
    return *this;
}

ControlDef& ControlDef::withParts(std::vector<StatusPart> statusParts) {
    parts = std::move(statusParts);
    return *this;
}

ControlDef& ControlDef::withButtons(std::vector<ToolButton> toolButtons) {
    buttons = std::move(toolButtons);
    return *this;
}

ControlDef& ControlDef::withGroups(std::vector<OutlookGroup> outlookGroups) {
    groups = std::move(outlookGroups);
    return *this;
}

ControlDef& ControlDef::withColumns(std::vector<ListColumn> listColumns) {
    columns = std::move(listColumns);
    return *this;
}

ControlDef& ControlDef::withRows(std::vector<std::vector<std::string>> sampleRows) {
    rows = std::move(sampleRows);
    return *this;
}

ControlDef& ControlDef::asReportList(bool multipleSelection) {
    fullRowSelect = true;
    gridLines = true;
    multiSelect = multipleSelection;
    showSelectionAlways = true;
    return *this;
}

ControlDef& ControlDef::hidden() {
    visible = false;
    return *this;
}

} // namespace ui
