// Every screen in every look, filled with the longest values the program writes: each text must
// show whole in its box, in the font its screen gives it or the largest smaller one that fits,
// and read against whatever is drawn behind it.

#include "long_values.h"
#include "qt/control_view.h"
#include "qt/look/looks.h"
#include "qt/qt_desktop.h"
#include "scripted_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Below this a shrunk text is no longer comfortable to read at the counter.
// The room a widget gives its text is the views' own measure of it (Qt's style geometry); what
// this test judges on its own is whether the text, in the font really drawn, shows whole there.
using qtui::kReadablePixels;
using qtui::lineEditRoom;
using Room = qtui::TextRoom;

std::string describe(const QString& text, const QFont& font, const QRectF& room) {
    return QStringLiteral("\"%1\" at %2 px%3 in %4x%5")
        .arg(text)
        .arg(QFontInfo(font).pixelSize())
        .arg(font.bold() ? QStringLiteral(" bold") : QString())
        .arg(room.width())
        .arg(room.height())
        .toStdString();
}

// How far the glyphs' ink may reach past the room, across and up or down. Glyph boxes come
// rounded out to whole pixels, so a text at its box's edge is still whole (kWhole); a pixel
// larger font that still fits within the tighter kStrict was shrunk for nothing.
struct Slack {
    double across;
    double upDown;
};
constexpr Slack kWhole{1.5, 2.5};
constexpr Slack kStrict{0.5, 1.5};
Slack slack = kWhole;

// One line centred vertically in its room.
bool lineFits(const QFont& font, const QString& text, const Room& room, std::string* why) {
    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.tightBoundingRect(text);
    const double advance = metrics.horizontalAdvance(text);
    double start = room.rect.left();
    if (room.alignment & Qt::AlignHCenter) start += (room.rect.width() - advance) / 2;
    if (room.alignment & Qt::AlignRight) start = room.rect.right() - advance;
    const double baseline =
        room.rect.top() + (room.rect.height() - metrics.height()) / 2 + metrics.ascent();
    const bool across = room.byAdvance
                            ? advance + room.reserved <= room.rect.width()
                            : start + ink.left() >= room.rect.left() - slack.across &&
                                  start + ink.right() <= room.rect.right() + slack.across;
    const bool fits = across && baseline + ink.top() >= room.rect.top() - slack.upDown &&
                      baseline + ink.bottom() <= room.rect.bottom() + slack.upDown;
    if (!fits && why) *why = describe(text, font, room.rect);
    return fits;
}

Room comboRoom(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    return {QRectF(field.adjusted(1, 0, -1, 0))};
}

Room buttonRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return {QRectF(button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button)),
            Qt::AlignHCenter};
}

// Every line of a multi-line box, wrapped as the box wraps it, lies inside its viewport with its
// ink clear of its neighbours'.
bool linesFit(const QPlainTextEdit* edit, std::string* why) {
    const QFontMetricsF metrics(edit->font());
    const QRectF viewport(edit->viewport()->rect());
    const double margin = edit->document()->documentMargin();
    double previousInkBottom = viewport.top();
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            const QString text = block.text().mid(line.textStart(), line.textLength()).trimmed();
            const QRectF ink = metrics.tightBoundingRect(text);
            QTextCursor start(block);
            start.setPosition(block.position() + line.textStart());
            const double baseline = edit->cursorRect(start).top() + line.ascent();
            // The box places its lines itself, to the pixel: the smaller allowance holds there.
            const bool fits = line.naturalTextWidth() <= viewport.width() - 2 * margin &&
                              baseline + ink.top() >= previousInkBottom - slack.across &&
                              baseline + ink.bottom() <= viewport.bottom() + slack.across;
            if (!fits) {
                if (why) *why = describe(text, edit->font(), viewport) + " (a line of several)";
                return false;
            }
            if (!text.isEmpty()) previousInkBottom = baseline + ink.bottom();
        }
    }
    return true;
}

// The widget whose font the widget's text is drawn in: a header paints on its viewport.
QWidget* fontHolder(QWidget* widget) {
    if (auto* header = qobject_cast<QHeaderView*>(widget)) return header->viewport();
    return widget;
}

bool cellsFit(const QTableView* table, std::string* why) {
    const QAbstractItemModel* model = table->model();
    const QHeaderView* header = table->horizontalHeader();
    const int textMargin =
        table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    for (int column = 0; column < model->columnCount(); ++column) {
        QStyleOptionHeader option;
        option.initFrom(header);
        option.rect = QRect(0, 0, header->sectionSize(column), header->height());
        option.section = column;
        option.text = model->headerData(column, Qt::Horizontal).toString();
        const Room title{
            QRectF(header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header)),
            Qt::AlignLeft, true};
        if (!lineFits(header->viewport()->font(), option.text, title, why)) return false;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, column);
            const auto* delegate =
                qobject_cast<const QStyledItemDelegate*>(table->itemDelegateForIndex(index));
            const QString shown = delegate ? delegate->displayText(index.data(), table->locale())
                                           : index.data().toString();
            if (shown.contains(QLatin1Char('\n')) || shown.contains(QLatin1Char('\r')) ||
                shown.contains(QChar::LineSeparator)) {
                if (why) *why = "a cell of several lines: " + shown.toStdString();
                return false;
            }
            // The last columns may lie beyond the list's width: they scroll into view whole.
            const Room cell{QRectF(textMargin, 0, table->columnWidth(column) - 2 * textMargin,
                                   table->rowHeight(row)),
                            Qt::AlignLeft, true};
            if (!lineFits(table->font(), shown, cell, why)) return false;
        }
    }
    return true;
}

bool itemsFit(const QListWidget* list, std::string* why) {
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        QRect room(0, 0, list->viewport()->width(), list->visualItemRect(item).height());
        if (item->flags() & Qt::ItemIsUserCheckable) {
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.rect = room;
            option.features = QStyleOptionViewItem::HasCheckIndicator;
            room.setLeft(list->style()
                             ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list)
                             .right());
        }
        if (!lineFits(list->font(), item->text(),
                      {QRectF(room.adjusted(margin, 0, -margin, 0)), Qt::AlignLeft, true}, why))
            return false;
    }
    return true;
}

// Whether the widget shows all its texts whole in its present font.
bool showsWhole(QWidget* widget, std::string* why) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const int margin = label->margin();
        return label->text().isEmpty() ||
               lineFits(label->font(), label->text(),
                        {QRectF(label->contentsRect().adjusted(margin, margin, -margin, -margin)),
                         label->alignment()},
                        why);
    }
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return lineFits(button->font(), button->text(), buttonRoom(button), why);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const Room room = lineEditRoom(edit);
        if (!lineFits(edit->font(), edit->displayText(), room, why)) return false;
        if (auto* combo = qobject_cast<QComboBox*>(edit->parentWidget()))
            for (int i = 0; i < combo->count(); ++i)
                if (!lineFits(edit->font(), combo->itemText(i), room, why)) return false;
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // An editable box shows the picked item in its line edit, which draws in the box's font.
        const Room room = combo->isEditable() ? lineEditRoom(combo->lineEdit()) : comboRoom(combo);
        for (int i = 0; i < combo->count(); ++i)
            if (!lineFits(combo->font(), combo->itemText(i), room, why)) return false;
        return !combo->isEditable() ||
               lineFits(combo->font(), combo->lineEdit()->text(), room, why);
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return linesFit(edit, why);
    if (auto* table = qobject_cast<QTableView*>(widget)) return cellsFit(table, why);
    if (auto* header = qobject_cast<QHeaderView*>(widget))
        if (auto* table = qobject_cast<QTableView*>(header->parentWidget()))
            return cellsFit(table, why);
    if (auto* list = qobject_cast<QListWidget*>(widget)) return itemsFit(list, why);
    return true;
}

// Scroll bars, viewports and frames draw no text of their own.
bool drawsText(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QHeaderView*>(widget);
}

class ScreenText : public ::testing::Test {
protected:
    void SetUp() override {
        qtui::applyLook(qtui::lookCount() - 1);
        for (const auto& definition : testing_support::allScreens()) {
            windows.push_back(std::make_unique<ui::Window>(definition()));
            windows.back()->open(desktop);
            testing_support::fillLongValues(desktop, *windows.back());
        }
        QApplication::processEvents();
    }

    void TearDown() override {
        for (const auto& window : windows)
            window->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qApp->setStyleSheet(QString());
        QApplication::setPalette(QPalette());
    }

    // The control a widget draws: itself or the nearest named ancestor of the window.
    static const ui::Control* controlOf(const ui::Window& window, const QWidget* widget) {
        for (; widget; widget = widget->parentWidget()) {
            for (const auto& control : window.controls())
                if (QString::fromStdString(control->name()) == widget->objectName())
                    return control.get();
        }
        return nullptr;
    }

    static std::vector<QWidget*> shownWidgets(QWidget* view) {
        std::vector<QWidget*> shown;
        for (QWidget* widget : view->findChildren<QWidget*>())
            if (widget->isVisibleTo(view)) shown.push_back(widget);
        return shown;
    }

    testing_support::ScriptedDialogs dialogs;
    qtui::QtDesktop desktop{dialogs};
    std::vector<std::unique_ptr<ui::Window>> windows;
};

TEST_F(ScreenText, EveryTextShowsWholeInTheLargestFontThatFits) {
    for (int look = 0; look < qtui::lookCount(); ++look) {
        qtui::applyLook(look);
        QApplication::processEvents();
        for (const auto& window : windows) {
            QWidget* view = desktop.view(*window);
            ASSERT_NE(view, nullptr);
            for (QWidget* widget : shownWidgets(view)) {
                widget->ensurePolished();
                const ui::Control* control = controlOf(*window, widget);
                const std::string where = "look " + std::to_string(look) + ", " + window->name() +
                                          " " + (control ? control->name() : "?") + " (" +
                                          widget->metaObject()->className() + ")";
                std::string why;
                EXPECT_TRUE(showsWhole(widget, &why)) << where << ": " << why;
                if (!control || !drawsText(widget)) continue;

                // Its screen's font, or the largest smaller one that fits, but still readable.
                const ui::Font& defined = control->definition().font;
                const QFont drawn = fontHolder(widget)->font();
                const int pixels = QFontInfo(drawn).pixelSize();
                EXPECT_EQ(drawn.bold(), defined.bold) << where;
                EXPECT_LE(pixels, defined.pixelSize) << where;
                if (pixels >= defined.pixelSize) continue;
                EXPECT_GE(pixels, std::min(defined.pixelSize, kReadablePixels)) << where;
                QFont larger = drawn;
                larger.setPixelSize(pixels + 1);
                fontHolder(widget)->setFont(larger);
                slack = kStrict;
                EXPECT_FALSE(showsWhole(widget, nullptr))
                    << where << ": shrunk to " << pixels << " px for nothing";
                slack = kWhole;
                fontHolder(widget)->setFont(drawn);
            }
        }
    }
}

double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The label as drawn and what lies behind it, from the window's own painting: the text's pixels
// are those that change when the text goes.
struct Painted {
    QImage withText;
    QImage behind;
};

Painted paint(QWidget* view, QLabel* label) {
    const QRect area(label->mapTo(view, QPoint(0, 0)), label->size());
    Painted painted;
    painted.withText = view->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    const QString text = label->text();
    label->setText(QString());
    painted.behind = view->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    label->setText(text);
    return painted;
}

TEST_F(ScreenText, EveryLabelTheLookColoursReadsAgainstWhatIsBehindIt) {
    int measured = 0;
    for (int look = 0; look < qtui::lookCount(); ++look) {
        qtui::applyLook(look);
        QApplication::processEvents();
        for (const auto& window : windows) {
            QWidget* view = desktop.view(*window);
            for (QWidget* widget : shownWidgets(view)) {
                auto* label = qobject_cast<QLabel*>(widget);
                if (!label || label->text().trimmed().isEmpty()) continue;
                const ui::Control* control = controlOf(*window, label);
                // A colour the screen gives its text stays as the screen gives it.
                if (control && control->definition().textColor) continue;
                label->ensurePolished();
                const QColor text = label->palette().color(label->foregroundRole());
                const Painted painted = paint(view, label);
                const std::string where = "look " + std::to_string(look) + ", " + window->name() +
                                          " " + label->text().toStdString();
                double worst = 21;
                int glyphPixels = 0;
                bool textColourSeen = false;
                for (int y = 0; y < painted.behind.height(); ++y) {
                    for (int x = 0; x < painted.behind.width(); ++x) {
                        const QColor drawn = painted.withText.pixelColor(x, y);
                        const QColor behind = painted.behind.pixelColor(x, y);
                        if (drawn == behind) continue;
                        ++glyphPixels;
                        worst = std::min(worst, contrast(text, behind));
                        textColourSeen |= std::abs(drawn.red() - text.red()) +
                                              std::abs(drawn.green() - text.green()) +
                                              std::abs(drawn.blue() - text.blue()) <=
                                          12;
                    }
                }
                ASSERT_GT(glyphPixels, 0) << where;
                EXPECT_TRUE(textColourSeen)
                    << where << ": drawn in another colour than " << text.name().toStdString();
                EXPECT_GE(worst, 4.5) << where << ": " << text.name().toStdString();
                ++measured;
            }
        }
    }
    EXPECT_GT(measured, 5 * 40); // every screen's labels, not a handful
}

} // namespace
