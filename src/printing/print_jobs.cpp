#include "printing/print_jobs.h"

#include "printing/printer_settings.h"
#include "printing/receipt_source.h"
#include "store/schema.h"

#include <memory>

namespace printing {

bool Printing::printReceipt(const std::string& number, ui::Window& owner) {
    const auto printers = readPrinters(app_);
    const auto receipt = readReceipt(app_, number);
    if (!printers || !receipt) {
        app_.reportFailure(owner, app::kReadFailed);
        return true;
    }
    const Restaurant restaurant = readRestaurant(app_);
    const bool settled = receipt->closed;
    bool any = false;
    for (const PrinterSetting& printer : *printers) {
        if (!printer.receipts) continue;
        any = true;
        Ticket ticket =
            receiptTicket(restaurant, *receipt,
                          settled ? ReceiptKind::Receipt : ReceiptKind::PreBill, printer.columns());
        ticket.cut = printer.cut;
        ticket.openDrawer = printer.openDrawer && settled && receipt->way == store::schema::kCash;
        print(printer, std::move(ticket), owner,
              {settled ? "结账单" : "预结单", "在明细查询中补打"});
    }
    return any;
}

void Printing::print(const PrinterSetting& printer, Ticket ticket, ui::Window& owner, Job job,
                     std::function<void(bool printed)> done) {
    auto failure = std::make_shared<std::optional<std::string>>();
    std::shared_ptr<PrintDevice> device = factory_ ? factory_(printer) : nullptr;
    app_.desktop().runInBackground(
        [device, ticket = std::move(ticket), failure] {
            *failure =
                device ? device->print(ticket) : std::optional<std::string>("无法打开打印机");
        },
        [this, &owner, printer, job = std::move(job), failure, done = std::move(done)] {
            if (done) done(!*failure);
            if (!*failure) return;
            // The window that asked may have closed meanwhile: the main window tells it then.
            ui::Window& teller = owner.isOpen() ? owner : app_.mainWindow;
            app_.message(teller,
                         job.what + "打印失败：打印机" + printer.describe() + **failure +
                             "。\r\n请检查打印机的电源、纸和连接线，然后" + job.again + "。",
                         ui::kWarningBox);
        });
}

} // namespace printing
