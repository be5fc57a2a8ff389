#pragma once

#include "printing/escpos.h"
#include "printing/print_device.h"

#include <filesystem>

namespace qtui {

// A receipt printer behind a device file, such as the kernel's /dev/usb/lp0 for a USB printer.
// The job has `sendMilliseconds` to go through: a printer out of paper stops taking bytes, and
// the write would otherwise wait for it for ever.
class DevicePrinter final : public printing::PrintDevice {
public:
    DevicePrinter(std::filesystem::path device, printing::TextEncoding encoding,
                  int sendMilliseconds = 10000);
    std::optional<std::string> print(const printing::Ticket& ticket) override;

private:
    std::filesystem::path device_;
    printing::TextEncoding encoding_;
    int sendMilliseconds_;
};

} // namespace qtui
