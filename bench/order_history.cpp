#include "order_history.h"

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace bench {
namespace {

// The restaurant takes orders from 10:00 to 22:00.
constexpr int kOpeningSecond = 10 * 3600;
constexpr int kOpenSeconds = 12 * 3600;
// A table pays between 15 and 80 minutes after it sat down: the last bill of a day is settled
// before 23:20, ahead of the close.
constexpr int kShortestMealSeconds = 15 * 60;
constexpr int kMealSpreadSeconds = 65 * 60;
constexpr int kCloseSecond = kCloseHour * 3600 + kCloseMinute * 60;
static_assert(kOpeningSecond + kOpenSeconds + kShortestMealSeconds + kMealSpreadSeconds <
              kCloseSecond);
constexpr std::uint64_t kSeed = 20251231;
// The ways of paying and the drawer have an engine of their own, so the orders and their
// lines are the same as in histories made before payments were recorded.
constexpr std::uint64_t kPaymentSeed = 20260101;
constexpr const char* kOperator = "管理员";

// The standard distributions differ between libraries; the engine does not, so numbers are drawn
// from it directly and every library gives the same history.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    int below(int bound) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(bound)); }

private:
    std::mt19937_64 engine_;
};

struct Line {
    const MenuDish* dish;
    int quantity;
};

// 1 to 12 lines, 5 on average: most tables order a few dishes, some order many.
int lineCount(Random& random) {
    return random.below(4) == 0 ? 1 + random.below(12) : 1 + random.below(8);
}

// Distinct dishes, as the order screen refuses a dish twice on one order; most quantities are 1.
std::vector<Line> pickLines(Random& random, std::vector<const MenuDish*>& menu) {
    const int count = lineCount(random);
    std::vector<Line> lines;
    for (int i = 0; i < count; ++i) {
        const int pick = i + random.below(static_cast<int>(menu.size()) - i);
        std::swap(menu[static_cast<std::size_t>(i)], menu[static_cast<std::size_t>(pick)]);
        const int quantity = random.below(5) == 0 ? 2 + random.below(3) : 1;
        lines.push_back({menu[static_cast<std::size_t>(i)], quantity});
    }
    return lines;
}

long long amountOf(const std::vector<Line>& lines) {
    long long amount = 0;
    for (const Line& line : lines)
        amount += static_cast<long long>(line.dish->price) * line.quantity;
    return amount;
}

struct Payment {
    std::string_view way;
    long long received = 0;
    long long change = 0;
};

// Phones first, then cash, cards now and then, and a few bills settled some other way (a
// voucher, an account). Cash is handed over exact or rounded up to a note, and the change
// given back; the other ways pay the amount due, as the checkout then fills it in.
Payment pay(Random& random, long long amount) {
    const int draw = random.below(100);
    const int way = draw < 34 ? 1 : draw < 64 ? 0 : draw < 86 ? 2 : draw < 97 ? 3 : 4;
    if (way != 0) return {kWaysOfPaying[way], amount, 0};
    const int note = random.below(10);
    const long long roundedTo = note < 3 ? 1 : note < 5 ? 10 : note < 8 ? 50 : 100;
    const long long received = (amount + roundedTo - 1) / roundedTo * roundedTo;
    return {kWaysOfPaying[0], received, received - amount};
}

// What the checkout screen stores: the remark box it fills as the amount is typed, then
// whatever the cashier added.
std::string settledRemark(Random& random, const Payment& payment) {
    std::string remark = "[实收：" + std::to_string(payment.received) + "元]\r\n[找零：" +
                         std::to_string(payment.change) + "元]";
    if (random.below(25) == 0) remark += "开发票";
    return remark;
}

support::CalendarTime atSecond(const support::CalendarTime& date, int second) {
    return {date.year, date.month, date.day, second / 3600, second / 60 % 60, second % 60};
}

class HistoryWriter {
public:
    HistoryWriter(SqliteFile& db, const std::vector<std::string>& diningTables,
                  const std::vector<MenuDish>& dishes)
        : orderInsert_(db.prepare("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作, "
                                  "备注) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")),
          lineInsert_(db.prepare(
              "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES (?, ?, ?, ?, ?, ?)")),
          settlementInsert_(db.prepare("INSERT INTO 结账记录 (单号, 结账时间, 应收, 实收, 找零, "
                                       "付款方式, 操作员) VALUES (?, ?, ?, ?, ?, ?, ?)")),
          closeInsert_(db.prepare(kCloseInsert)), tables_(diningTables) {
        for (const MenuDish& dish : dishes)
            menu_.push_back(&dish);
        if (tables_.size() < static_cast<std::size_t>(kOpenOrderCount) || menu_.size() < 12)
            throw std::runtime_error("the menu is too small for the history");
        // The open orders take distinct tables, in a shuffled order.
        for (std::size_t i = tables_.size() - 1; i > 0; --i)
            std::swap(tables_[i],
                      tables_[static_cast<std::size_t>(random_.below(static_cast<int>(i) + 1))]);
    }

    void writeDay(const support::CalendarTime& date, int orders, bool lastDay) {
        const int slot = kOpenSeconds / orders;
        for (int k = 0; k < orders; ++k) {
            const int second = kOpeningSecond + k * slot + random_.below(slot);
            const int openIndex = k - (orders - kOpenOrderCount);
            writeOrder(date, second, lastDay && openIndex >= 0 ? openIndex : -1);
        }
    }

    // The close at the end of the day: its period runs from the previous close, and every figure
    // of its page is summed by SQLite over the settlements of that period, as the day close
    // screen sums them. The drawer as counted is now and then a little off what it should hold.
    void closeDay(const support::CalendarTime& date) {
        const std::string until = support::sortableMoment(atSecond(date, kCloseSecond));
        const bool countedOff = payments_.below(12) == 0;
        const long long difference = countedOff ? payments_.below(31) - 20 : 0;
        closeInsert_.bind(1, written_.closes + 1);
        closeInsert_.bind(2, until);
        if (lastClose_.empty())
            closeInsert_.bindNull(3);
        else
            closeInsert_.bind(3, lastClose_);
        closeInsert_.bind(4, written_.closes == 0 ? 0 : kDrawerFloat);
        closeInsert_.bind(5, difference);
        closeInsert_.bind(6, kDrawerFloat);
        closeInsert_.bind(7, kOperator);
        closeInsert_.run();
        lastClose_ = until;
        ++written_.closes;
    }

    WrittenHistory written() const { return written_; }

private:
    // ?1 Z number, ?2 the close's moment (also the end of its period), ?3 the previous close's
    // moment (NULL for the first), ?4 the float left at the previous close, ?5 the drawer as
    // counted less what it should hold, ?6 the float left for the next day, ?7 the operator.
    // Nothing is open or deleted at a past close: the history's open orders are the last day's.
    static constexpr const char* kCloseInsert =
        "INSERT INTO 日结 (序号, 日结时间, 开始, 结束, 首单, 末单, 单数, 人数, 应收合计, "
        "现金, 微信, 支付宝, 银行卡, 其他, 未记录, 现金实收, 现金找零, 备用金, 应有现金, "
        "实点现金, 差额, 未结单数, 未结金额, 删除单数, 删除金额, 下次备用金, 操作员) "
        "SELECT ?1, ?2, ?3, ?2, 首单, 末单, 单数, 人数, 应收合计, "
        "现金, 微信, 支付宝, 银行卡, 其他, 0, 现金实收, 现金找零, "
        "?4, ?4 + 现金实收 - 现金找零, ?4 + 现金实收 - 现金找零 + ?5, ?5, "
        "0, 0, 0, 0, ?6, ?7 FROM (SELECT MIN(s.单号) AS 首单, MAX(s.单号) AS 末单, "
        "COUNT(*) AS 单数, IFNULL(SUM(o.人数), 0) AS 人数, IFNULL(SUM(s.应收), 0) AS 应收合计, "
        "IFNULL(SUM(CASE s.付款方式 WHEN '现金' THEN s.应收 ELSE 0 END), 0) AS 现金, "
        "IFNULL(SUM(CASE s.付款方式 WHEN '微信' THEN s.应收 ELSE 0 END), 0) AS 微信, "
        "IFNULL(SUM(CASE s.付款方式 WHEN '支付宝' THEN s.应收 ELSE 0 END), 0) AS 支付宝, "
        "IFNULL(SUM(CASE s.付款方式 WHEN '银行卡' THEN s.应收 ELSE 0 END), 0) AS 银行卡, "
        "IFNULL(SUM(CASE s.付款方式 WHEN '其他' THEN s.应收 ELSE 0 END), 0) AS 其他, "
        "IFNULL(SUM(CASE s.付款方式 WHEN '现金' THEN s.实收 ELSE 0 END), 0) AS 现金实收, "
        "IFNULL(SUM(CASE s.付款方式 WHEN '现金' THEN s.找零 ELSE 0 END), 0) AS 现金找零 "
        "FROM 结账记录 s JOIN 流水 o ON o.单号 = s.单号 "
        "WHERE s.结账时间 > IFNULL(?3, '') AND s.结账时间 <= ?2 AND o.状态 <> 0)";

    // `openIndex` is the order's place among the open orders, -1 for a settled one.
    void writeOrder(const support::CalendarTime& date, int second, int openIndex) {
        const support::CalendarTime opened = atSecond(date, second);
        const support::DateTime moment = support::toDateTime(opened);
        const std::string number = support::orderNumber(moment);
        const std::vector<Line> lines = pickLines(random_, menu_);
        const long long amount = amountOf(lines);
        const bool open = openIndex >= 0;
        const std::string& table = open ? tables_[static_cast<std::size_t>(openIndex)]
                                        : tables_[static_cast<std::size_t>(
                                              random_.below(static_cast<int>(tables_.size())))];

        orderInsert_.bind(1, number);
        orderInsert_.bind(2, support::DateTimeText(moment));
        orderInsert_.bind(3, table);
        orderInsert_.bind(4, static_cast<long long>(1 + random_.below(8)));
        orderInsert_.bind(5, amount);
        orderInsert_.bind(6, static_cast<long long>(open ? 0 : 1));
        orderInsert_.bind(7, kOperator);
        const Payment payment = open ? Payment{} : pay(payments_, amount);
        if (open)
            orderInsert_.bindNull(8);
        else
            orderInsert_.bind(8, settledRemark(random_, payment));
        orderInsert_.run();
        ++written_.orders;

        if (!open) {
            const int settledAt =
                second + kShortestMealSeconds + payments_.below(kMealSpreadSeconds);
            settlementInsert_.bind(1, number);
            settlementInsert_.bind(2, support::sortableMoment(atSecond(date, settledAt)));
            settlementInsert_.bind(3, amount);
            settlementInsert_.bind(4, payment.received);
            settlementInsert_.bind(5, payment.change);
            settlementInsert_.bind(6, payment.way);
            settlementInsert_.bind(7, kOperator);
            settlementInsert_.run();
            ++written_.settlements;
        }

        for (const Line& line : lines) {
            lineInsert_.bind(1, number);
            lineInsert_.bind(2, line.dish->name);
            lineInsert_.bind(3, static_cast<long long>(line.dish->price));
            lineInsert_.bind(4, static_cast<long long>(line.quantity));
            lineInsert_.bind(5, static_cast<long long>(line.dish->price) * line.quantity);
            lineInsert_.bind(6, line.dish->category);
            lineInsert_.run();
            ++written_.lines;
        }
    }

    Statement orderInsert_;
    Statement lineInsert_;
    Statement settlementInsert_;
    Statement closeInsert_;
    std::vector<std::string> tables_;
    std::vector<const MenuDish*> menu_;
    Random random_{kSeed};
    Random payments_{kPaymentSeed};
    std::string lastClose_;
    WrittenHistory written_;
};

} // namespace

WrittenHistory writeOrderHistory(SqliteFile& db, const HistorySize& size,
                                 const std::vector<std::string>& diningTables,
                                 const std::vector<MenuDish>& dishes) {
    HistoryWriter writer(db, diningTables, dishes);
    const support::DateTime firstDay = support::toDateTime(kLastDay) - (size.days - 1);
    for (int day = 0; day < size.days; ++day) {
        const auto date = support::toCalendarTime(firstDay + day);
        if (!date) throw std::runtime_error("a day of the history is off the calendar");
        const long long before = static_cast<long long>(size.orders) * day / size.days;
        const long long through = static_cast<long long>(size.orders) * (day + 1) / size.days;
        const bool lastDay = day == size.days - 1;
        writer.writeDay(*date, static_cast<int>(through - before), lastDay);
        if (!lastDay) writer.closeDay(*date);
    }
    return writer.written();
}

} // namespace bench
