#include "records/deletion_log.h"

#include "store/query.h"
#include "store/schema.h"
#include "support/date_time.h"
#include "support/pattern_matcher.h"

#include <cstdint>
#include <vector>

namespace records {
namespace {

namespace orders = store::schema::orders;
namespace lines = store::schema::orderLines;
namespace deleted = store::schema::deletedOrders;
namespace deletedLines = store::schema::deletedLines;
namespace users = store::schema::users;

struct Line {
    std::string dish;
    std::int64_t unitPrice = 0;
    std::int64_t quantity = 0;
    std::int64_t amount = 0;
    std::string category;
};

} // namespace

std::optional<bool> belongsToClosedDay(app::App& app, const std::string& number) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openDatabase()) return std::nullopt;
    store::Query lastClose(app.database, "SELECT 结束 FROM 日结 ORDER BY 序号 DESC LIMIT 1");
    const bool anyClose = lastClose.next();
    const std::string closedUntil = anyClose ? lastClose.text(0) : std::string();
    bool closed = false;
    if (anyClose) {
        store::Query order(app.database,
                           "SELECT o.状态, (SELECT MIN(结账时间) FROM 结账记录 s WHERE s.单号 = "
                           "o.单号) FROM 流水 o WHERE o.单号 = ? LIMIT 1");
        order.bind(number);
        if (order.next() && order.integer(0) != orders::kNotSettled)
            closed = order.isNull(1) ? number <= support::KeepDigits(closedUntil)
                                     : order.text(1) <= closedUntil;
    }
    if (watch.failed()) return std::nullopt;
    return closed;
}

bool isAdministrator(app::App& app) {
    const store::FaultWatch watch = app.watchDatabase();
    const bool first = app.openTable(app.users, users::kTable) && app.users.First() &&
                       app.users.ReadText(users::kName) == app.currentUser.name;
    app.users.Close();
    return first && !watch.failed();
}

bool logDeletion(app::App& app, const std::string& number, bool fromClosedDay) {
    const std::string moment = support::sortableMoment(app.desktop().clock().now());
    const store::FaultWatch watch = app.watchDatabase();
    std::vector<Line> deletedLineRows;
    if (!app.openTable(app.orderLines, lines::kTable)) return false;
    app.orderLines.ForEachWhere({{lines::kNumber, number}}, [&] {
        deletedLineRows.push_back(
            {app.orderLines.ReadText(lines::kDish), app.orderLines.ReadInt(lines::kUnitPrice),
             app.orderLines.ReadInt(lines::kQuantity), app.orderLines.ReadInt(lines::kAmount),
             app.orderLines.ReadText(lines::kCategory)});
    });
    store::SqliteTable& log = app.deletedLines;
    bool logged = !watch.failed() && app.openTable(log, deletedLines::kTable);
    for (const Line& line : deletedLineRows)
        logged = logged && log.BeginAdd() && log.Write(deletedLines::kMoment, moment) &&
                 log.Write(lines::kNumber, number) && store::writeTextOrNothing(log, lines::kDish, line.dish) &&
                 log.Write(lines::kUnitPrice, line.unitPrice) &&
                 log.Write(lines::kQuantity, line.quantity) &&
                 log.Write(lines::kAmount, line.amount) &&
                 store::writeTextOrNothing(log, lines::kCategory, line.category) && log.Commit();
    log.Close();

    store::SqliteTable& order = app.orders;
    if (!logged || !app.openTable(order, orders::kTable)) return false;
    const bool found = order.FindFirst({{orders::kNumber, number}});
    store::SqliteTable& entry = app.deletedOrders;
    logged = app.openTable(entry, deleted::kTable) && entry.BeginAdd() &&
             entry.Write(deleted::kMoment, moment) &&
             entry.Write(deleted::kOperator, app.currentUser.name) &&
             entry.Write(deleted::kFromClosedDay, fromClosedDay ? 1 : 0) &&
             entry.Write(orders::kNumber, number);
    if (found) {
        for (const char* text : {orders::kTime, orders::kDiningTable, orders::kRemark})
            logged = logged && store::writeTextOrNothing(entry, text, order.ReadText(text));
        for (const char* integer : {orders::kGuests, orders::kAmount, orders::kState})
            logged = logged && entry.Write(integer, order.ReadInt(integer));
    }
    logged = logged && entry.Commit() && !watch.failed();
    entry.Close();
    return logged;
}

} // namespace records
