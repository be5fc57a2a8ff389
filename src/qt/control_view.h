#pragma once

#include "ui/controls.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace qtui {

// One control of the model on screen: it builds the widget, shows the model's state and hands
// what a person does back to the model as its user actions. A write from a handler only updates
// the widget; it never comes back as an event.
class ControlView {
public:
    explicit ControlView(ui::Control& control) : control_(control) {}
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;
    virtual ~ControlView() = default;

    ui::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }

    // The model changed: show it.
    void update(ui::Change change);
    // The window is going: nothing the widget still does may reach the model.
    void detach();
    bool attached() const { return attached_; }

protected:
    // Places the widget, names it after the control and gives it the definition's font, colours
    // and state; key presses are reported to the control's handler.
    void adopt(QWidget* widget, QWidget* keySource = nullptr);
    virtual void show(ui::Change change) = 0;

private:
    ui::Control& control_;
    QPointer<QWidget> widget_;
    bool attached_ = true;
};

// Builds the view of any control kind; the container is the window's widget or a group box's.
std::unique_ptr<ControlView> makeControlView(ui::Control& control, QWidget* container);

// The builders for the groups of kinds, each giving nothing for a kind it does not build.
std::unique_ptr<ControlView> makeStaticView(ui::Control& control, QWidget* container);
std::unique_ptr<ControlView> makeEntryView(ui::Control& control, QWidget* container);
std::unique_ptr<ControlView> makeListView(ui::Control& control, QWidget* container);

inline QString toQString(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

Qt::Alignment horizontalAlignment(ui::Alignment alignment);

// The model's key code for a Qt key: Enter is 13 as everywhere in the screens.
int modelKeyCode(int qtKey);
int modelModifiers(Qt::KeyboardModifiers modifiers);

} // namespace qtui
