#pragma once

#include "app/app.h"
#include "printing/printer_setting.h"

#include <optional>
#include <vector>

namespace printing {

// Every printer set up, in the order they were added; nothing when they could not be read.
std::optional<std::vector<PrinterSetting>> readPrinters(app::App& app);
// Adds the printer, or replaces the one of the same name, with its categories, in one
// transaction.
bool storePrinter(app::App& app, const PrinterSetting& printer);
bool deletePrinter(app::App& app, const std::string& name);

} // namespace printing
