#pragma once

#include "app/app.h"

namespace settings {

// The right half of the restaurant settings screen: one group of the bar per dish category, one
// item per dish, and the buttons that change them.
void bindMenuSettings(app::App& app);

// Fills the bar from the categories and the dishes, with no group open and the category box empty.
// False when they could not all be read; the caller tells the user.
bool fillMenu(app::App& app);

} // namespace settings
