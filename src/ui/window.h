#pragma once

#include "ui/controls.h"
#include "ui/window_def.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace ui {

class Desktop;

// A screen at run time. Not open, only its definition exists; open, it has controls built from
// the definition and a view on a desktop. Every open starts from the definition again.
class Window {
public:
    explicit Window(WindowDef definition);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // An open window is closed first.
    ~Window();

    // Handlers are bound here before the window opens; the controls of an open window keep what
    // they were built with.
    WindowDef& definition() { return definition_; }
    const WindowDef& definition() const { return definition_; }
    const std::string& name() const { return definition_.name; }

    // Opening an open window only restores or activates it. Otherwise the window is centred on
    // the screen, its controls are built, created fires, the view is shown and its timers start;
    // a modal open returns once the window is closed.
    void open(Desktop& desktop, Window* owner = nullptr, bool modal = false);
    // Closes the windows it owns first, then raises about-to-be-destroyed and takes the view down.
    // The controls stay until the next open, so a handler that closes its own window can finish;
    // what they hold in bulk goes at once (Control::release).
    void close();
    bool isOpen() const { return open_; }
    bool isModal() const { return modal_; }
    Window* owner() const { return owner_; }
    // The desktop of the last open; none before the first.
    Desktop* desktop() const { return desktop_; }

    // Position of the outer edge on the screen. Writing it moves the window without raising
    // moved; on a window that is not open it changes the definition.
    int left() const;
    int top() const;
    void setLeft(int value);
    void setTop(int value);
    // A person dragged the window: raises moved.
    void userMoved(int newLeft, int newTop);

    std::intptr_t nativeHandle() const;

    // False while a modal window it owns is open, and when it is not open.
    bool acceptsInput() const;

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The named control of the open window, as its kind; throws std::out_of_range for a name the
    // window lacks and std::logic_error for a control of another kind: both are mistakes in a
    // screen's code.
    Control& control(std::string_view controlName) const;
    Label& label(std::string_view controlName) const;
    Button& button(std::string_view controlName) const;
    EditBox& editBox(std::string_view controlName) const;
    ComboBox& comboBox(std::string_view controlName) const;
    ListBox& listBox(std::string_view controlName) const;
    ChkListBox& chkListBox(std::string_view controlName) const;
    DatePicker& datePicker(std::string_view controlName) const;
    ProgressBar& progressBar(std::string_view controlName) const;
    Chart& chart(std::string_view controlName) const;
    Timer& timer(std::string_view controlName) const;
    StatusBar& statusBar(std::string_view controlName) const;
    ToolBar& toolBar(std::string_view controlName) const;
    ListView& listView(std::string_view controlName) const;
    OutlookBar& outlookBar(std::string_view controlName) const;

    // The menu as it stands: the definition's while closed, this open window's copy while open.
    const std::vector<MenuItemDef>& menu() const;
    bool menuItemDisabled(std::string_view itemName) const;
    void setMenuItemDisabled(std::string_view itemName, bool disabled);
    // Shows the sub-items of a top-level item as a popup menu; choosing an enabled item that is
    // not a separator raises its clicked event.
    void popupMenu(std::string_view topItemName);
    // A person chose the item (from a popup or a menu bar).
    void userChooseMenuItem(std::string_view itemName);

    // Called by a control whose state changed, so that the view follows.
    void controlChanged(Control& control, Change change);

private:
    template <typename Kind> Kind& controlAs(std::string_view controlName) const;
    MenuItemDef& menuItem(std::string_view itemName);
    const MenuItemDef& menuItem(std::string_view itemName) const;
    void buildControls();
    bool hasOpenModalOwned() const;

    WindowDef definition_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Control>> retired_;
    std::vector<MenuItemDef> menu_;
    Desktop* desktop_ = nullptr;
    Window* owner_ = nullptr;
    std::vector<Window*> owned_;
    bool open_ = false;
    bool closing_ = false;
    bool modal_ = false;
    int left_ = 0;
    int top_ = 0;
};

} // namespace ui
