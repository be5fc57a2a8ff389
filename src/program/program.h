#pragma once

#include "app/app.h"
#include "printing/printer_setting.h"

namespace program {

// Binds the handlers of every screen: the shell's first, then each screen's own. Printers are
// opened by the factory; without one, a job to a printer fails as a printer that cannot be
// reached does.
void bindScreens(app::App& app, printing::PrinterFactory printers = {});

} // namespace program
