#include "ui/window.h"

#include "ui/desktop.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace ui {
namespace {

std::unique_ptr<Control> makeControl(Window& window, const ControlDef& def) {
    switch (def.kind) {
    case ControlKind::Label:
    case ControlKind::TransLabel:
        return std::make_unique<Label>(window, def);
    case ControlKind::Button:
        return std::make_unique<Button>(window, def);
    case ControlKind::EditBox:
        return std::make_unique<EditBox>(window, def);
    case ControlKind::ComboBox:
        return std::make_unique<ComboBox>(window, def);
    case ControlKind::ListBox:
        return std::make_unique<ListBox>(window, def);
    case ControlKind::ChkListBox:
        return std::make_unique<ChkListBox>(window, def);
    case ControlKind::DatePicker:
        return std::make_unique<DatePicker>(window, def);
    case ControlKind::Timer:
        return std::make_unique<Timer>(window, def);
    case ControlKind::ProgressBar:
        return std::make_unique<ProgressBar>(window, def);
    case ControlKind::Chart:
        return std::make_unique<Chart>(window, def);
    case ControlKind::StatusBar:
        return std::make_unique<StatusBar>(window, def);
    case ControlKind::ToolBar:
        return std::make_unique<ToolBar>(window, def);
    case ControlKind::ListView:
        return std::make_unique<ListView>(window, def);
    case ControlKind::OutlookBar:
        return std::make_unique<OutlookBar>(window, def);
    case ControlKind::PicBox:
    case ControlKind::ShapeBox:
    case ControlKind::GroupBox:
    case ControlKind::SupperMenu:
        break;
    }
    return std::make_unique<Control>(window, def);
}

template <typename Items> auto& findMenuItem(Items& items, std::string_view name) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const auto& item) { return item.name == name; });
    if (found == items.end()) throw std::out_of_range("no menu item named " + std::string(name));
    return *found;
}

} // namespace

Window::Window(WindowDef definition) : definition_(std::move(definition)) {}

Window::~Window() {
    close();
    if (owner_) std::erase(owner_->owned_, this);
    for (Window* window : owned_)
        window->owner_ = nullptr;
}

void Window::open(Desktop& desktop, Window* owner, bool modal) {
    if (open_) {
        if (desktop.isMinimised(*this))
            desktop.restore(*this);
        else
            desktop.activate(*this);
        return;
    }
    desktop_ = &desktop;
    owner_ = owner;
    modal_ = modal;
    if (owner_) owner_->owned_.push_back(this);

    const ScreenSize screen = desktop.screenSize();
    left_ = (screen.width - definition_.rect.width) / 2;
    top_ = (screen.height - definition_.rect.height) / 2;
    menu_ = definition_.menu;
    buildControls();
    open_ = true;
    desktop.createView(*this);

    if (definition_.on.created) definition_.on.created();
    if (!open_) return; // the created handler closed it again
    desktop.showView(*this);
    for (const auto& control : controls_) {
        if (auto* timer = dynamic_cast<Timer*>(control.get())) desktop.startTimer(*timer);
    }
    if (modal) desktop.runUntilClosed(*this);
}

void Window::buildControls() {
    // The controls of the previous opening are kept one round longer: a handler that closed and
    // reopened its own window may still be running on one of them.
    retired_ = std::move(controls_);
    controls_.clear();
    for (const ControlDef& def : definition_.controls)
        controls_.push_back(makeControl(*this, def));
}

void Window::close() {
    if (!open_ || closing_) return;
    closing_ = true;
    const std::vector<Window*> owned = owned_;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        (*it)->close();
    if (definition_.on.aboutToBeDestroyed) definition_.on.aboutToBeDestroyed();
    for (const auto& control : controls_) {
        if (auto* timer = dynamic_cast<Timer*>(control.get())) desktop_->stopTimer(*timer);
    }
    open_ = false;
    desktop_->destroyView(*this);
    for (const auto& control : controls_)
        control->release();
    if (owner_) std::erase(owner_->owned_, this);
    owner_ = nullptr;
    closing_ = false;
}

int Window::left() const {
    return open_ ? left_ : definition_.rect.left;
}

int Window::top() const {
    return open_ ? top_ : definition_.rect.top;
}

void Window::setLeft(int value) {
    if (!open_) {
        definition_.rect.left = value;
        return;
    }
    left_ = value;
    desktop_->moveView(*this);
}

void Window::setTop(int value) {
    if (!open_) {
        definition_.rect.top = value;
        return;
    }
    top_ = value;
    desktop_->moveView(*this);
}

void Window::userMoved(int newLeft, int newTop) {
    if (!open_) return;
    left_ = newLeft;
    top_ = newTop;
    if (definition_.on.moved) definition_.on.moved();
}

std::intptr_t Window::nativeHandle() const {
    return open_ ? desktop_->nativeHandle(*this) : 0;
}

bool Window::hasOpenModalOwned() const {
    return std::any_of(owned_.begin(), owned_.end(),
                       [](const Window* window) { return window->open_ && window->modal_; });
}

bool Window::acceptsInput() const {
    return open_ && !hasOpenModalOwned();
}

Control& Window::control(std::string_view controlName) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [&](const auto& control) {
        return control->name() == controlName;
    });
    if (found == controls_.end())
        throw std::out_of_range(name() + " has no open control named " + std::string(controlName));
    return **found;
}

template <typename Kind> Kind& Window::controlAs(std::string_view controlName) const {
    Control& found = control(controlName);
    auto* typed = dynamic_cast<Kind*>(&found);
    if (!typed)
        throw std::logic_error(name() + "'s control " + std::string(controlName) +
                               " is of another kind");
    return *typed;
}

Label& Window::label(std::string_view n) const {
    return controlAs<Label>(n);
}
Button& Window::button(std::string_view n) const {
    return controlAs<Button>(n);
}
EditBox& Window::editBox(std::string_view n) const {
    return controlAs<EditBox>(n);
}
ComboBox& Window::comboBox(std::string_view n) const {
    return controlAs<ComboBox>(n);
}
ListBox& Window::listBox(std::string_view n) const {
    return controlAs<ListBox>(n);
}
ChkListBox& Window::chkListBox(std::string_view n) const {
    return controlAs<ChkListBox>(n);
}
DatePicker& Window::datePicker(std::string_view n) const {
    return controlAs<DatePicker>(n);
}

ProgressBar& Window::progressBar(std::string_view n) const {
    return controlAs<ProgressBar>(n);
}
Chart& Window::chart(std::string_view n) const {
    return controlAs<Chart>(n);
}
Timer& Window::timer(std::string_view n) const {
    return controlAs<Timer>(n);
}
StatusBar& Window::statusBar(std::string_view n) const {
    return controlAs<StatusBar>(n);
}
ToolBar& Window::toolBar(std::string_view n) const {
    return controlAs<ToolBar>(n);
}
ListView& Window::listView(std::string_view n) const {
    return controlAs<ListView>(n);
}
OutlookBar& Window::outlookBar(std::string_view n) const {
    return controlAs<OutlookBar>(n);
}

const std::vector<MenuItemDef>& Window::menu() const {
    return open_ ? menu_ : definition_.menu;
}

MenuItemDef& Window::menuItem(std::string_view itemName) {
    return findMenuItem(open_ ? menu_ : definition_.menu, itemName);
}

const MenuItemDef& Window::menuItem(std::string_view itemName) const {
    return findMenuItem(menu(), itemName);
}

bool Window::menuItemDisabled(std::string_view itemName) const {
    return menuItem(itemName).disabled;
}

void Window::setMenuItemDisabled(std::string_view itemName, bool disabled) {
    menuItem(itemName).disabled = disabled;
    if (open_) desktop_->menuChanged(*this);
}

void Window::popupMenu(std::string_view topItemName) {
    if (!open_) return;
    const auto top = std::find_if(menu_.begin(), menu_.end(), [&](const MenuItemDef& item) {
        return item.name == topItemName;
    });
    if (top == menu_.end())
        throw std::out_of_range("no menu item named " + std::string(topItemName));
    std::vector<const MenuItemDef*> items;
    for (auto it = std::next(top); it != menu_.end() && it->level > top->level; ++it) {
        if (it->level == top->level + 1) items.push_back(&*it);
    }
    const auto chosen = desktop_->popupMenu(*this, items);
    if (chosen && *chosen < items.size()) userChooseMenuItem(items[*chosen]->name);
}

void Window::userChooseMenuItem(std::string_view itemName) {
    if (!acceptsInput()) return;
    const MenuItemDef& item = menuItem(itemName);
    if (item.disabled || item.isSeparator() || !item.clicked) return;
    const auto clicked = item.clicked; // the handler may rebuild the menu
    clicked();
}

void Window::controlChanged(Control& control, Change change) {
    if (open_) desktop_->controlChanged(control, change);
}

} // namespace ui
