#include "qt/window_view.h"

#include "qt/look/looks.h"

#include <QCloseEvent>
#include <QMoveEvent>
#include <QMouseEvent>
#include <map>

namespace qtui {

WindowView::WindowView(ui::Window& window, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), window_(window) {
    const ui::WindowDef& def = window.definition();
    setObjectName(toQString(def.name));
    setWindowTitle(def.caption.empty() ? QStringLiteral("Veltrano") : toQString(def.caption));
    if (!def.icon.empty()) setWindowIcon(icon(toQString(def.icon)));
    setFixedSize(def.rect.width, def.rect.height);
    move(window.left(), window.top());
    if (def.backgroundColor) {
        const ui::Color& c = *def.backgroundColor;
        setStyleSheet(QStringLiteral("#%1 { background-color: rgb(%2, %3, %4); }")
                          .arg(objectName())
                          .arg(c.red)
                          .arg(c.green)
                          .arg(c.blue));
        setAttribute(Qt::WA_StyledBackground);
    }
    if (window.isModal()) setWindowModality(Qt::WindowModal);

    // Controls come in definition order, so a group box exists before what it holds.
    std::map<std::string, QWidget*> containers;
    for (const auto& control : window.controls()) {
        const std::string& containerName = control->definition().container;
        const auto found = containers.find(containerName);
        QWidget* container = found == containers.end() ? this : found->second;
        auto view = makeControlView(*control, container);
        if (!view) continue; // timers and the menu renderer are not drawn
        if (control->kind() == ui::ControlKind::GroupBox)
            containers[control->name()] = view->widget();
        viewOf_[control.get()] = view.get();
        views_.push_back(std::move(view));
    }
}

WindowView::~WindowView() {
    retire();
}

void WindowView::controlChanged(ui::Control& control, ui::Change change) {
    const auto found = viewOf_.find(&control);
    if (found != viewOf_.end()) found->second->update(change);
}

void WindowView::retire() {
    retired_ = true;
    for (const auto& view : views_)
        view->detach();
}

void WindowView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void WindowView::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton) && !retired_) {
        const QPoint topLeft = event->globalPosition().toPoint() - *dragOffset_;
        // The model first: the move that follows is then its own and is not told again.
        window_.userMoved(topLeft.x(), topLeft.y());
        move(topLeft);
    }
    QWidget::mouseMoveEvent(event);
}

void WindowView::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

void WindowView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A move the model asked for, or one it has been told of, leaves the two in agreement.
    const QPoint at = pos();
    if (!retired_ && (at.x() != window_.left() || at.y() != window_.top()))
        window_.userMoved(at.x(), at.y());
}

void WindowView::closeEvent(QCloseEvent* event) {
    // Screens close through their own buttons; a close asked by the system is not one of them.
    if (retired_)
        event->accept();
    else
        event->ignore();
}

} // namespace qtui
