#pragma once

#include "printing/escpos.h"
#include "printing/print_device.h"

#include <string>

namespace qtui {

// How long a network printer may take: to accept the connection, and to take the job and answer
// for it.
struct PrinterTimeouts {
    int connectMilliseconds = 3000;
    int sendMilliseconds = 10000;
};

// An ESC/POS printer on the network, reached over raw TCP (port 9100 on most). A job counts as
// printed only once the printer has answered a status request sent after it: a printer that
// takes the connection but not the job would otherwise pass for one that printed.
class NetworkPrinter final : public printing::PrintDevice {
public:
    NetworkPrinter(std::string host, int port, printing::TextEncoding encoding,
                   PrinterTimeouts timeouts = {});
    std::optional<std::string> print(const printing::Ticket& ticket) override;

private:
    std::string host_;
    int port_;
    printing::TextEncoding encoding_;
    PrinterTimeouts timeouts_;
};

} // namespace qtui
