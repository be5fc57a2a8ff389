#pragma once

#include "app/app.h"

namespace settings {

// The user settings screen: adding, changing and deleting users on its left half, granting the
// ten permissions on its right. The administrator, first in table order, keeps its name, its
// record and its permissions here; only its password can change.
void bindUserSettingsScreen(app::App& app);

} // namespace settings
