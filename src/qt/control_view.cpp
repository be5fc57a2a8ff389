#include "qt/control_view.h"

#include <QEvent>
#include <QKeyEvent>

namespace qtui {
namespace {

QString cssColor(const ui::Color& color) {
    return QStringLiteral("#%1%2%3")
        .arg(color.red, 2, 16, QLatin1Char('0'))
        .arg(color.green, 2, 16, QLatin1Char('0'))
        .arg(color.blue, 2, 16, QLatin1Char('0'));
}

// Passes the keys pressed in a widget to the control's key-down handler before the widget
// processes them itself.
class KeyReporter final : public QObject {
public:
    KeyReporter(ControlView& view, QObject* parent) : QObject(parent), view_(view) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && view_.attached()) {
            const auto* key = static_cast<QKeyEvent*>(event);
            view_.control().reportKeyDown(modelKeyCode(key->key()),
                                          modelModifiers(key->modifiers()));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ControlView& view_;
};

} // namespace

Qt::Alignment horizontalAlignment(ui::Alignment alignment) {
    switch (alignment) {
    case ui::Alignment::Center:
        return Qt::AlignHCenter;
    case ui::Alignment::Right:
        return Qt::AlignRight;
    case ui::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

int modelKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ui::kKeyEnter;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    default:
        break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    if (qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde) return qtKey; // letters upper case
    return 0;
}

int modelModifiers(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ControlModifier) bits |= ui::kModifierCtrl;
    if (modifiers & Qt::ShiftModifier) bits |= ui::kModifierShift;
    if (modifiers & Qt::AltModifier) bits |= ui::kModifierAlt;
    return bits;
}

void ControlView::update(ui::Change change) {
    if (!widget_) return;
    switch (change) {
    case ui::Change::Disabled:
        widget_->setEnabled(!control_.disabled());
        break;
    case ui::Change::Visible:
        widget_->setVisible(control_.visible());
        break;
    default:
        show(change);
    }
}

void ControlView::detach() {
    attached_ = false;
    if (!widget_) return;
    widget_->blockSignals(true);
    for (QObject* child : widget_->findChildren<QObject*>())
        child->blockSignals(true);
}

void ControlView::adopt(QWidget* widget, QWidget* keySource) {
    widget_ = widget;
    const ui::ControlDef& def = control_.definition();
    widget->setObjectName(QString::fromStdString(def.name));
    widget->setGeometry(def.rect.left, def.rect.top, def.rect.width, def.rect.height);

    QFont font = widget->font();
    font.setPixelSize(def.font.pixelSize);
    font.setBold(def.font.bold);
    if (def.font.decorative)
        font.setFamilies({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    widget->setFont(font);

    QString style;
    if (def.textColor && def.kind != ui::ControlKind::ShapeBox)
        style += QStringLiteral("color: %1;").arg(cssColor(*def.textColor));
    if (def.backgroundColor)
        style += QStringLiteral("background-color: %1;").arg(cssColor(*def.backgroundColor));
    if (def.kind == ui::ControlKind::ShapeBox)
        style += QStringLiteral("background-color: %1; border: none;")
                     .arg(cssColor(def.textColor.value_or(ui::Color::rgb(0x808080))));
    if (!style.isEmpty())
        widget->setStyleSheet(QStringLiteral("#%1 { %2 }").arg(widget->objectName(), style));

    widget->setFocusPolicy(def.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    widget->setEnabled(!control_.disabled());
    widget->setVisible(control_.visible());
    QWidget* source = keySource ? keySource : widget;
    source->installEventFilter(new KeyReporter(*this, source));
}

std::unique_ptr<ControlView> makeControlView(ui::Control& control, QWidget* container) {
    if (auto view = makeStaticView(control, container)) return view;
    if (auto view = makeEntryView(control, container)) return view;
    return makeListView(control, container);
}

} // namespace qtui
