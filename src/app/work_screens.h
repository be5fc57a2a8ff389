#pragma once

#include "app/app.h"

namespace app {

// The order, checkout and records screens lie over the main window, below its toolbar.
void placeOverMainWindow(App& app, ui::Window& screen);

} // namespace app
