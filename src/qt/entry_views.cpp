#include "qt/control_view.h"
#include "support/date_time.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace qtui {
namespace {

// The model keeps line breaks as an edit box writes them, "\r\n"; Qt's text widgets use "\n".
QString toWidgetText(const std::string& content) {
    return toQString(content).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string toModelText(QString widgetText) {
    return widgetText.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
}

class LineEditView final : public ControlView {
public:
    LineEditView(ui::EditBox& box, QWidget* container) : ControlView(box), box_(box) {
        auto* edit = new QLineEdit(toQString(box.content()), container);
        const ui::ControlDef& def = box.definition();
        edit->setAlignment(horizontalAlignment(def.alignment) | Qt::AlignVCenter);
        edit->setReadOnly(def.inputMode == ui::InputMode::ReadOnly);
        if (def.inputMode == ui::InputMode::Password) edit->setEchoMode(QLineEdit::Password);
        QObject::connect(edit, &QLineEdit::textEdited, [this, edit](const QString& edited) {
            if (!attached() || box_.userEdit(edited.toStdString())) return;
            // The model refused what was typed or pasted: put its text back, caret where it was.
            const int caret =
                edit->cursorPosition() - (edited.size() - toQString(box_.content()).size());
            const QSignalBlocker blocker(edit);
            edit->setText(toQString(box_.content()));
            edit->setCursorPosition(std::max(0, caret));
        });
        adopt(edit);
    }

protected:
    void show(ui::Change change) override {
        auto* edit = static_cast<QLineEdit*>(widget());
        const QString shown = toQString(box_.content());
        if (change != ui::Change::Content || edit->text() == shown) return;
        const QSignalBlocker blocker(edit);
        edit->setText(shown);
    }

private:
    ui::EditBox& box_;
};

// A font's own line spacing leaves room for tall accents the screens never show: at the spacing
// of the program's font two 15-pixel lines need 44 pixels, and the remark boxes are 35 high.
// Lines stand as close as the glyphs the screens write allow: ideographs, full-width
// punctuation, brackets and descenders.
struct LineSpacing {
    qreal advance = 0;   // from one line's top to the next
    qreal inkAscent = 0; // from a line's top to its baseline
};

LineSpacing tightSpacing(const QFont& font) {
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(QStringLiteral(u"国[]gy，"));
    return {std::ceil(ink.height()), -ink.top()};
}

class TightLinesLayout final : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    // The plain text layout places the lines when it lays a block out and then asks here for the
    // block's box before it draws, scrolls or hit-tests; the lines move closer here.
    QRectF blockBoundingRect(const QTextBlock& block) const override {
        QRectF box = QPlainTextDocumentLayout::blockBoundingRect(block);
        QTextLayout* lines = block.layout();
        if (!block.isVisible() || !lines || lines->lineCount() == 0) return box;
        const QFont font = document()->defaultFont();
        if (font != spacingFont_) {
            spacingFont_ = font;
            spacing_ = tightSpacing(font);
        }
        for (int i = 0; i < lines->lineCount(); ++i) {
            QTextLine line = lines->lineAt(i);
            line.setPosition(
                QPointF(line.x(), i * spacing_.advance + spacing_.inkAscent - line.ascent()));
        }
        const qreal margin = block.next().isValid() ? 0 : document()->documentMargin();
        box.setHeight(lines->lineCount() * spacing_.advance + margin);
        return box;
    }

private:
    mutable QFont spacingFont_;
    mutable LineSpacing spacing_;
};

// Keeps two pixels between the text and the box's sides but none above and below, where the
// screens' small boxes have none to spare.
class TextEdit final : public QPlainTextEdit {
public:
    explicit TextEdit(QWidget* parent) : QPlainTextEdit(parent) {
        auto* document = new QTextDocument(this);
        document->setDocumentLayout(new TightLinesLayout(document));
        document->setDocumentMargin(0);
        setDocument(document);
        setViewportMargins(2, 0, 2, 0);
    }
};

// Whether the whole text, wrapped as the box wraps it, fits the box's viewport in the font.
bool textFits(const QPlainTextEdit* edit, const QFont& font) {
    const QRect viewport = edit->viewport()->rect();
    const qreal margin = edit->document()->documentMargin();
    int lines = 0;
    for (const QString& paragraph : edit->toPlainText().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(edit->document()->defaultTextOption());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(viewport.width() - 2 * margin);
            ++lines;
        }
        layout.endLayout();
    }
    return lines * tightSpacing(font).advance + 2 * margin <= viewport.height();
}

class TextEditView final : public ControlView {
public:
    TextEditView(ui::EditBox& box, QWidget* container) : ControlView(box), box_(box) {
        auto* edit = new TextEdit(container);
        edit->setPlainText(toWidgetText(box.content()));
        edit->setReadOnly(box.definition().inputMode == ui::InputMode::ReadOnly);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap
        edit->setTabChangesFocus(true);
        QObject::connect(edit, &QPlainTextEdit::textChanged, [this, edit] {
            if (!attached()) return;
            if (!box_.userEdit(toModelText(edit->toPlainText()))) {
                const QSignalBlocker blocker(edit);
                edit->setPlainText(toWidgetText(box_.content()));
                edit->moveCursor(QTextCursor::End);
            }
            refreshFont();
        });
        adopt(edit);
        // A box lower than three lines has no room for a scroll bar beside its text; its font
        // shrinks instead, and the caret still scrolls what does not fit even then.
        const ui::ControlDef& def = box.definition();
        if (def.rect.height < 3 * tightSpacing(edit->font()).advance) {
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            watchRoom(edit->viewport());
            fitFont([edit](const QFont& font) { return textFits(edit, font); });
        } else {
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        }
    }

protected:
    void show(ui::Change change) override {
        auto* edit = static_cast<QPlainTextEdit*>(widget());
        if (change != ui::Change::Content || toModelText(edit->toPlainText()) == box_.content())
            return;
        const QSignalBlocker blocker(edit);
        edit->setPlainText(toWidgetText(box_.content()));
        refreshFont();
    }

private:
    ui::EditBox& box_;
};

class ComboBoxView final : public ControlView {
public:
    ComboBoxView(ui::ComboBox& combo, QWidget* container) : ControlView(combo), combo_(combo) {
        auto* box = new QComboBox(container);
        box->setEditable(combo.type() == ui::ComboType::Editable);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMaxVisibleItems(20);
        QObject::connect(box, &QComboBox::activated, [this](int index) {
            if (attached()) combo_.userPick(index);
        });
        if (QLineEdit* edit = box->lineEdit()) {
            QObject::connect(edit, &QLineEdit::textEdited, [this, edit](const QString& edited) {
                if (!attached()) return;
                combo_.userEdit(edited.toStdString());
                if (toQString(combo_.content()) != edited) {
                    const QSignalBlocker blocker(edit);
                    edit->setText(toQString(combo_.content()));
                }
                refreshFont();
            });
        }
        adopt(box, box->lineEdit());
        // A drop-down is as tall as its font needs, whatever height the layout gives it.
        box->resize(box->width(), std::max(box->height(), box->sizeHint().height()));
        // The line edit of an editable box is a widget of its own, which the look does not give
        // the box's font.
        if (QLineEdit* edit = box->lineEdit()) shareFont(edit);
        // Whichever item is picked, or whatever is typed, shows whole.
        fitFont([box](const QFont& font) {
            TextRoom room;
            QStringList texts;
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
            if (const QLineEdit* edit = box->lineEdit()) {
                room = lineEditRoom(edit);
                texts << edit->text();
            } else {
                QStyleOptionComboBox option;
                option.initFrom(box);
                const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                                 QStyle::SC_ComboBoxEditField, box);
                room.rect = QRectF(field.adjusted(1, 0, -1, 0));
            }
            return std::all_of(texts.cbegin(), texts.cend(),
                               [&](const QString& text) { return lineFits(font, text, room); });
        });
        showAll();
    }

protected:
    void show(ui::Change) override { showAll(); }

private:
    // Small lists: every change shows the whole state again.
    void showAll() {
        auto* box = static_cast<QComboBox*>(widget());
        const QSignalBlocker blocker(box);
        QStringList items;
        for (const std::string& item : combo_.items())
            items << toQString(item);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        if (shown != items) {
            box->clear();
            box->addItems(items);
        }
        box->setCurrentIndex(combo_.selection());
        if (box->isEditable() && box->currentText() != toQString(combo_.content())) {
            const QSignalBlocker editBlocker(box->lineEdit());
            box->setEditText(toQString(combo_.content()));
        }
        refreshFont();
    }

    ui::ComboBox& combo_;
};

class DatePickerView final : public ControlView {
public:
    DatePickerView(ui::DatePicker& picker, QWidget* container)
        : ControlView(picker), picker_(picker) {
        auto* edit = new QDateEdit(container);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
        edit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
        QObject::connect(edit, &QDateEdit::dateChanged, [this](const QDate& date) {
            refreshFont();
            if (!attached()) return;
            support::CalendarTime moment =
                support::toCalendarTime(picker_.value()).value_or(support::CalendarTime{});
            moment.year = date.year();
            moment.month = date.month();
            moment.day = date.day();
            picker_.userChoose(support::toDateTime(moment));
        });
        adopt(edit);
        // The date is shown by a line edit inside, which the look does not give the box's font.
        // The font fits the widest date of the year shown, so that two pickers side by side keep
        // one size whatever days they show.
        if (auto* inner = edit->findChild<QLineEdit*>()) {
            shareFont(inner);
            fitFont([edit, inner](const QFont& font) {
                const QString widest =
                    QDate(edit->date().year(), 12, 31).toString(edit->displayFormat());
                return lineFits(font, widest, lineEditRoom(inner)) &&
                       lineFits(font, edit->text(), lineEditRoom(inner));
            });
        }
        show(ui::Change::Value);
    }

protected:
    void show(ui::Change change) override {
        if (change != ui::Change::Value) return;
        const auto moment = support::toCalendarTime(picker_.value());
        if (!moment) return;
        auto* edit = static_cast<QDateEdit*>(widget());
        const QSignalBlocker blocker(edit);
        edit->setDate(QDate(moment->year, moment->month, moment->day));
        refreshFont();
    }

private:
    ui::DatePicker& picker_;
};

} // namespace

std::unique_ptr<ControlView> makeEntryView(ui::Control& control, QWidget* container) {
    switch (control.kind()) {
    case ui::ControlKind::EditBox: {
        auto& box = static_cast<ui::EditBox&>(control);
        if (box.definition().multiLine) return std::make_unique<TextEditView>(box, container);
        return std::make_unique<LineEditView>(box, container);
    }
    case ui::ControlKind::ComboBox:
        return std::make_unique<ComboBoxView>(static_cast<ui::ComboBox&>(control), container);
    case ui::ControlKind::DatePicker:
        return std::make_unique<DatePickerView>(static_cast<ui::DatePicker&>(control), container);
    default:
        return nullptr;
    }
}

} // namespace qtui
