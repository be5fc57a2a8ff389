#pragma once

#include "app/app.h"
#include "printing/printer_setting.h"

namespace printing {

// Receipts printed after each settle and again with 补打 on the records screen, on the printers
// the factory opens.
void bindPrinting(app::App& app, PrinterFactory factory);

} // namespace printing
