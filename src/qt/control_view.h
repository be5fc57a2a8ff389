#pragma once

#include "ui/controls.h"

#include <QPointer>
#include <QRectF>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;

namespace qtui {

class FontKeeper;

// Below this a text shrunk to fit its box is no longer comfortable to read at the counter.
inline constexpr int kReadablePixels = 12;

// Where a widget draws one line of text, and how. Edit boxes scroll and list cells elide as soon
// as the text's advance outgrows the room; labels, buttons and drop-down lists just draw it and
// are clipped, so there only the glyphs' ink has to stay inside.
struct TextRoom {
    QRectF rect;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool byAdvance = false;
    qreal reserved = 0; // pixels kept beside the text: a line edit's caret
};

// Whether the line, centred vertically in the room, shows whole in the font.
bool lineFits(const QFont& font, const QString& text, const TextRoom& room);
// The room a line edit leaves its text in the current look.
TextRoom lineEditRoom(const QLineEdit* edit);

// One control of the model on screen: it builds the widget, shows the model's state and hands
// what a person does back to the model as its user actions. A write from a handler only updates
// the widget; it never comes back as an event.
class ControlView {
public:
    explicit ControlView(ui::Control& control) : control_(control) {}
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;
    virtual ~ControlView();

    ui::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }

    // The model changed: show it.
    void update(ui::Change change);
    // The window is going: nothing the widget still does may reach the model.
    void detach();
    bool attached() const { return attached_; }

    // Gives the widget and the parts that share its font the definition's font or, where the
    // view set a test its text must pass, the largest smaller one that passes it, down to
    // kReadablePixels. A change of look resets fonts and changes the room around the text, so
    // this runs again once one has settled; views call it when their text changes.
    void refreshFont();

protected:
    // Places the widget, names it after the control and gives it the definition's font, colours
    // and state; key presses are reported to the control's handler.
    void adopt(QWidget* widget, QWidget* keySource = nullptr);
    virtual void show(ui::Change change) = 0;

    // The test a font must pass for the widget to show its whole text; applied at once.
    void fitFont(std::function<bool(const QFont&)> fits);
    // A widget inside the control's that draws its text too: it gets the same font.
    void shareFont(QWidget* part);
    // The room of the text changes with the object's size and style (a scroll area's viewport):
    // the font is chosen again after either changes.
    void watchRoom(QObject* object);

private:
    ui::Control& control_;
    QPointer<QWidget> widget_;
    bool attached_ = true;
    QFont definedFont_;
    std::function<bool(const QFont&)> fits_;
    std::vector<QPointer<QWidget>> fontParts_;
    QPointer<FontKeeper> fontKeeper_;
};

// Builds the view of any control kind; the container is the window's widget or a group box's.
std::unique_ptr<ControlView> makeControlView(ui::Control& control, QWidget* container);

// The builders for the groups of kinds, each giving nothing for a kind it does not build.
std::unique_ptr<ControlView> makeStaticView(ui::Control& control, QWidget* container);
std::unique_ptr<ControlView> makeEntryView(ui::Control& control, QWidget* container);
std::unique_ptr<ControlView> makeListView(ui::Control& control, QWidget* container);
std::unique_ptr<ControlView> makeChartView(ui::Control& control, QWidget* container);

inline QString toQString(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

Qt::Alignment horizontalAlignment(ui::Alignment alignment);

// The model's key code for a Qt key: Enter is 13 as everywhere in the screens.
int modelKeyCode(int qtKey);
int modelModifiers(Qt::KeyboardModifiers modifiers);

} // namespace qtui
