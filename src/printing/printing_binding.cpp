#include "printing/printing_binding.h"

#include "printing/print_jobs.h"

#include <memory>

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

} // namespace

void bindPrinting(app::App& app, PrinterFactory factory) {
    auto printing = std::make_shared<Printing>(app, std::move(factory));
    app.onSettled = [&app, printing](const std::string& number) {
        printing->printReceipt(number, app.checkoutScreen);
    };
    app.recordsScreen.definition().control("按钮_补打").on.clicked = [&app, printing] {
        reprintSelected(app, *printing);
    };
}

} // namespace printing
