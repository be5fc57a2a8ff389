#pragma once

#include "printing/printer_setting.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Printers that keep what they were given, or fail as told, by name.
struct FakePrinters {
    std::map<std::string, std::vector<printing::Ticket>> printed;
    std::map<std::string, std::string> failures;

    printing::PrinterFactory factory() {
        return [this](const printing::PrinterSetting& setting)
                   -> std::unique_ptr<printing::PrintDevice> {
            class Device final : public printing::PrintDevice {
            public:
                Device(FakePrinters& all, std::string name) : all_(all), name_(std::move(name)) {}
                std::optional<std::string> print(const printing::Ticket& ticket) override {
                    if (all_.failures.contains(name_)) return all_.failures[name_];
                    all_.printed[name_].push_back(ticket);
                    return std::nullopt;
                }

            private:
                FakePrinters& all_;
                std::string name_;
            };
            return std::make_unique<Device>(*this, setting.name);
        };
    }
};

} // namespace testing_support
