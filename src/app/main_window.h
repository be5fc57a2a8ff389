#pragma once

#include "app/app.h"

namespace app {

// The main window: start-up (the guard, the first login, the user applied), the toolbar, the
// settings menu, the clock, minimise, close, following moves, and shutting down.
void bindMainWindow(App& app);

// Shows the logged-in user: permissions and skin from the record the login left current, the
// name, the gates of every open screen and of the menu, and the announcement.
void applyUser(App& app);

// Starts the program over at the login screen after its file was replaced: the work screens
// close, nobody is logged in, and a cancelled login ends the program as at the first start.
void restartAtLogin(App& app);

} // namespace app
