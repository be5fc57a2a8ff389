#pragma once

#include "qt/qt_desktop.h"
#include "ui/window.h"

#include <functional>
#include <vector>

namespace testing_support {

// The seven screens, in the order the program's toolbar and menu reach them.
const std::vector<std::function<ui::WindowDef()>>& allScreens();

// Fills an open screen with the longest values the program writes into it in daily use (a
// 14-digit order number, the widest dates and times, three-digit guest counts, five-digit
// amounts, the two-line checkout remark), and types what a person types, through the widgets.
void fillLongValues(qtui::QtDesktop& desktop, ui::Window& window);

} // namespace testing_support
