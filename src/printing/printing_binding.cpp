#include "printing/printing_binding.h"

#include "printing/kitchen_orders.h"
#include "printing/page_ticket.h"
#include "printing/print_jobs.h"
#include "printing/printer_settings.h"
#include "printing/printer_settings_screen.h"

#include <functional>
#include <memory>
#include <string>

namespace printing {
namespace {

void reprintSelected(app::App& app, Printing& printing) {
    ui::Window& screen = app.recordsScreen;
    const ui::ListView& list = screen.listView("超级列表框_流水");
    const int selected = list.selectedRow();
    if (selected < 0)
        return static_cast<void>(app.message(screen, "请选择要补打的单！", ui::kWarningBox));
    if (!printing.printReceipt(list.cellText(selected, 1), screen))
        app.message(screen, "没有设置打印小票的打印机，请在打印设置中设置！", ui::kWarningBox);
}

void sendCurrentOrder(app::App& app, Printing& printing) {
    ui::Window& screen = app.orderScreen;
    const std::string number = screen.label("标签_单号").caption();
    if (number.empty())
        return static_cast<void>(
            app.message(screen, "请先开台或切换到要送厨的台号！", ui::kWarningBox));
    switch (sendToKitchen(app, printing, number, screen)) {
    case KitchenSend::Sent:
        return;
    case KitchenSend::NothingNew:
        return static_cast<void>(app.message(screen, "没有需要送厨的菜品！", ui::kInformationBox));
    case KitchenSend::Unreadable:
        return app.reportFailure(screen, app::kReadFailed);
    }
}

void printPreBill(app::App& app, Printing& printing) {
    ui::Window& screen = app.orderScreen;
    const std::string number = screen.label("标签_单号").caption();
    if (number.empty())
        return static_cast<void>(
            app.message(screen, "请先开台或切换到要打印的台号！", ui::kWarningBox));
    if (!printing.printReceipt(number, screen))
        app.message(screen, "没有设置打印小票的打印机，请在打印设置中设置！", ui::kWarningBox);
}

// A page of a screen on every printer that prints the day close, laid out for each one's paper;
// "当前列表无内容！" when `list` is empty.
void printPage(app::App& app, Printing& printing, ui::Window& screen, const ui::ListView& list,
               const Printing::Job& job, const std::function<Ticket(int columns)>& layOut) {
    if (list.rowCount() == 0)
        return static_cast<void>(app.message(screen, "当前列表无内容！", ui::kWarningBox));
    const auto printers = readPrinters(app);
    if (!printers) return app.reportFailure(screen, app::kReadFailed);
    bool any = false;
    for (const PrinterSetting& printer : *printers) {
        if (!printer.dayClose) continue;
        any = true;
        Ticket ticket = layOut(printer.columns());
        ticket.cut = printer.cut;
        printing.print(printer, std::move(ticket), screen, job);
    }
    if (!any)
        app.message(screen, "没有设置打印日结的打印机，请在打印设置中设置！", ui::kWarningBox);
}

// The page the day close screen shows.
void printDayClosePage(app::App& app, Printing& printing) {
    ui::Window& screen = app.dayCloseScreen;
    const ui::ListView& page = screen.listView("超级列表框_本次");
    printPage(app, printing, screen, page, {"日结单", "在日结中重新打印"}, [&](int columns) {
        return pageTicket(screen.label("标签_页面").caption(), page, columns);
    });
}

// The business report as the screen shows it: the period against the one before, and the
// breakdown chosen.
void printReport(app::App& app, Printing& printing) {
    ui::Window& screen = app.reportsScreen;
    const ui::ListView& summary = screen.listView("超级列表框_概况");
    printPage(app, printing, screen, summary, {"营业报表", "在营业报表中重新打印"},
              [&](int columns) {
                  Ticket ticket = pageTicket("营业报表", summary, columns);
                  for (const std::string& piece :
                       wrapToWidth(screen.label("标签_期间").caption(), columns))
                      ticket.lines.push_back({piece});
                  const Ticket rows = pageTicket(screen.comboBox("组合框_分析").content(),
                                                 screen.listView("超级列表框_分析"), columns);
                  ticket.lines.insert(ticket.lines.end(), rows.lines.begin(), rows.lines.end());
                  return ticket;
              });
}

} // namespace

void bindPrinting(app::App& app, PrinterFactory factory) {
    auto printing = std::make_shared<Printing>(app, std::move(factory));
    app.onSettled = [&app, printing](const std::string& number) {
        printing->printReceipt(number, app.checkoutScreen);
    };
    app.recordsScreen.definition().control("按钮_补打").on.clicked = [&app, printing] {
        reprintSelected(app, *printing);
    };
    ui::WindowDef& order = app.orderScreen.definition();
    order.control("按钮_送厨").on.clicked = [&app, printing] { sendCurrentOrder(app, *printing); };
    order.control("按钮_预结单").on.clicked = [&app, printing] { printPreBill(app, *printing); };
    bindPrinterSettingsScreen(app, printing);
    app.dayCloseScreen.definition().control("按钮_打印").on.clicked = [&app, printing] {
        printDayClosePage(app, *printing);
    };
    app.reportsScreen.definition().control("按钮_打印").on.clicked = [&app, printing] {
        printReport(app, *printing);
    };
}

} // namespace printing
