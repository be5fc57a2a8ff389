#pragma once

#include "app/app.h"

namespace app {

// Greys out the buttons of the screen that the logged-in user may not use, and enables the
// others. A screen without gated buttons is left alone.
void applyGates(App& app, ui::Window& screen);

// The main window's menu items 用户设置 and 公告设置.
void applyMenuGates(App& app);

} // namespace app
