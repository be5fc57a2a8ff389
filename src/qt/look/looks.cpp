#include "qt/look/looks.h"

#include "qt/look/look_theme.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <utility>

// A static library's resources are only linked in when something refers to them, and the macro
// has to be used outside any namespace.
static void initLookResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(looks);
        return true;
    }();
    (void)done;
}

namespace qtui {
namespace {

// Every look styles the same selectors; only the colours and shapes differ. Labels are left out
// on purpose: a label shows the window behind it unless its screen gives it a colour. One that
// stands on a toolbar is read against the toolbar, which some looks paint dark.
constexpr const char* kSheet = R"qss(
QMainWindow, QDialog { background-color: $window; }
QLabel[onToolBar="true"] { color: $toolText; }
QToolTip { color: $tipText; background-color: $tipBack; border: 1px solid $frame; padding: 3px; }

QPushButton {
    color: $buttonText;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $buttonTop,
        stop:0.5 $buttonMidA, stop:0.51 $buttonMidB, stop:1 $buttonBottom);
    border: $borderWidthpx solid $buttonBorder;
    border-top-color: $buttonBevel;
    border-left-color: $buttonBevel;
    border-radius: $radiuspx;
    padding: 2px 3px;
}
QPushButton:focus { border-color: $focus; }
QPushButton:hover {
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $hoverTop,
        stop:0.5 $hoverMidA, stop:0.51 $hoverMidB, stop:1 $hoverBottom);
    border-color: $hoverBorder;
}
QPushButton:pressed, QPushButton:checked {
    color: $pressedText;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $pressedTop,
        stop:1 $pressedBottom);
    border-color: $buttonBorder;
}
QPushButton:disabled {
    color: $disabledText;
    background-color: $disabledBack;
    border-color: $disabledBorder;
}

QLineEdit, QAbstractSpinBox, QPlainTextEdit, QTextEdit {
    color: $text;
    background-color: $base;
    border: 1px solid $inputBorder;
    selection-background-color: $selection;
    selection-color: $selectionText;
}
QLineEdit, QAbstractSpinBox { border-radius: $inputRadiuspx; padding: 1px 3px; }
QLineEdit { lineedit-password-character: 42; }
QLineEdit:focus, QAbstractSpinBox:focus, QPlainTextEdit:focus, QTextEdit:focus {
    border-color: $focus;
}
QLineEdit[readOnly="true"], QAbstractSpinBox[readOnly="true"], QPlainTextEdit[readOnly="true"],
QTextEdit[readOnly="true"] {
    background-color: $readOnly;
}
QLineEdit:disabled, QAbstractSpinBox:disabled, QPlainTextEdit:disabled, QTextEdit:disabled {
    color: $disabledText;
    background-color: $disabledBack;
    border-color: $disabledBorder;
}
QAbstractSpinBox::up-button, QAbstractSpinBox::down-button {
    subcontrol-origin: padding;
    width: 16px;
    border-left: 1px solid $inputBorder;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $buttonTop,
        stop:1 $buttonBottom);
}
QAbstractSpinBox::up-button {
    subcontrol-position: top right;
    border-top-right-radius: $inputRadiuspx;
}
QAbstractSpinBox::down-button {
    subcontrol-position: bottom right;
    border-bottom-right-radius: $inputRadiuspx;
}
QAbstractSpinBox::up-button:hover,
QAbstractSpinBox::down-button:hover {
    background-color: $hoverBottom;
}
QAbstractSpinBox::up-arrow { image: url(:/look/arrow_up.svg); width: 7px; height: 7px; }
QAbstractSpinBox::down-arrow { image: url(:/look/arrow_down.svg); width: 7px; height: 7px; }
QAbstractSpinBox::up-arrow:disabled, QAbstractSpinBox::up-arrow:off {
    image: url(:/look/arrow_up_disabled.svg);
}
QAbstractSpinBox::down-arrow:disabled, QAbstractSpinBox::down-arrow:off {
    image: url(:/look/arrow_down_disabled.svg);
}
/* The drop-down's own edge parts the date from the button: no padding is needed there. */
QDateEdit, QDateTimeEdit { padding-right: 0px; }
QDateEdit::drop-down, QDateTimeEdit::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: center right;
    width: 18px;
    border: none;
    border-left: 1px solid $inputBorder;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $buttonTop,
        stop:1 $buttonBottom);
}
QDateEdit::down-arrow, QDateTimeEdit::down-arrow {
    image: url(:/look/arrow_down.svg);
    width: 9px;
    height: 9px;
}
QDateEdit::down-arrow:disabled, QDateTimeEdit::down-arrow:disabled {
    image: url(:/look/arrow_down_disabled.svg);
}

QComboBox {
    color: $text;
    background-color: $base;
    border: 1px solid $inputBorder;
    border-radius: $inputRadiuspx;
    padding: 1px 4px 1px 5px;
    selection-background-color: $selection;
    selection-color: $selectionText;
}
QComboBox:hover, QComboBox:focus, QComboBox:on { border-color: $focus; }
QComboBox:disabled {
    color: $disabledText;
    background-color: $disabledBack;
    border-color: $disabledBorder;
}
QComboBox::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: center right;
    width: 18px;
    border: none;
    border-left: 1px solid $inputBorder;
    border-top-right-radius: $inputRadiuspx;
    border-bottom-right-radius: $inputRadiuspx;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $buttonTop,
        stop:1 $buttonBottom);
}
QComboBox::drop-down:disabled {
    background-color: $disabledBack;
    border-left-color: $disabledBorder;
}
QComboBox::down-arrow { image: url(:/look/arrow_down.svg); width: 9px; height: 9px; }
QComboBox::down-arrow:disabled { image: url(:/look/arrow_down_disabled.svg); }
QComboBox QAbstractItemView {
    color: $menuText;
    background-color: $menuBack;
    border: 1px solid $menuBorder;
    selection-background-color: $selection;
    selection-color: $selectionText;
    outline: 0;
}

QAbstractItemView {
    color: $text;
    background-color: $base;
    alternate-background-color: $alternate;
    border: 1px solid $frame;
    selection-background-color: $selection;
    selection-color: $selectionText;
}
QAbstractItemView:disabled { color: $disabledText; background-color: $disabledBack; }
QTableView { gridline-color: $grid; }
QHeaderView { background-color: $headerBottom; border: none; }
QHeaderView::section {
    color: $headerText;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $headerTop,
        stop:1 $headerBottom);
    border: none;
    border-right: 1px solid $headerBorder;
    border-bottom: 1px solid $headerBorder;
    padding: 2px 5px;
}
QHeaderView::section:disabled { color: $disabledText; }
QTableCornerButton::section {
    background-color: $headerBottom;
    border: none;
    border-right: 1px solid $headerBorder;
    border-bottom: 1px solid $headerBorder;
}

QToolBar {
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $toolbarTop,
        stop:1 $toolbarBottom);
    border: none;
    border-bottom: 1px solid $line;
    padding: 2px;
    spacing: 3px;
}
QToolBar::separator { background-color: $toolDisabledText; width: 1px; margin: 8px 5px; }
QToolButton {
    color: $buttonText;
    background-color: transparent;
    border: 1px solid transparent;
    border-radius: $radiuspx;
    padding: 2px 4px;
}
QToolButton:hover { background-color: $hoverBottom; border-color: $hoverBorder; }
QToolButton:pressed, QToolButton:checked { background-color: $pressedBottom; color: $pressedText; }
QToolButton:disabled {
    color: $disabledText;
    background-color: transparent;
    border-color: transparent;
}
QToolBar QToolButton { color: $toolText; padding: 3px 8px; }
QToolBar QToolButton:hover {
    background-color: $toolHover;
    border-color: $toolHoverBorder;
    color: $toolText;
}
QToolBar QToolButton:pressed, QToolBar QToolButton:checked {
    background-color: $toolPressed;
    border-color: $toolHoverBorder;
    color: $toolPressedText;
}
QToolBar QToolButton:disabled {
    color: $toolDisabledText;
    background-color: transparent;
    border-color: transparent;
}

QMenu {
    color: $menuText;
    background-color: $menuBack;
    border: 1px solid $menuBorder;
    padding: 4px 0px;
}
QMenu::item {
    background-color: transparent;
    border: 1px solid transparent;
    padding: 5px 26px 5px 10px;
    margin: 0px 3px;
}
QMenu::item:selected {
    color: $menuSelectedText;
    background-color: $menuSelected;
    border-radius: $smallRadiuspx;
}
QMenu::item:disabled { color: $menuDisabledText; background-color: transparent; }
QMenu::icon { padding-left: 6px; }
QMenu::separator { height: 1px; background-color: $menuSeparator; margin: 4px 8px; }

QStatusBar { color: $statusText; background-color: $statusBack; border-top: 1px solid $frame; }
QStatusBar::item { border: none; }
QStatusBar QLabel { color: $statusText; }

.QFrame[frameShape="1"], .QFrame[frameShape="2"], .QFrame[frameShape="3"], .QFrame[frameShape="6"] {
    border: 1px solid $frame;
    border-radius: $smallRadiuspx;
}
QFrame[frameShape="4"], QFrame[frameShape="5"] { color: $line; }
QGroupBox {
    color: $text;
    border: 1px solid $frame;
    border-radius: $smallRadiuspx;
    margin-top: 8px;
    padding-top: 4px;
}
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0px 3px; }

QTabWidget::pane { border: 1px solid $frame; top: -1px; }
QTabBar::tab {
    color: $buttonText;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $buttonTop,
        stop:1 $buttonBottom);
    border: 1px solid $buttonBorder;
    border-top-left-radius: $smallRadiuspx;
    border-top-right-radius: $smallRadiuspx;
    padding: 4px 12px;
    margin-right: 2px;
}
QTabBar::tab:selected { background-color: $window; border-bottom-color: $window; }
QTabBar::tab:!selected:hover { background-color: $hoverBottom; }
QTabBar::tab:disabled { color: $disabledText; background-color: $disabledBack; }

QCalendarWidget QWidget {
    selection-background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 $navTop,
        stop:1 $navBottom);
    selection-color: $navText;
}
QCalendarWidget QAbstractItemView {
    color: $text;
    background-color: $base;
    alternate-background-color: $alternate;
    selection-background-color: $selection;
    selection-color: $selectionText;
    border: none;
    outline: 0;
}
QCalendarWidget QAbstractItemView:disabled { color: $disabledText; }
QCalendarWidget QToolButton {
    color: $navText;
    background-color: transparent;
    border: 1px solid transparent;
    border-radius: $smallRadiuspx;
    padding: 2px 6px;
    font-weight: bold;
}
QCalendarWidget QToolButton:hover {
    border-color: $navText;
    background-color: transparent;
    color: $navText;
}
QCalendarWidget QToolButton::menu-indicator { image: none; width: 0px; }
QCalendarWidget QSpinBox { color: $text; background-color: $base; }

QScrollBar:vertical { background-color: $scrollGroove; width: 14px; margin: 0px; border: none; }
QScrollBar:horizontal { background-color: $scrollGroove; height: 14px; margin: 0px; border: none; }
QScrollBar::handle { background-color: $scrollHandle; border-radius: 4px; }
QScrollBar::handle:hover, QScrollBar::handle:pressed { background-color: $scrollHandleHover; }
QScrollBar::handle:vertical { min-height: 24px; margin: 2px 3px; }
QScrollBar::handle:horizontal { min-width: 24px; margin: 3px 2px; }
QScrollBar::add-line, QScrollBar::sub-line {
    width: 0px;
    height: 0px;
    border: none;
    background: none;
}
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)qss";

using Colour = const char* LookTheme::*;

// The template's names for the theme's colours.
constexpr std::pair<const char*, Colour> kColourTokens[] = {
    {"window", &LookTheme::window},
    {"text", &LookTheme::text},
    {"base", &LookTheme::base},
    {"readOnly", &LookTheme::readOnly},
    {"inputBorder", &LookTheme::inputBorder},
    {"focus", &LookTheme::focus},
    {"buttonTop", &LookTheme::buttonTop},
    {"buttonBottom", &LookTheme::buttonBottom},
    {"buttonBorder", &LookTheme::buttonBorder},
    {"buttonBevel", &LookTheme::buttonBevel},
    {"buttonText", &LookTheme::buttonText},
    {"hoverTop", &LookTheme::hoverTop},
    {"hoverBottom", &LookTheme::hoverBottom},
    {"hoverBorder", &LookTheme::hoverBorder},
    {"pressedTop", &LookTheme::pressedTop},
    {"pressedBottom", &LookTheme::pressedBottom},
    {"pressedText", &LookTheme::pressedText},
    {"disabledBack", &LookTheme::disabledBack},
    {"disabledText", &LookTheme::disabledText},
    {"disabledBorder", &LookTheme::disabledBorder},
    {"selection", &LookTheme::selection},
    {"selectionText", &LookTheme::selectionText},
    {"headerTop", &LookTheme::headerTop},
    {"headerBottom", &LookTheme::headerBottom},
    {"headerText", &LookTheme::headerText},
    {"headerBorder", &LookTheme::headerBorder},
    {"grid", &LookTheme::grid},
    {"alternate", &LookTheme::alternate},
    {"toolbarTop", &LookTheme::toolbarTop},
    {"toolbarBottom", &LookTheme::toolbarBottom},
    {"toolText", &LookTheme::toolText},
    {"toolDisabledText", &LookTheme::toolDisabledText},
    {"toolHover", &LookTheme::toolHover},
    {"toolHoverBorder", &LookTheme::toolHoverBorder},
    {"toolPressed", &LookTheme::toolPressed},
    {"toolPressedText", &LookTheme::toolPressedText},
    {"menuBack", &LookTheme::menuBack},
    {"menuText", &LookTheme::menuText},
    {"menuBorder", &LookTheme::menuBorder},
    {"menuSelected", &LookTheme::menuSelected},
    {"menuSelectedText", &LookTheme::menuSelectedText},
    {"menuDisabledText", &LookTheme::menuDisabledText},
    {"menuSeparator", &LookTheme::menuSeparator},
    {"scrollGroove", &LookTheme::scrollGroove},
    {"scrollHandle", &LookTheme::scrollHandle},
    {"scrollHandleHover", &LookTheme::scrollHandleHover},
    {"frame", &LookTheme::frame},
    {"line", &LookTheme::line},
    {"statusBack", &LookTheme::statusBack},
    {"statusText", &LookTheme::statusText},
    {"tipBack", &LookTheme::tipBack},
    {"tipText", &LookTheme::tipText},
    {"navTop", &LookTheme::navTop},
    {"navBottom", &LookTheme::navBottom},
    {"navText", &LookTheme::navText},
};

bool inRange(int index) {
    return index >= 0 && index < kLookCount;
}

QColor mix(const char* from, const char* to, double share) {
    const QColor a(QString::fromLatin1(from));
    const QColor b(QString::fromLatin1(to));
    const auto channel = [share](int x, int y) {
        return static_cast<int>(x + (y - x) * share + 0.5);
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

// The two colours either side of a button's middle: the same on smooth looks, a step apart on
// glossy ones.
std::pair<QString, QString> middle(const LookTheme& theme, const char* top, const char* bottom) {
    if (!theme.glossy) {
        const QString even = mix(top, bottom, 0.5).name();
        return {even, even};
    }
    return {mix(top, bottom, 0.2).name(), mix(top, bottom, 0.75).name()};
}

QHash<QString, QString> tokens(const LookTheme& theme) {
    QHash<QString, QString> values;
    for (const auto& [token, colour] : kColourTokens)
        values.insert(QString::fromLatin1(token), QString::fromLatin1(theme.*colour));
    const auto [buttonA, buttonB] = middle(theme, theme.buttonTop, theme.buttonBottom);
    values.insert(QStringLiteral("buttonMidA"), buttonA);
    values.insert(QStringLiteral("buttonMidB"), buttonB);
    const auto [hoverA, hoverB] = middle(theme, theme.hoverTop, theme.hoverBottom);
    values.insert(QStringLiteral("hoverMidA"), hoverA);
    values.insert(QStringLiteral("hoverMidB"), hoverB);
    values.insert(QStringLiteral("radius"), QString::number(theme.radius));
    // Edit boxes are often only 20 pixels high; a full pink curve would eat into the text.
    values.insert(QStringLiteral("inputRadius"), QString::number(std::min(theme.radius, 5)));
    values.insert(QStringLiteral("smallRadius"), QString::number(std::min(theme.radius, 4)));
    values.insert(QStringLiteral("borderWidth"), QString::number(theme.borderWidth));
    return values;
}

// "$name" in the template becomes the theme's value; "px" and other letters may follow a number
// token directly, so a name is the longest known token at that place.
QString fill(const QString& sheet, const QHash<QString, QString>& values) {
    QString out;
    out.reserve(sheet.size() + sheet.size() / 4);
    qsizetype at = 0;
    while (at < sheet.size()) {
        const qsizetype dollar = sheet.indexOf(QLatin1Char('$'), at);
        if (dollar < 0) {
            out += QStringView(sheet).mid(at);
            break;
        }
        out += QStringView(sheet).mid(at, dollar - at);
        qsizetype end = dollar + 1;
        while (end < sheet.size() && sheet.at(end).isLetter())
            ++end;
        qsizetype take = end;
        while (take > dollar + 1 && !values.contains(sheet.mid(dollar + 1, take - dollar - 1)))
            --take;
        Q_ASSERT_X(take > dollar + 1, "fill", "unknown look token");
        out += values.value(sheet.mid(dollar + 1, take - dollar - 1));
        at = take;
    }
    return out;
}

// Empty for a name the program has no picture for, so the renderer never complains about it;
// a name is a plain word, never a path into other parts of the resource.
QString svgPath(const QString& name) {
    initLookResources();
    static const QRegularExpression plainName(QStringLiteral("^[a-z0-9_]+$"));
    if (!plainName.match(name).hasMatch()) return {};
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    return QFile::exists(path) ? path : QString();
}

} // namespace

int lookCount() {
    return kLookCount;
}

QString lookName(int index) {
    if (!inRange(index)) return {};
    return QString::fromUtf8(lookThemes()[static_cast<std::size_t>(index)].name);
}

QString lookStyleSheet(int index) {
    if (!inRange(index)) return {};
    initLookResources(); // the sheet points at arrow pictures in the resource
    return fill(QString::fromLatin1(kSheet), tokens(lookThemes()[static_cast<std::size_t>(index)]));
}

QPalette lookPalette(int index) {
    if (!inRange(index)) return {};
    const LookTheme& theme = lookThemes()[static_cast<std::size_t>(index)];
    const auto colour = [](const char* hex) { return QColor(QString::fromLatin1(hex)); };
    const QColor window = colour(theme.window);
    const QColor button = mix(theme.buttonTop, theme.buttonBottom, 0.5);
    QPalette palette(button, window);
    palette.setColor(QPalette::WindowText, colour(theme.text));
    palette.setColor(QPalette::Base, colour(theme.base));
    palette.setColor(QPalette::AlternateBase, colour(theme.alternate));
    palette.setColor(QPalette::Text, colour(theme.text));
    palette.setColor(QPalette::ButtonText, colour(theme.buttonText));
    palette.setColor(QPalette::BrightText, colour(theme.selectionText));
    palette.setColor(QPalette::Highlight, colour(theme.selection));
    palette.setColor(QPalette::HighlightedText, colour(theme.selectionText));
    palette.setColor(QPalette::ToolTipBase, colour(theme.tipBack));
    palette.setColor(QPalette::ToolTipText, colour(theme.tipText));
    palette.setColor(QPalette::PlaceholderText, colour(theme.disabledText));
    palette.setColor(QPalette::Link, colour(theme.focus));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, colour(theme.disabledText));
    palette.setColor(QPalette::Disabled, QPalette::Base, colour(theme.disabledBack));
    palette.setColor(QPalette::Disabled, QPalette::Button, colour(theme.disabledBack));
    return palette;
}

bool applyLook(int index) {
    if (!inRange(index)) return false;
    // The palette first: the style sheet then builds on it, and plain windows, which no selector
    // can tell from the widgets they hold, take their background from it.
    QApplication::setPalette(lookPalette(index));
    qApp->setStyleSheet(lookStyleSheet(index));
    return true;
}

QIcon icon(const QString& name) {
    const QString path = svgPath(name);
    if (path.isEmpty() || !QSvgRenderer(path).isValid()) return {};
    // Drawn ahead at the sizes a toolbar, a menu and a window title ask for, so no size is a
    // blurred scaling of another.
    QIcon result;
    for (const int side : {16, 20, 24, 32, 40, 48, 64, 128, 256})
        result.addPixmap(iconPixmap(name, QSize(side, side)));
    return result;
}

QPixmap iconPixmap(const QString& name, QSize size) {
    const QString path = svgPath(name);
    if (size.isEmpty() || path.isEmpty()) return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Square pictures stay square in a box of another shape, centred.
    const int side = std::min(size.width(), size.height());
    const QRectF target((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace qtui
