#pragma once

#include "qt/control_view.h"
#include "ui/window.h"

#include <QPoint>
#include <QWidget>
#include <memory>
#include <unordered_map>
#include <vector>

namespace qtui {

// A window of the model on screen: borderless, at the model's position, holding a view of every
// drawn control. Dragging its background moves it; any move that the model did not ask for (a
// drag, the window manager, the keyboard) is told to the model once.
class WindowView final : public QWidget {
public:
    WindowView(ui::Window& window, QWidget* owner);
    ~WindowView() override;

    ui::Window& window() const { return window_; }
    void controlChanged(ui::Control& control, ui::Change change);
    // The model closed the window: the view goes quietly.
    void retire();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ui::Window& window_;
    std::vector<std::unique_ptr<ControlView>> views_;
    std::unordered_map<const ui::Control*, ControlView*> viewOf_; // asked at every change
    std::optional<QPoint> dragOffset_;
    bool retired_ = false;
};

} // namespace qtui
