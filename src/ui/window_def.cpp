#include "ui/window_def.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace ui {
namespace {

bool takesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::EditBox:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ChkListBox:
    case ControlKind::DatePicker:
    case ControlKind::ListView:
    case ControlKind::OutlookBar:
        return true;
    default:
        return false;
    }
}

template <typename Items> auto& findByName(Items& items, std::string_view name, const char* what) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const auto& item) { return item.name == name; });
    if (found == items.end())
        throw std::out_of_range(std::string("no ") + what + " named " + std::string(name));
    return *found;
}

} // namespace

ControlDef& WindowDef::add(ControlKind kind, std::string controlName, std::string containerName,
                           Rect place) {
    ControlDef& def = controls.emplace_back();
    def.name = std::move(controlName);
    def.kind = kind;
    def.container = std::move(containerName);
    def.rect = place;
    def.tabStop = takesFocus(kind);
    if (kind == ControlKind::Timer || kind == ControlKind::SupperMenu) def.visible = false;
    return def;
}

MenuItemDef& WindowDef::addMenuItem(std::string itemName, std::string itemCaption, int itemLevel) {
    MenuItemDef& item = menu.emplace_back();
    item.name = std::move(itemName);
    item.caption = std::move(itemCaption);
    item.level = itemLevel;
    item.hidden = itemLevel == 0;
    return item;
}

ControlDef& WindowDef::control(std::string_view controlName) {
    return findByName(controls, controlName, "control");
}

const ControlDef& WindowDef::control(std::string_view controlName) const {
    return findByName(controls, controlName, "control");
}

MenuItemDef& WindowDef::menuItem(std::string_view itemName) {
    return findByName(menu, itemName, "menu item");
}

} // namespace ui
