#pragma once

#include "printing/printer_setting.h"

namespace qtui {

// The printer a setting describes: a network printer, a device file or a system printer.
std::unique_ptr<printing::PrintDevice> openPrinter(const printing::PrinterSetting& setting);

} // namespace qtui
