#pragma once

#include "app/app.h"

namespace app {

// The order, checkout and records screens lie over the main window, below its toolbar.
void placeOverMainWindow(App& app, ui::Window& screen);

// What every work screen and the restaurant settings do when they open before their own
// handlers: take their place and grey out what the logged-in user may not use.
void bindWorkScreens(App& app);

} // namespace app
