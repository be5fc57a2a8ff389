#pragma once

#include "printing/ticket.h"

#include <optional>
#include <string>

namespace printing {

// A printer as a job reaches it: over the network, through a device file or the system's queue.
// The real ones live with the desktop's platform code; tests use a printer of their own.
// print() blocks until the printer has the job or has failed, so it runs off the screen thread.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // Nothing when the printer has the job; otherwise what went wrong, in a few words for the
    // staff ("无法连接", "打印机没有应答").
    virtual std::optional<std::string> print(const Ticket& ticket) = 0;
};

} // namespace printing
