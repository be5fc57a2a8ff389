#pragma once

#include "ui/control_def.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A menu item of a window. Top-level items (level 0) are hidden and serve as popup menus; their
// sub-items (level 1) follow them in the list.
struct MenuItemDef {
    std::string name;
    std::string caption; // "-" is a separator
    int level = 0;
    bool hidden = false;
    bool disabled = false;
    bool ticked = false;
    std::string image; // icon drawn by the window's SupperMenu; presentation only
    std::function<void()> clicked;

    bool isSeparator() const { return caption == "-"; }
};

struct WindowFlags {
    bool minimiseBox = true;
    bool maximiseBox = false;
    bool systemMenu = true;
    bool movable = true;
    bool topmost = false;
};

struct WindowEvents {
    std::function<void()> created;
    std::function<void()> aboutToBeDestroyed;
    std::function<void()> moved;
};

// A screen as it is defined: every window is centred at creation and drawn without border.
struct WindowDef {
    std::string name;
    std::string caption;
    Rect rect;
    WindowFlags flags;
    std::optional<Color> backgroundColor; // none: the system's default
    std::string icon;
    std::vector<ControlDef> controls;
    std::vector<MenuItemDef> menu;
    WindowEvents on;

    // Appends a control; the kinds that take keyboard focus get a tab stop.
    ControlDef& add(ControlKind kind, std::string controlName, std::string containerName,
                    Rect place);
    MenuItemDef& addMenuItem(std::string itemName, std::string itemCaption, int itemLevel);

    // The definition of the named control or menu item; throws std::out_of_range when there is
    // none, which is a mistake in a screen's code.
    ControlDef& control(std::string_view controlName);
    const ControlDef& control(std::string_view controlName) const;
    MenuItemDef& menuItem(std::string_view itemName);
};

} // namespace ui
