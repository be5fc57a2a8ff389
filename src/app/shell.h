#pragma once

#include "app/app.h"

namespace app {

// Binds the handlers of the login screen and the main window.
void bindShell(App& app);

} // namespace app
