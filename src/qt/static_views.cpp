#include "qt/control_view.h"
#include "qt/look/looks.h"
#include "ui/window.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QToolBar>
#include <algorithm>

namespace qtui {
namespace {

// Where the control lies in its window: a group box places what it holds relative to itself.
QRect windowRect(const ui::Control& control) {
    const auto& controls = control.window().controls();
    const ui::ControlDef* def = &control.definition();
    QRect rect(def->rect.left, def->rect.top, def->rect.width, def->rect.height);
    for (std::size_t depth = 0; !def->container.empty() && depth < controls.size(); ++depth) {
        const auto holder = std::find_if(controls.begin(), controls.end(), [&](const auto& other) {
            return other->name() == def->container;
        });
        if (holder == controls.end()) break;
        def = &(*holder)->definition();
        rect.translate(def->rect.left, def->rect.top);
    }
    return rect;
}

// A label without a background of its own whose middle lies on a toolbar is read against the
// toolbar, which some looks paint dark, rather than against the window.
bool standsOnToolBar(const ui::Control& label) {
    if (label.definition().backgroundColor) return false;
    const QPoint middle = windowRect(label).center();
    const auto& controls = label.window().controls();
    return std::any_of(controls.begin(), controls.end(), [&](const auto& other) {
        return other->kind() == ui::ControlKind::ToolBar && windowRect(*other).contains(middle);
    });
}

class LabelView final : public ControlView {
public:
    LabelView(ui::Label& label, QWidget* container) : ControlView(label), label_(label) {
        auto* widget = new QLabel(toQString(label.caption()), container);
        widget->setAlignment(horizontalAlignment(label.definition().alignment) | Qt::AlignVCenter);
        // A transparent label lets the window show through; a plain one paints its own colours.
        widget->setAutoFillBackground(label.kind() == ui::ControlKind::Label &&
                                      label.definition().backgroundColor.has_value());
        widget->setTextFormat(Qt::PlainText);
        if (standsOnToolBar(label)) widget->setProperty("onToolBar", true);
        adopt(widget);
        fitFont([widget](const QFont& font) {
            const int margin = widget->margin();
            return lineFits(
                font, widget->text(),
                {QRectF(widget->contentsRect().adjusted(margin, margin, -margin, -margin)),
                 widget->alignment()});
        });
    }

protected:
    void show(ui::Change change) override {
        if (change != ui::Change::Caption) return;
        static_cast<QLabel*>(widget())->setText(toQString(label_.caption()));
        refreshFont();
    }

private:
    ui::Label& label_;
};

class ButtonView final : public ControlView {
public:
    ButtonView(ui::Button& button, QWidget* container) : ControlView(button), button_(button) {
        auto* widget = new QPushButton(toQString(button.caption()), container);
        widget->setAutoDefault(false);
        QObject::connect(widget, &QPushButton::clicked, [this] {
            if (attached()) button_.userClick();
        });
        adopt(widget);
        fitFont([widget](const QFont& font) {
            QStyleOptionButton option;
            option.initFrom(widget);
            option.text = widget->text();
            const QRect contents =
                widget->style()->subElementRect(QStyle::SE_PushButtonContents, &option, widget);
            return lineFits(font, widget->text(), {QRectF(contents), Qt::AlignHCenter});
        });
    }

protected:
    void show(ui::Change change) override {
        if (change != ui::Change::Caption) return;
        static_cast<QPushButton*>(widget())->setText(toQString(button_.caption()));
        refreshFont();
    }

private:
    ui::Button& button_;
};

// Pictures, separator lines and frames: drawn, never changed by a handler.
class FixedView final : public ControlView {
public:
    FixedView(ui::Control& control, QWidget* container) : ControlView(control) {
        const ui::ControlDef& def = control.definition();
        switch (control.kind()) {
        case ui::ControlKind::PicBox: {
            auto* picture = new QLabel(container);
            picture->setAlignment(Qt::AlignCenter);
            picture->setPixmap(
                iconPixmap(toQString(def.image), QSize(def.rect.width, def.rect.height)));
            adopt(picture);
            break;
        }
        case ui::ControlKind::ShapeBox:
            adopt(new QFrame(container)); // the line colour is its background
            break;
        default: {
            auto* frame = new QFrame(container);
            frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            adopt(frame);
            break;
        }
        }
    }

protected:
    void show(ui::Change) override {}
};

class StatusBarView final : public ControlView {
public:
    StatusBarView(ui::StatusBar& bar, QWidget* container) : ControlView(bar), bar_(bar) {
        auto* widget = new QFrame(container);
        widget->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        auto* layout = new QHBoxLayout(widget);
        layout->setContentsMargins(2, 0, 2, 0);
        layout->setSpacing(4);
        for (const ui::StatusPart& part : bar.definition().parts) {
            auto* label = new QLabel(toQString(part.text), widget);
            label->setObjectName(QStringLiteral("statusPart"));
            label->setTextFormat(Qt::PlainText);
            if (part.width >= 0) {
                label->setFixedWidth(part.width);
                layout->addWidget(label);
            } else {
                layout->addWidget(label, 1);
            }
            parts_.push_back(label);
        }
        adopt(widget);
        for (QLabel* part : parts_)
            shareFont(part);
    }

protected:
    void show(ui::Change change) override {
        if (change != ui::Change::Parts) return;
        for (int i = 0; i < bar_.partCount(); ++i)
            parts_[static_cast<std::size_t>(i)]->setText(toQString(bar_.partText(i)));
    }

private:
    ui::StatusBar& bar_;
    std::vector<QLabel*> parts_;
};

class ToolBarView final : public ControlView {
public:
    ToolBarView(ui::ToolBar& bar, QWidget* container) : ControlView(bar) {
        auto* widget = new QToolBar(container);
        widget->setMovable(false);
        widget->setFloatable(false);
        widget->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        widget->setIconSize(QSize(32, 32));
        const auto& buttons = bar.buttons();
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i].separator) {
                widget->addSeparator();
                continue;
            }
            QAction* action =
                widget->addAction(icon(toQString(buttons[i].image)), toQString(buttons[i].text));
            action->setObjectName(toQString(buttons[i].text));
            const int index = static_cast<int>(i);
            QObject::connect(action, &QAction::triggered, [this, &bar, index] {
                if (attached()) bar.userClickButton(index);
            });
        }
        adopt(widget);
    }

protected:
    void show(ui::Change) override {}
};

class ProgressBarView final : public ControlView {
public:
    ProgressBarView(ui::ProgressBar& bar, QWidget* container) : ControlView(bar), bar_(bar) {
        auto* widget = new QProgressBar(container);
        widget->setRange(0, 100);
        widget->setValue(bar.percent());
        adopt(widget);
    }

protected:
    void show(ui::Change change) override {
        if (change == ui::Change::Value)
            static_cast<QProgressBar*>(widget())->setValue(bar_.percent());
    }

private:
    ui::ProgressBar& bar_;
};

} // namespace

std::unique_ptr<ControlView> makeStaticView(ui::Control& control, QWidget* container) {
    switch (control.kind()) {
    case ui::ControlKind::Label:
    case ui::ControlKind::TransLabel:
        return std::make_unique<LabelView>(static_cast<ui::Label&>(control), container);
    case ui::ControlKind::Button:
        return std::make_unique<ButtonView>(static_cast<ui::Button&>(control), container);
    case ui::ControlKind::PicBox:
    case ui::ControlKind::ShapeBox:
    case ui::ControlKind::GroupBox:
        return std::make_unique<FixedView>(control, container);
    case ui::ControlKind::StatusBar:
        return std::make_unique<StatusBarView>(static_cast<ui::StatusBar&>(control), container);
    case ui::ControlKind::ToolBar:
        return std::make_unique<ToolBarView>(static_cast<ui::ToolBar&>(control), container);
    case ui::ControlKind::ProgressBar:
        return std::make_unique<ProgressBarView>(static_cast<ui::ProgressBar&>(control), container);
    default:
        return nullptr;
    }
}

} // namespace qtui
