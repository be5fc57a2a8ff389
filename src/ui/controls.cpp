#include "ui/controls.h"

#include "support/gbk.h"
#include "support/text_rules.h"
#include "support/utf8.h"
#include "ui/desktop.h"
#include "ui/window.h"

#include <algorithm>
#include <utility>

namespace ui {
namespace {

template <typename Container> bool inRange(const Container& items, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < items.size();
}

// Lengths are limited as the ANSI edit box limits them: in bytes of the GBK form.
std::size_t gbkLength(std::string_view text) {
    const auto gbk = support::utf8ToGbk(text);
    return gbk ? gbk->size() : text.size();
}

// The characters an edit put in: what lies between the part it kept at the front and the part
// it kept at the end, cut at character boundaries.
std::string_view insertedPart(std::string_view before, std::string_view after) {
    const auto isContinuation = [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    };
    std::size_t front = 0;
    while (front < before.size() && front < after.size() && before[front] == after[front])
        ++front;
    while (front > 0 && front < after.size() && isContinuation(after[front]))
        --front;
    std::size_t back = 0;
    while (back < before.size() - front && back < after.size() - front &&
           before[before.size() - 1 - back] == after[after.size() - 1 - back])
        ++back;
    while (back > 0 && isContinuation(after[after.size() - back]))
        --back;
    return after.substr(front, after.size() - front - back);
}

// Shifts the selected rows at or after `row` by `by`, dropping a row that is deleted.
std::set<int> shiftSelection(const std::set<int>& selected, int row, int by) {
    std::set<int> shifted;
    for (const int index : selected) {
        if (index < row)
            shifted.insert(index);
        else if (by > 0)
            shifted.insert(index + by);
        else if (index > row)
            shifted.insert(index + by);
    }
    return shifted;
}

} // namespace

// Control

Control::Control(Window& window, const ControlDef& definition)
    : definition_(definition), window_(window), disabled_(definition.disabled),
      visible_(definition.visible) {}

void Control::setDisabled(bool value) {
    if (disabled_ == value) return;
    disabled_ = value;
    notify(Change::Disabled);
}

void Control::setVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    notify(Change::Visible);
}

void Control::userPressKey(int key, int modifiers) {
    if (!acceptsInput()) return;
    if (definition_.on.keyDown) definition_.on.keyDown(key, modifiers);
    processKey(key, modifiers);
}

void Control::reportKeyDown(int key, int modifiers) {
    if (acceptsInput() && definition_.on.keyDown) definition_.on.keyDown(key, modifiers);
}

void Control::notify(Change change) {
    window_.controlChanged(*this, change);
}

bool Control::acceptsInput() const {
    return !disabled_ && visible_ && window_.acceptsInput();
}

void Control::processKey(int, int) {}

// Label and Button

Label::Label(Window& window, const ControlDef& definition)
    : Control(window, definition), caption_(definition.caption) {}

void Label::setCaption(std::string_view text) {
    caption_ = text;
    notify(Change::Caption);
}

void Button::userClick() {
    if (!acceptsInput()) return;
    if (definition_.on.clicked) definition_.on.clicked();
}

// EditBox

EditBox::EditBox(Window& window, const ControlDef& definition)
    : Control(window, definition), content_(definition.caption) {}

void EditBox::setContent(std::string_view text) {
    content_ = text;
    notify(Change::Content);
    if (definition_.on.contentChanged) definition_.on.contentChanged();
}

bool EditBox::userEdit(std::string_view text) {
    if (!acceptsInput() || definition_.inputMode == InputMode::ReadOnly) return false;
    const std::string_view inserted = insertedPart(content_, text);
    for (std::size_t offset = 0; offset < inserted.size();) {
        const auto decoded = support::decodeUtf8(inserted, offset);
        const std::size_t length = decoded ? decoded->length : 1;
        if (!acceptsCharacter(inserted.substr(offset, length))) return false;
        offset += length;
    }
    const auto limit = static_cast<std::size_t>(definition_.maxLength);
    if (limit != 0 && text.size() > content_.size() && gbkLength(text) > limit) return false;
    setContent(text);
    return true;
}

void EditBox::userType(std::string_view characters) {
    for (std::size_t offset = 0; offset < characters.size();) {
        const auto decoded = support::decodeUtf8(characters, offset);
        const std::size_t length = decoded ? decoded->length : 1;
        const std::string_view character = characters.substr(offset, length);
        offset += length;
        if (acceptsTyped(character)) setContent(content_ + std::string(character));
    }
}

bool EditBox::acceptsTyped(std::string_view character) const {
    if (!acceptsInput() || definition_.inputMode == InputMode::ReadOnly) return false;
    if (!acceptsCharacter(character)) return false;
    const auto limit = static_cast<std::size_t>(definition_.maxLength);
    return limit == 0 || gbkLength(content_) + gbkLength(character) <= limit;
}

bool EditBox::acceptsCharacter(std::string_view character) const {
    if (!support::isGbkText(character)) return false;
    if (character == "\r\n" || character == "\r" || character == "\n") return definition_.multiLine;
    if (definition_.inputMode != InputMode::WholeNumber) return true;
    return character.size() == 1 &&
           ((character[0] >= '0' && character[0] <= '9') || character[0] == '-');
}

void EditBox::processKey(int key, int) {
    // A multi-line box takes Enter as a line break, written as the edit box writes it.
    if (key == kKeyEnter && definition_.multiLine && acceptsTyped("\r\n"))
        setContent(content_ + "\r\n");
}

// ComboBox and ListBox

ItemList::ItemList(Window& window, const ControlDef& definition)
    : Control(window, definition), items_(definition.items),
      selection_(inRange(definition.items, definition.selection) ? definition.selection : -1) {}

int ItemList::addItem(std::string_view text) {
    items_.emplace_back(text);
    notify(Change::Items);
    return itemCount() - 1;
}

void ItemList::clearItems() {
    items_.clear();
    selection_ = -1;
    notify(Change::Items);
    selectionWritten();
}

std::string ItemList::itemText(int index) const {
    return inRange(items_, index) ? items_[static_cast<std::size_t>(index)] : std::string();
}

void ItemList::setSelection(int index) {
    selection_ = std::clamp(index, -1, itemCount() - 1);
    notify(Change::Selection);
    selectionWritten();
}

void ItemList::userPick(int index) {
    if (!acceptsInput() || !inRange(items_, index)) return;
    selection_ = index;
    notify(Change::Selection);
    selectionWritten();
    if (definition_.on.selectionChanged) definition_.on.selectionChanged();
}

ComboBox::ComboBox(Window& window, const ControlDef& definition)
    : ItemList(window, definition),
      editText_(selection() >= 0 ? itemText(selection()) : definition.caption) {}

std::string ComboBox::content() const {
    return type() == ComboType::DropDownList ? itemText(selection()) : editText_;
}

void ComboBox::setContent(std::string_view text) {
    if (type() == ComboType::DropDownList) {
        const auto found = std::find(items().begin(), items().end(), text);
        setSelection(found == items().end() ? -1 : static_cast<int>(found - items().begin()));
        return;
    }
    editText_ = text;
    notify(Change::Content);
}

void ComboBox::userEdit(std::string_view text) {
    if (!acceptsInput() || type() == ComboType::DropDownList || !support::isGbkText(text)) return;
    editText_ = text;
    notify(Change::Content);
}

void ComboBox::selectionWritten() {
    // Choosing an item, or none, writes the box's text as the edit field of a drop-down does.
    if (type() == ComboType::DropDownList) return;
    editText_ = itemText(selection());
    notify(Change::Content);
}

// ChkListBox

ChkListBox::ChkListBox(Window& window, const ControlDef& definition)
    : Control(window, definition), items_(definition.items), ticked_(items_.size(), false) {}

std::string ChkListBox::itemText(int index) const {
    return inRange(items_, index) ? items_[static_cast<std::size_t>(index)] : std::string();
}

bool ChkListBox::itemTicked(int index) const {
    return inRange(ticked_, index) && ticked_[static_cast<std::size_t>(index)];
}

void ChkListBox::setItemTicked(int index, bool ticked) {
    if (!inRange(ticked_, index)) return;
    ticked_[static_cast<std::size_t>(index)] = ticked;
    notify(Change::Ticks);
}

void ChkListBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    ticked_.assign(items_.size(), false);
    notify(Change::Items);
}

void ChkListBox::userToggle(int index) {
    userSetTicked(index, !itemTicked(index));
}

void ChkListBox::userSetTicked(int index, bool ticked) {
    if (acceptsInput()) setItemTicked(index, ticked);
}

// DatePicker

DatePicker::DatePicker(Window& window, const ControlDef& definition)
    : Control(window, definition),
      value_(window.desktop() ? support::toDateTime(window.desktop()->clock().now()) : 0.0) {}

void DatePicker::setValue(support::DateTime value) {
    value_ = value;
    notify(Change::Value);
}

void DatePicker::userChoose(support::DateTime value) {
    if (!acceptsInput()) return;
    setValue(value);
}

// ProgressBar

void ProgressBar::setPercent(int percent) {
    const int kept = std::clamp(percent, 0, 100);
    if (kept == percent_) return;
    percent_ = kept;
    notify(Change::Value);
}

// Chart

void Chart::show(ChartKind kind, std::string title, std::vector<ChartPoint> points) {
    kind_ = kind;
    title_ = std::move(title);
    points_ = std::move(points);
    notify(Change::Content);
}

void Chart::clear() {
    title_.clear();
    points_.clear();
    notify(Change::Content);
}

// Timer

void Timer::tick() {
    if (disabled() || !window().isOpen()) return;
    if (definition_.on.tick) definition_.on.tick();
}

// StatusBar

StatusBar::StatusBar(Window& window, const ControlDef& definition) : Control(window, definition) {
    for (const StatusPart& part : definition.parts)
        texts_.push_back(part.text);
}

std::string StatusBar::partText(int part) const {
    return inRange(texts_, part) ? texts_[static_cast<std::size_t>(part)] : std::string();
}

void StatusBar::setPartText(int part, std::string_view text) {
    if (!inRange(texts_, part)) return;
    texts_[static_cast<std::size_t>(part)] = text;
    notify(Change::Parts);
}

// ToolBar

void ToolBar::userClickButton(int index) {
    if (!acceptsInput() || !inRange(buttons(), index)) return;
    if (buttons()[static_cast<std::size_t>(index)].separator) return;
    if (definition_.on.buttonClicked) definition_.on.buttonClicked(index);
}

// ListView

ListView::ListView(Window& window, const ControlDef& definition)
    : Control(window, definition) {
    for (const auto& sample : definition.rows) {
        const std::size_t row = rows_.size();
        rows_.insert(row, sample.size(), {});
        for (std::size_t column = 0; column < sample.size(); ++column)
            rows_.set(row, column, sample[column]);
    }
}

int ListView::insertRow(int position, std::string_view text) {
    const int row = position < 0 || position > rowCount() ? rowCount() : position;
    rows_.insert(static_cast<std::size_t>(row), cellCount(), {text});
    selected_ = shiftSelection(selected_, row, 1);
    notify(Change::Rows);
    return row;
}

ListView::RowBurst::~RowBurst() {
    if (added_) list_.notify(Change::Rows);
}

int ListView::RowBurst::add(std::initializer_list<std::string_view> cells) {
    added_ = true;
    list_.rows_.insert(list_.rows_.size(), list_.cellCount(), cells);
    return list_.rowCount() - 1;
}

void ListView::setCellText(int row, int column, std::string_view text) {
    if (!inRange(rows_, row) || column < 0 || column >= std::max(columnCount(), 1)) return;
    rows_.set(static_cast<std::size_t>(row), static_cast<std::size_t>(column), text);
    notify(Change::Cells);
}

std::string ListView::cellText(int row, int column) const {
    if (!inRange(rows_, row)) return {};
    if (column == numberColumn_) return support::numberText(row + 1);
    return column < 0 ? std::string()
                      : std::string(rows_.cell(static_cast<std::size_t>(row),
                                               static_cast<std::size_t>(column)));
}

void ListView::numberRowsIn(int column) {
    numberColumn_ = column;
    notify(Change::Cells);
}

void ListView::setRowImage(int, int) {
    // The screens' lists carry no image list, so a row image shows nothing.
}

void ListView::deleteRow(int row) {
    if (!inRange(rows_, row)) return;
    rows_.erase(static_cast<std::size_t>(row));
    selected_ = shiftSelection(selected_, row, -1);
    notify(Change::Rows);
}

void ListView::deleteAllRows() {
    rows_.clear();
    selected_.clear();
    notify(Change::Rows);
}

std::string ListView::columnTitle(int column) const {
    return inRange(definition_.columns, column)
               ? definition_.columns[static_cast<std::size_t>(column)].title
               : std::string();
}

int ListView::selectedRow() const {
    return selected_.empty() ? -1 : *selected_.begin();
}

void ListView::userClickRow(int row, int modifiers) {
    if (!acceptsInput()) return;
    if (!inRange(rows_, row))
        selected_.clear();
    else if (definition_.multiSelect && (modifiers & kModifierCtrl) != 0 && selected_.contains(row))
        selected_.erase(row);
    else if (definition_.multiSelect && (modifiers & kModifierCtrl) != 0)
        selected_.insert(row);
    else
        selected_ = {row};
    notify(Change::Selection);
    if (definition_.on.clicked) definition_.on.clicked();
}

void ListView::userSelect(const std::set<int>& rows) {
    if (!acceptsInput()) return;
    selected_.clear();
    for (const int row : rows) {
        if (!inRange(rows_, row)) continue;
        selected_.insert(row);
        if (!definition_.multiSelect) break;
    }
    notify(Change::Selection);
}

void ListView::clearSelection() {
    selected_.clear();
    notify(Change::Selection);
}

void ListView::release() {
    rows_.release();
    selected_.clear();
}

// OutlookBar

OutlookBar::OutlookBar(Window& window, const ControlDef& definition)
    : Control(window, definition), groups_(definition.groups) {}

const OutlookGroup* OutlookBar::groupAt(int group) const {
    const int index = group == kCurrentGroup ? currentGroup_ : group;
    return inRange(groups_, index) ? &groups_[static_cast<std::size_t>(index)] : nullptr;
}

OutlookGroup* OutlookBar::groupAt(int group) {
    return const_cast<OutlookGroup*>(std::as_const(*this).groupAt(group));
}

int OutlookBar::addGroup(std::string_view text) {
    groups_.push_back(OutlookGroup{std::string(text), {}});
    notify(Change::Groups);
    return groupCount() - 1;
}

int OutlookBar::addItem(std::string_view text, int group) {
    OutlookGroup* target = groupAt(group);
    if (!target) return -1;
    target->items.emplace_back(text);
    notify(Change::Groups);
    return static_cast<int>(target->items.size()) - 1;
}

void OutlookBar::deleteItems(int item, int group) {
    OutlookGroup* target = groupAt(group);
    if (!target || (item != -1 && !inRange(target->items, item))) return;
    if (target == groupAt(kCurrentGroup)) {
        if (item == -1 || item == currentItem_)
            currentItem_ = -1;
        else if (item < currentItem_)
            --currentItem_;
    }
    if (item == -1)
        target->items.clear();
    else
        target->items.erase(target->items.begin() + item);
    notify(Change::Groups);
}

int OutlookBar::itemCount(int group) const {
    const OutlookGroup* target = groupAt(group);
    return target ? static_cast<int>(target->items.size()) : 0;
}

std::string OutlookBar::groupText(int group) const {
    return inRange(groups_, group) ? groups_[static_cast<std::size_t>(group)].text : std::string();
}

std::string OutlookBar::itemText(int item, int group) const {
    const OutlookGroup* target = groupAt(group);
    return target && inRange(target->items, item) ? target->items[static_cast<std::size_t>(item)]
                                                  : std::string();
}

void OutlookBar::removeAll() {
    groups_.clear();
    currentGroup_ = -1;
    currentItem_ = -1;
    notify(Change::Groups);
}

void OutlookBar::setCurrentGroup(int group) {
    currentGroup_ = inRange(groups_, group) ? group : -1;
    currentItem_ = -1;
    notify(Change::CurrentGroup);
}

void OutlookBar::userChooseGroup(int group) {
    if (!acceptsInput() || !inRange(groups_, group)) return;
    setCurrentGroup(group);
    if (definition_.on.groupClicked) definition_.on.groupClicked(group);
}

void OutlookBar::userChooseItem(int item) {
    if (!acceptsInput() || !inRange(groups_, currentGroup_) || item < 0 || item >= itemCount())
        return;
    currentItem_ = item;
    notify(Change::CurrentGroup);
    if (definition_.on.itemClicked) definition_.on.itemClicked(currentGroup_, item);
}

} // namespace ui
