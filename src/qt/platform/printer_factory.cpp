#include "qt/platform/printer_factory.h"

#include "qt/platform/network_printer.h"

#include <fstream>

namespace qtui {
namespace {

// A printer behind a device file, such as the kernel's /dev/usb/lp0 for a USB printer.
class DevicePrinter final : public printing::PrintDevice {
public:
    DevicePrinter(std::string path, printing::TextEncoding encoding)
        : path_(std::move(path)), encoding_(encoding) {}

    std::optional<std::string> print(const printing::Ticket& ticket) override {
        std::ofstream device(path_, std::ios::binary | std::ios::app);
        if (!device) return "无法打开设备";
        device << printing::escPosBytes(ticket, encoding_);
        device.flush();
        if (!device) return "写入失败";
        return std::nullopt;
    }

private:
    std::string path_;
    printing::TextEncoding encoding_;
};

} // namespace

std::unique_ptr<printing::PrintDevice> openPrinter(const printing::PrinterSetting& setting) {
    switch (setting.link) {
    case printing::PrinterLink::Network:
        return std::make_unique<NetworkPrinter>(setting.address, setting.port, setting.encoding);
    case printing::PrinterLink::Device:
        return std::make_unique<DevicePrinter>(setting.address, setting.encoding);
    case printing::PrinterLink::System:
        break;
    }
    return nullptr;
}

} // namespace qtui
