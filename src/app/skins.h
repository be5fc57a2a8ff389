#pragma once

#include "app/app.h"

namespace app {

// Applies the look chosen in the main window's skin list (nothing for no choice) and stores the
// index in the logged-in user's record, found by the name the main window shows.
void applyAndStoreSkin(App& app);

} // namespace app
