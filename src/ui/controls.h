#pragma once

#include "support/date_time.h"
#include "ui/control_def.h"
#include "ui/row_store.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Window;

// What changed in a control, so that a view can redraw just that.
enum class Change {
    Caption,
    Content,
    Items,
    Selection,
    Ticks,
    Rows,
    Cells,
    Parts,
    Groups,
    CurrentGroup,
    Disabled,
    Visible,
    Value,
};

// A control of an open window. Handlers read and write its state; a desktop draws it and reports
// what a person does through the user… operations, which raise the control's events. Writes
// from handlers raise nothing, except the content of an EditBox.
class Control {
public:
    Control(Window& window, const ControlDef& definition);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return definition_.name; }
    ControlKind kind() const { return definition_.kind; }
    const ControlDef& definition() const { return definition_; }
    Window& window() const { return window_; }

    bool disabled() const { return disabled_; }
    void setDisabled(bool value);
    bool visible() const { return visible_; }
    void setVisible(bool value);

    // A key pressed while the control has the focus: the handler sees it before the control.
    void userPressKey(int key, int modifiers = 0);
    // Its window closed: what the control holds in bulk (a list's rows) goes at once, so that a
    // closed screen does not keep years of orders in memory until it opens again.
    virtual void release() {}
    // The same for a view whose widget processes the key itself afterwards: only the handler.
    void reportKeyDown(int key, int modifiers = 0);

protected:
    void notify(Change change);
    // True when a person can act on the control now.
    bool acceptsInput() const;
    virtual void processKey(int key, int modifiers);

    // A copy, so that a definition changed while the window is open cannot pull the ground from
    // under its controls.
    const ControlDef definition_;

private:
    Window& window_;
    bool disabled_;
    bool visible_;
};

// Label and TransLabel.
class Label : public Control {
public:
    Label(Window& window, const ControlDef& definition);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string_view text);

private:
    std::string caption_;
};

class Button : public Label {
public:
    using Label::Label;
    void userClick();
};

class EditBox : public Control {
public:
    EditBox(Window& window, const ControlDef& definition);

    const std::string& content() const { return content_; }
    // Raises content-changed once before returning, even when the text is the same.
    void setContent(std::string_view text);

    // The whole new text after a person edited the box (typed, deleted, pasted). The characters
    // it inserts must each be acceptable to typing and the result must fit the maximum length;
    // otherwise nothing changes and the result is false. Raises content-changed.
    bool userEdit(std::string_view text);
    // Types the characters one by one at the end, as a person would: read-only boxes take none,
    // whole-number boxes only "0"-"9" and "-", and the maximum length holds.
    void userType(std::string_view characters);

    // Whether typing may insert the character (given as its UTF-8 text).
    bool acceptsTyped(std::string_view character) const;

protected:
    void processKey(int key, int modifiers) override;

private:
    // Whether the box's mode lets the character in at all, the length aside.
    bool acceptsCharacter(std::string_view character) const;

    std::string content_;
};

// The items and the selection shared by ComboBox and ListBox.
class ItemList : public Control {
public:
    ItemList(Window& window, const ControlDef& definition);

    int addItem(std::string_view text);
    void clearItems();
    int itemCount() const { return static_cast<int>(items_.size()); }
    std::string itemText(int index) const;
    const std::vector<std::string>& items() const { return items_; }

    int selection() const { return selection_; }
    // Above the last index selects the last item, below -1 selects none; raises nothing.
    void setSelection(int index);

    // A person picked the item; raises selection-changed.
    void userPick(int index);

protected:
    virtual void selectionWritten() {}

private:
    std::vector<std::string> items_;
    int selection_;
};

class ComboBox : public ItemList {
public:
    ComboBox(Window& window, const ControlDef& definition);

    ComboType type() const { return definition_.comboType; }
    // A drop-down list shows the chosen item's text or nothing.
    std::string content() const;
    void setContent(std::string_view text);
    // A person typed into an editable box; a drop-down list cannot be typed into, and a text GBK
    // cannot hold is refused.
    void userEdit(std::string_view text);

protected:
    void selectionWritten() override;

private:
    std::string editText_;
};

class ListBox : public ItemList {
public:
    using ItemList::ItemList;
};

class ChkListBox : public Control {
public:
    ChkListBox(Window& window, const ControlDef& definition);

    int itemCount() const { return static_cast<int>(items_.size()); }
    std::string itemText(int index) const;
    bool itemTicked(int index) const;
    void setItemTicked(int index, bool ticked);
    // New items, none ticked.
    void setItems(std::vector<std::string> items);
    void userToggle(int index);
    void userSetTicked(int index, bool ticked);

private:
    std::vector<std::string> items_;
    std::vector<bool> ticked_;
};

class DatePicker : public Control {
public:
    DatePicker(Window& window, const ControlDef& definition);

    support::DateTime value() const { return value_; }
    void setValue(support::DateTime value);
    void userChoose(support::DateTime value);

private:
    support::DateTime value_;
};

class ProgressBar : public Control {
public:
    using Control::Control;
    int percent() const { return percent_; }
    // Kept within 0 to 100.
    void setPercent(int percent);

private:
    int percent_ = 0;
};

enum class ChartKind { Bars, Pie, Line };

struct ChartPoint {
    std::string label;
    double value = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

// Labelled values for a person to take in at a glance. A pie shows each value as its share of
// the sum, so its values are not meant to be negative.
class Chart : public Control {
public:
    using Control::Control;
    ChartKind chartKind() const { return kind_; }
    const std::string& title() const { return title_; }
    const std::vector<ChartPoint>& points() const { return points_; }

    void show(ChartKind kind, std::string title, std::vector<ChartPoint> points);
    // No title and no points: the chart shows nothing.
    void clear();

private:
    ChartKind kind_ = ChartKind::Bars;
    std::string title_;
    std::vector<ChartPoint> points_;
};

class Timer : public Control {
public:
    using Control::Control;
    int interval() const { return definition_.interval; }
    // The interval elapsed; a disabled timer does not tick.
    void tick();
};

class StatusBar : public Control {
public:
    StatusBar(Window& window, const ControlDef& definition);

    int partCount() const { return static_cast<int>(texts_.size()); }
    std::string partText(int part) const;
    // Ignored for a part that does not exist.
    void setPartText(int part, std::string_view text);

private:
    std::vector<std::string> texts_;
};

class ToolBar : public Control {
public:
    using Control::Control;
    const std::vector<ToolButton>& buttons() const { return definition_.buttons; }
    // Raises button-clicked with the index in the full list; a separator raises nothing.
    void userClickButton(int index);
};

class ListView : public Control {
public:
    ListView(Window& window, const ControlDef& definition);

    // At the end for an absent or negative position; returns the index of the new row.
    int insertRow(int position, std::string_view text);
    int insertRow(std::string_view text) { return insertRow(-1, text); }
    // Whole rows added at the end, their cells from the first column on, in one go: the view
    // hears of them once, when the burst ends, so that filling a list with years of orders is one
    // change instead of one a cell.
    class RowBurst {
    public:
        explicit RowBurst(ListView& list) : list_(list) {}
        RowBurst(const RowBurst&) = delete;
        RowBurst& operator=(const RowBurst&) = delete;
        ~RowBurst();
        int add(std::initializer_list<std::string_view> cells);

    private:
        ListView& list_;
        bool added_ = false;
    };
    void setCellText(int row, int column, std::string_view text);
    std::string cellText(int row, int column) const;
    // From now on the column shows each row's position, 1 for the first, whatever is written
    // there: rows deleted or inserted renumber the rest at no cost.
    void numberRowsIn(int column);
    void setRowImage(int row, int image);
    int rowCount() const { return static_cast<int>(rows_.size()); }
    void deleteRow(int row);
    void deleteAllRows();
    int columnCount() const { return static_cast<int>(definition_.columns.size()); }
    std::string columnTitle(int column) const;

    // The first selected row, -1 when none.
    int selectedRow() const;
    const std::set<int>& selectedRows() const { return selected_; }

    // A left click on a row, or on the empty part for -1; Ctrl adds to a multiple selection.
    // Raises clicked.
    void userClickRow(int row, int modifiers = 0);
    // The selection moved without a click (the arrow keys): raises nothing.
    void userSelect(const std::set<int>& rows);
    void clearSelection();

    void release() override;

private:
    // Every row has a cell a column, and at least one.
    std::size_t cellCount() const { return std::max<std::size_t>(definition_.columns.size(), 1); }

    RowStore rows_;
    std::set<int> selected_;
    int numberColumn_ = -1;
};

class OutlookBar : public Control {
public:
    // Operations that take a group use the current group when given kCurrentGroup.
    static constexpr int kCurrentGroup = -2;

    OutlookBar(Window& window, const ControlDef& definition);

    int addGroup(std::string_view text);
    int addItem(std::string_view text, int group = kCurrentGroup);
    // Item -1 deletes every item of the group.
    void deleteItems(int item, int group = kCurrentGroup);
    int groupCount() const { return static_cast<int>(groups_.size()); }
    int itemCount(int group = kCurrentGroup) const;
    std::string groupText(int group) const;
    std::string itemText(int item, int group = kCurrentGroup) const;
    void removeAll();

    int currentGroup() const { return currentGroup_; }
    // Opens the group (none for an index out of range); no item is chosen afterwards.
    void setCurrentGroup(int group);
    int currentItem() const { return currentItem_; }

    // A person chose a group header: it opens and group-clicked is raised.
    void userChooseGroup(int group);
    // A person chose an item of the open group: item-clicked is raised.
    void userChooseItem(int item);

private:
    const OutlookGroup* groupAt(int group) const;
    OutlookGroup* groupAt(int group);

    std::vector<OutlookGroup> groups_;
    int currentGroup_ = -1;
    int currentItem_ = -1;
};

} // namespace ui
