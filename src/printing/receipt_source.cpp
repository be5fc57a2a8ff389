#include "printing/receipt_source.h"

#include "app/program_settings.h"
#include "store/query.h"
#include "store/schema.h"

namespace printing {
namespace {

namespace orders = store::schema::orders;
namespace lines = store::schema::orderLines;

constexpr char kName[] = "餐厅名称";
constexpr char kAddress[] = "餐厅地址";
constexpr char kPhone[] = "餐厅电话";
constexpr char kFooter[] = "小票页脚";

// "20221028120000" as "2022-10-28 12:00:00"; another text as it is.
std::string momentOfNumber(const std::string& number) {
    if (number.size() != 14) return number;
    return number.substr(0, 4) + "-" + number.substr(4, 2) + "-" + number.substr(6, 2) + " " +
           number.substr(8, 2) + ":" + number.substr(10, 2) + ":" + number.substr(12, 2);
}

} // namespace

Restaurant readRestaurant(app::App& app) {
    const auto text = [&app](const char* name) { return app::readSetting(app, name).value_or(""); };
    return {text(kName), text(kAddress), text(kPhone), text(kFooter)};
}

bool storeRestaurant(app::App& app, const Restaurant& restaurant) {
    return app::storeSettings(app, {{kName, restaurant.name},
                                    {kAddress, restaurant.address},
                                    {kPhone, restaurant.phone},
                                    {kFooter, restaurant.footer}});
}

std::optional<Receipt> readReceipt(app::App& app, const std::string& number) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openDatabase()) return std::nullopt;
    Receipt receipt;
    {
        store::Query order(
            app.database,
            "SELECT 台号, 人数, 金额, 备注, 操作, 状态 FROM 流水 WHERE 单号 = ? LIMIT 1");
        order.bind(number);
        if (!order.next()) return std::nullopt;
        receipt.number = number;
        receipt.opened = momentOfNumber(number);
        receipt.table = order.text(0);
        receipt.guests = order.integer(1);
        receipt.total = order.integer(2);
        receipt.remark = order.text(3);
        receipt.operatorName = order.text(4);
        receipt.closed = order.integer(5) != 0;
    }
    store::Query items(app.database,
                       "SELECT 菜品, 单价, 数量, 金额 FROM 明细 WHERE 单号 = ? ORDER BY rowid");
    items.bind(number);
    while (items.next())
        receipt.lines.push_back(
            {items.text(0), items.integer(1), items.integer(2), items.integer(3)});
    store::Query paid(app.database, "SELECT 结账时间, 实收, 找零, 付款方式, 操作员 FROM 结账记录 "
                                    "WHERE 单号 = ? ORDER BY 结账时间 DESC LIMIT 1");
    paid.bind(number);
    if (paid.next()) {
        receipt.settled = paid.text(0);
        receipt.received = paid.integer(1);
        receipt.change = paid.integer(2);
        receipt.way = paid.text(3);
        receipt.operatorName = paid.text(4);
    }
    if (watch.failed()) return std::nullopt;
    return receipt;
}

} // namespace printing
