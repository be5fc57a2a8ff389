#pragma once

#include "app/app.h"

#include <array>

namespace app {

// The order, checkout and records screens, and the day close, lie over the main window, below its
// toolbar.
void placeOverMainWindow(App& app, ui::Window& screen);
std::array<ui::Window*, 5> workScreens(App& app);
// Closes the open ones: before the file is replaced, nothing may read it.
void closeWorkScreens(App& app);

} // namespace app
