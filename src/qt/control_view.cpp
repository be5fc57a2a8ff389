#include "qt/control_view.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QTimer>
#include <algorithm>

namespace qtui {

// Has the view choose its font again once a change of look or size has settled: a new style
// sheet can reset a widget's font while it polishes the widget's children, after the widget has
// been told of the change.
class FontKeeper final : public QObject {
public:
    FontKeeper(ControlView& view, QObject* parent) : QObject(parent), view_(view) {}

    void watch(QObject* object) { object->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::Resize) schedule();
        return QObject::eventFilter(watched, event);
    }

private:
    void schedule() {
        if (pending_) return;
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
            pending_ = false;
            view_.refreshFont();
        });
    }

    ControlView& view_;
    bool pending_ = false;
};

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

bool lineFits(const QFont& font, const QString& text, const TextRoom& room) {
    if (text.isEmpty()) return true;
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(text);
    if (room.byAdvance && advance + room.reserved > room.rect.width()) return false;
    // Glyph boxes come rounded out to whole pixels, and an antialiased edge may touch the border:
    // a pixel across and two up or down are still whole glyphs.
    constexpr qreal kAcross = 1;
    constexpr qreal kUpDown = 2;
    const QRectF ink = metrics.tightBoundingRect(text);
    qreal start = room.rect.left();
    if (room.alignment & Qt::AlignHCenter)
        start += (room.rect.width() - advance) / 2;
    else if (room.alignment & Qt::AlignRight)
        start = room.rect.right() - advance;
    const qreal baseline =
        room.rect.top() + (room.rect.height() - metrics.height()) / 2 + metrics.ascent();
    const bool across = room.byAdvance || (start + ink.left() >= room.rect.left() - kAcross &&
                                           start + ink.right() <= room.rect.right() + kAcross);
    return across && baseline + ink.top() >= room.rect.top() - kUpDown &&
           baseline + ink.bottom() <= room.rect.bottom() + kUpDown;
}

TextRoom lineEditRoom(const QLineEdit* edit) {
    QStyleOptionFrame panel;
    panel.initFrom(edit);
    panel.rect = edit->rect();
    panel.lineWidth = edit->hasFrame()
                          ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, edit)
                          : 0;
    panel.state |= QStyle::State_Sunken;
    if (edit->isReadOnly()) panel.state |= QStyle::State_ReadOnly;
    const QRect contents = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, edit)
                               .marginsRemoved(edit->textMargins());
    // A line edit keeps two pixels either side of its text and scrolls it unless the text, one
    // pixel and the caret fit.
    return {QRectF(contents.adjusted(2, 0, -2, 0)), edit->alignment(), true, 2};
}

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

ControlView::~ControlView() {
    delete fontKeeper_;
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

    definedFont_ = widget->font();
    definedFont_.setPixelSize(def.font.pixelSize);
    definedFont_.setBold(def.font.bold);
    if (def.font.decorative)
        definedFont_.setFamilies(
            {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    widget->setFont(definedFont_);
    fontKeeper_ = new FontKeeper(*this, widget);
    fontKeeper_->watch(widget);

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

void ControlView::refreshFont() {
    if (!widget_) return;
    QFont font = definedFont_;
    if (fits_) {
        const int smallest = std::min(definedFont_.pixelSize(), kReadablePixels);
        while (font.pixelSize() > smallest && !fits_(font))
            font.setPixelSize(font.pixelSize() - 1);
    }
    if (widget_->font() != font) widget_->setFont(font);
    std::erase_if(fontParts_, [](const QPointer<QWidget>& part) { return part.isNull(); });
    for (const QPointer<QWidget>& part : fontParts_)
        if (part->font() != font) part->setFont(font);
}

void ControlView::fitFont(std::function<bool(const QFont&)> fits) {
    fits_ = std::move(fits);
    refreshFont();
}

void ControlView::shareFont(QWidget* part) {
    fontParts_.emplace_back(part);
    watchRoom(part);
    refreshFont();
}

void ControlView::watchRoom(QObject* object) {
    if (fontKeeper_) fontKeeper_->watch(object);
}

std::unique_ptr<ControlView> makeControlView(ui::Control& control, QWidget* container) {
    if (auto view = makeStaticView(control, container)) return view;
    if (auto view = makeEntryView(control, container)) return view;
    if (auto view = makeChartView(control, container)) return view;
    return makeListView(control, container);
}

} // namespace qtui
