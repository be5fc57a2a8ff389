#pragma once

#include "app/app.h"
#include "printing/printer_setting.h"

#include <functional>
#include <string>

namespace printing {

// The printing of one run: where printers come from, and the receipts.
class Printing {
public:
    Printing(app::App& app, PrinterFactory factory) : app_(app), factory_(std::move(factory)) {}

    // The order's receipt (settled) or pre-bill (still open) on every printer that prints
    // receipts; false when none is set up. Printing goes on off the screen thread; a failure is
    // told on `owner`, naming the printer.
    bool printReceipt(const std::string& number, ui::Window& owner);

    // What a job is, for its warning: "结账单", and how to print it again ("在明细查询中补打").
    struct Job {
        std::string what;
        std::string again;
    };
    // Sends the ticket off the screen thread. The order or the close it shows is stored whatever
    // the printer does; a failure is told once, naming the printer and what to do. `done` hears
    // on the screen thread whether the printer has the job.
    void print(const PrinterSetting& printer, Ticket ticket, ui::Window& owner, Job job,
               std::function<void(bool printed)> done = {});

private:
    app::App& app_;
    PrinterFactory factory_;
};

} // namespace printing
