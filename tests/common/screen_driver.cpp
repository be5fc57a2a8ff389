#include "common/screen_driver.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace testing_support {

void ScreenDriver::click(std::string_view button) {
    window_.button(button).userClick();
}

void ScreenDriver::type(std::string_view box, std::string_view text) {
    ui::Control& control = window_.control(box);
    if (auto* edit = dynamic_cast<ui::EditBox*>(&control))
        edit->userType(text);
    else
        window_.comboBox(box).userEdit(window_.comboBox(box).content() + std::string(text));
}

void ScreenDriver::retype(std::string_view box, std::string_view text) {
    ui::Control& control = window_.control(box);
    if (auto* edit = dynamic_cast<ui::EditBox*>(&control)) {
        edit->userEdit("");
        edit->userType(text);
    } else {
        window_.comboBox(box).userEdit(text);
    }
}

void ScreenDriver::pressKey(std::string_view control, int key, int modifiers) {
    window_.control(control).userPressKey(key, modifiers);
}

void ScreenDriver::pressEnter(std::string_view control) {
    pressKey(control, ui::kKeyEnter);
}

namespace {

ui::ItemList& itemList(ui::Window& window, std::string_view name) {
    auto* list = dynamic_cast<ui::ItemList*>(&window.control(name));
    if (!list) throw std::logic_error(std::string(name) + " is not a combo box or list box");
    return *list;
}

} // namespace

void ScreenDriver::pick(std::string_view list, int index) {
    itemList(window_, list).userPick(index);
}

void ScreenDriver::pick(std::string_view list, std::string_view itemText) {
    ui::ItemList& items = itemList(window_, list);
    for (int i = 0; i < items.itemCount(); ++i) {
        if (items.itemText(i) == itemText) return items.userPick(i);
    }
    ADD_FAILURE() << list << " has no item " << itemText;
}

void ScreenDriver::toggle(std::string_view checkList, int index) {
    window_.chkListBox(checkList).userToggle(index);
}

void ScreenDriver::clickRow(std::string_view listView, int row, int modifiers) {
    ui::ListView& view = window_.listView(listView);
    if (row < 0 || row >= view.rowCount()) ADD_FAILURE() << listView << " has no row " << row;
    view.userClickRow(row, modifiers);
}

void ScreenDriver::clickEmptySpace(std::string_view listView) {
    window_.listView(listView).userClickRow(-1);
}

void ScreenDriver::chooseGroup(std::string_view outlookBar, std::string_view groupText) {
    ui::OutlookBar& bar = window_.outlookBar(outlookBar);
    for (int g = 0; g < bar.groupCount(); ++g) {
        if (bar.groupText(g) == groupText) return bar.userChooseGroup(g);
    }
    ADD_FAILURE() << outlookBar << " has no group " << groupText;
}

void ScreenDriver::chooseItem(std::string_view outlookBar, std::string_view itemText) {
    ui::OutlookBar& bar = window_.outlookBar(outlookBar);
    for (int i = 0; i < bar.itemCount(); ++i) {
        if (bar.itemText(i) == itemText) return bar.userChooseItem(i);
    }
    ADD_FAILURE() << outlookBar << "'s open group has no item " << itemText;
}

void ScreenDriver::clickToolButton(std::string_view toolBar, int index) {
    window_.toolBar(toolBar).userClickButton(index);
}

void ScreenDriver::chooseMenuItem(std::string_view item) {
    window_.userChooseMenuItem(item);
}

} // namespace testing_support
