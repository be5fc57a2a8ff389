#pragma once

#include "app/app.h"

namespace dayclose {

// The day close screen, reached from the main window's toolbar: the page since the last close,
// the drawer counted, the close confirmed under the next Z number, and every past close.
void bindDayCloseScreen(app::App& app);

} // namespace dayclose
