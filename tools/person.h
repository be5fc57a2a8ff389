#pragma once

#include "qt/qt_desktop.h"

#include <QString>
#include <stdexcept>
#include <string>

class QAbstractButton;
class QComboBox;
class QListWidget;
class QTableView;

namespace pictures {

// A person at the screens: finds what is shown on an open window by its name and acts on it with
// the mouse and the keyboard, as the program's own users do. Whatever is not there throws, so
// that a changed screen stops the pictures with the reason instead of showing something else.

// The view of an open window.
QWidget* viewOf(const qtui::QtDesktop& desktop, const ui::Window& window);
bool isShown(const qtui::QtDesktop& desktop, const ui::Window& window);

template <typename W>
W* find(const qtui::QtDesktop& desktop, const ui::Window& window, const char* name) {
    if (auto* found = viewOf(desktop, window)->findChild<W*>(QString::fromUtf8(name))) return found;
    throw std::runtime_error("no " + std::string(name) + " on " + window.name());
}

// Types into the box: ASCII from the keyboard, other text committed by an input method as a
// Chinese input method does.
void typeText(QWidget* box, const QString& typed);
void click(QAbstractButton* button);
// Picks the item from the keyboard, one step at a time.
void pick(QComboBox* combo, const QString& item);
void clickRow(QListWidget* list, int row);
void clickRow(QTableView* list, int row);
// An outlook bar: the header of a group, then an item of the open group.
void openGroup(QWidget* bar, const QString& title);
void clickItem(QWidget* bar, const QString& text);
// The main window's toolbar, by the entry's text.
void chooseToolbarEntry(const qtui::QtDesktop& desktop, const ui::Window& mainWindow,
                        const QString& entry);
// The popup menu shown, by the entry's text; false while none is shown.
bool choosePopupEntry(const QString& entry);

} // namespace pictures
