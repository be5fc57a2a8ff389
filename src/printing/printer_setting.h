#pragma once

#include "printing/escpos.h"
#include "printing/print_device.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace printing {

// How a printer is reached: raw TCP on the network, a device file (/dev/usb/lp0), or a printer
// of the system's print queue.
enum class PrinterLink { Network, Device, System };

// One printer as the restaurant set it up, and what it prints.
struct PrinterSetting {
    std::string name;
    PrinterLink link = PrinterLink::Network;
    std::string address; // the host, the device file, or the system printer's name
    int port = 9100;
    int paperMillimetres = 80; // 58 or 80
    TextEncoding encoding = TextEncoding::Gb18030;
    bool cut = true;
    bool openDrawer = false; // on a receipt paid in cash
    bool receipts = false;   // receipts and pre-bills
    bool dayClose = false;
    std::vector<std::string> categories; // the dishes it takes as kitchen tickets

    int columns() const;
    // "前台（192.168.1.50:9100）": the name and where it is, for a message.
    std::string describe() const;
};

// Opens the printer a setting describes; the desktop's platform code makes the real ones.
using PrinterFactory = std::function<std::unique_ptr<PrintDevice>(const PrinterSetting&)>;

} // namespace printing
