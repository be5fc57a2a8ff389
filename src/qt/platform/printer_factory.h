#pragma once

#include "printing/printer_setting.h"

namespace qtui {

// The printer a setting describes: a network printer, or a device file. Nothing for a printer
// this desktop cannot reach.
std::unique_ptr<printing::PrintDevice> openPrinter(const printing::PrinterSetting& setting);

} // namespace qtui
