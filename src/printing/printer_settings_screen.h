#pragma once

#include "app/app.h"
#include "printing/print_jobs.h"

#include <memory>

namespace printing {

// The printer settings screen, reached from the settings menu: the printers with how each is
// reached and what it prints, a test page, and the restaurant's texts for the receipts.
void bindPrinterSettingsScreen(app::App& app, std::shared_ptr<Printing> printing);

} // namespace printing
