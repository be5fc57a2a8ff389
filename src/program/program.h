#pragma once

#include "app/app.h"

namespace program {

// Binds the handlers of every screen: the shell's first, then each screen's own.
void bindScreens(app::App& app);

} // namespace program
