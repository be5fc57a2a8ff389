#include "printing/kitchen_orders.h"

#include "printing/kitchen_ticket.h"
#include "printing/printer_settings.h"
#include "store/query.h"
#include "support/date_time.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace printing {
namespace {

struct Dish {
    std::string name;
    std::string category;
    std::int64_t ordered = 0;
    std::int64_t sent = 0;
};

// The order's dishes as ordered now and as last sent, in the order they were first ordered.
std::optional<std::vector<Dish>> dishesOf(app::App& app, const std::string& number) {
    const store::FaultWatch watch = app.watchDatabase();
    std::vector<Dish> dishes;
    store::Query ordered(app.database, "SELECT 菜品, 分类, SUM(数量) FROM 明细 WHERE 单号 = ? "
                                       "GROUP BY 菜品, 分类 ORDER BY MIN(rowid)");
    ordered.bind(number);
    while (ordered.next())
        dishes.push_back({ordered.text(0), ordered.text(1), ordered.integer(2), 0});
    store::Query sent(app.database,
                      "SELECT 菜品, 分类, 已送数量 FROM 送厨记录 WHERE 单号 = ? ORDER BY rowid");
    sent.bind(number);
    while (sent.next()) {
        const std::string name = sent.text(0);
        const auto found = std::find_if(dishes.begin(), dishes.end(),
                                        [&](const Dish& dish) { return dish.name == name; });
        if (found != dishes.end())
            found->sent = sent.integer(2);
        else
            dishes.push_back({name, sent.text(1), 0, sent.integer(2)});
    }
    if (watch.failed()) return std::nullopt;
    return dishes;
}

// Remembers every dish of the order as sent in the quantity ordered now.
bool rememberSent(app::App& app, const std::string& number, const std::vector<Dish>& dishes) {
    store::SqliteTable& table = app.kitchenSent;
    bool stored = app.openTable(table, "送厨记录") && app.database.BeginWriteTransaction() &&
                  table.DeleteWhere({{"单号", number}});
    for (const Dish& dish : dishes)
        stored = stored &&
                 (dish.ordered == 0 || (table.BeginAdd() && table.Write("单号", number) &&
                                        table.Write("菜品", dish.name) &&
                                        store::writeTextOrNothing(table, "分类", dish.category) &&
                                        table.Write("已送数量", dish.ordered) && table.Commit()));
    stored = stored && app.database.CommitTransaction();
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    table.Close();
    return stored;
}

bool takes(const PrinterSetting& printer, const std::string& category) {
    return std::find(printer.categories.begin(), printer.categories.end(), category) !=
           printer.categories.end();
}

} // namespace

KitchenSend sendToKitchen(app::App& app, Printing& printing, const std::string& number,
                          ui::Window& owner) {
    if (!app.openDatabase()) return KitchenSend::Unreadable;
    const auto printers = readPrinters(app);
    const auto dishes = dishesOf(app, number);
    std::string table;
    {
        store::Query order(app.database, "SELECT 台号 FROM 流水 WHERE 单号 = ? LIMIT 1");
        order.bind(number);
        if (order.next()) table = order.text(0);
    }
    if (!printers || !dishes) return KitchenSend::Unreadable;

    const bool firstSend = std::none_of(dishes->begin(), dishes->end(),
                                        [](const Dish& dish) { return dish.sent > 0; });
    KitchenOrder base{KitchenChange::NewOrder,
                      table,
                      number,
                      support::sortableMoment(app.desktop().clock().now()),
                      app.currentUser.name,
                      {}};
    struct Job {
        const PrinterSetting* printer;
        KitchenOrder order;
    };
    std::vector<Job> jobs;
    for (const PrinterSetting& printer : *printers) {
        KitchenOrder added = base;
        added.change = firstSend ? KitchenChange::NewOrder : KitchenChange::Added;
        KitchenOrder cancelled = base;
        cancelled.change = KitchenChange::Cancelled;
        for (const Dish& dish : *dishes) {
            if (!takes(printer, dish.category)) continue;
            if (dish.ordered > dish.sent)
                added.items.push_back({dish.name, dish.ordered - dish.sent});
            if (dish.sent > dish.ordered)
                cancelled.items.push_back({dish.name, dish.sent - dish.ordered});
        }
        for (KitchenOrder* order : {&added, &cancelled})
            if (!order->items.empty()) jobs.push_back({&printer, std::move(*order)});
    }
    if (jobs.empty()) return KitchenSend::NothingNew;

    // Remembered once the last job is done, and only when every printer has its ticket.
    struct Progress {
        std::size_t left = 0;
        bool failed = false;
    };
    auto progress = std::make_shared<Progress>(Progress{jobs.size(), false});
    for (Job& job : jobs) {
        Ticket ticket = kitchenTicket(job.order, job.printer->columns());
        ticket.cut = job.printer->cut;
        const char* what = job.order.change == KitchenChange::Cancelled ? "退菜单"
                           : job.order.change == KitchenChange::Added   ? "加菜单"
                                                                        : "厨房单";
        printing.print(*job.printer, std::move(ticket), owner, {what, "重新送厨"},
                       [&app, number, dishes = *dishes, progress](bool printed) {
                           progress->failed = progress->failed || !printed;
                           if (--progress->left == 0 && !progress->failed)
                               rememberSent(app, number, dishes);
                       });
    }
    return KitchenSend::Sent;
}

} // namespace printing
