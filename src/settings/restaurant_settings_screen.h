#pragma once

#include "app/app.h"

namespace settings {

// The restaurant settings screen: the dining tables on its left half, the menu on its right.
void bindRestaurantSettingsScreen(app::App& app);

} // namespace settings
