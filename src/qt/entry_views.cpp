#include "qt/control_view.h"
#include "support/date_time.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

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

class TextEditView final : public ControlView {
public:
    TextEditView(ui::EditBox& box, QWidget* container) : ControlView(box), box_(box) {
        auto* edit = new QPlainTextEdit(toWidgetText(box.content()), container);
        edit->setReadOnly(box.definition().inputMode == ui::InputMode::ReadOnly);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        edit->setTabChangesFocus(true);
        // The screens' remark boxes are a line or two high: no room for a wide margin.
        edit->document()->setDocumentMargin(2);
        QObject::connect(edit, &QPlainTextEdit::textChanged, [this, edit] {
            if (!attached() || box_.userEdit(toModelText(edit->toPlainText()))) return;
            const QSignalBlocker blocker(edit);
            edit->setPlainText(toWidgetText(box_.content()));
            edit->moveCursor(QTextCursor::End);
        });
        adopt(edit);
    }

protected:
    void show(ui::Change change) override {
        auto* edit = static_cast<QPlainTextEdit*>(widget());
        if (change != ui::Change::Content || toModelText(edit->toPlainText()) == box_.content())
            return;
        const QSignalBlocker blocker(edit);
        edit->setPlainText(toWidgetText(box_.content()));
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
                if (toQString(combo_.content()) == edited) return;
                const QSignalBlocker blocker(edit);
                edit->setText(toQString(combo_.content()));
            });
        }
        adopt(box, box->lineEdit());
        // A drop-down is as tall as its font needs, whatever height the layout gives it.
        box->resize(box->width(), std::max(box->height(), box->sizeHint().height()));
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
            if (!attached()) return;
            support::CalendarTime moment =
                support::toCalendarTime(picker_.value()).value_or(support::CalendarTime{});
            moment.year = date.year();
            moment.month = date.month();
            moment.day = date.day();
            picker_.userChoose(support::toDateTime(moment));
        });
        adopt(edit);
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
