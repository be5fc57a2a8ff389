#pragma once

#include "app/app.h"

namespace app {

// Binds the handlers of the login screen, the main window and the parts of the other screens
// that the shell owns (their place and their gates).
void bindShell(App& app);

} // namespace app
