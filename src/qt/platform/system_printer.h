#pragma once

#include "printing/print_device.h"

#include <filesystem>
#include <string>

namespace qtui {

// A printer of the system's print queue, reached through Qt Print Support: an office printer
// for the day close, or a receipt printer with a driver of its own. The ticket is drawn as the
// receipt printer would print it, at most about a receipt printer's size on a wider page, and
// goes on over as many pages as it takes.
class SystemPrinter final : public printing::PrintDevice {
public:
    // The queue's printer by its name; an empty name is the system's default printer.
    SystemPrinter(std::string queueName, int columns);
    // A PDF file as wide as the roll of paper and as long as the ticket, in place of a printer.
    static SystemPrinter toPdfFile(std::filesystem::path file, int columns, int paperMillimetres);

    std::optional<std::string> print(const printing::Ticket& ticket) override;

private:
    SystemPrinter(std::string queueName, std::filesystem::path pdfFile, int columns,
                  int paperMillimetres);

    std::string queueName_;
    std::filesystem::path pdfFile_;
    int columns_;
    int paperMillimetres_;
};

} // namespace qtui
