#pragma once

#include "ui/window_def.h"

// The screens as they are defined: every control with its name, kind, container, place and
// design-time contents. Handlers are bound by the screens' own code before a window opens.
namespace ui::screens {

WindowDef mainWindow();
WindowDef loginScreen();
WindowDef orderScreen();
WindowDef checkoutScreen();
WindowDef recordsScreen();
WindowDef userSettingsScreen();
WindowDef restaurantSettingsScreen();
WindowDef backupScreen();
WindowDef dayCloseScreen();
WindowDef printerSettingsScreen();
WindowDef reportsScreen();

} // namespace ui::screens
