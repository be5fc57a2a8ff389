#include "qt/platform/printer_factory.h"

#include "qt/platform/device_printer.h"
#include "qt/platform/network_printer.h"
#include "qt/platform/system_printer.h"
#include "support/path_text.h"

namespace qtui {

std::unique_ptr<printing::PrintDevice> openPrinter(const printing::PrinterSetting& setting) {
    switch (setting.link) {
    case printing::PrinterLink::Network:
        return std::make_unique<NetworkPrinter>(setting.address, setting.port, setting.encoding);
    case printing::PrinterLink::Device:
        return std::make_unique<DevicePrinter>(support::pathFromText(setting.address),
                                               setting.encoding);
    case printing::PrinterLink::System:
        return std::make_unique<SystemPrinter>(setting.address, setting.columns());
    }
    return nullptr;
}

} // namespace qtui
