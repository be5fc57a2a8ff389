#include "order_history.h"

#include <cstdint>
#include <random>
#include <stdexcept>
#include <utility>

namespace bench {
namespace {

// The restaurant takes orders from 10:00 to 22:00.
constexpr int kOpeningSecond = 10 * 3600;
constexpr int kOpenSeconds = 12 * 3600;
constexpr std::uint64_t kSeed = 20251231;
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

// What the checkout screen stores: the remark box it fills as the amount is typed, then
// whatever the cashier added. Guests mostly pay in round sums.
std::string settledRemark(Random& random, long long amount) {
    const long long received = (amount + 49) / 50 * 50;
    std::string remark = "[实收：" + std::to_string(received) + "元]\r\n[找零：" +
                         std::to_string(received - amount) + "元]";
    if (random.below(25) == 0) remark += "开发票";
    return remark;
}

class HistoryWriter {
public:
    HistoryWriter(SqliteFile& db, const std::vector<std::string>& diningTables,
                  const std::vector<MenuDish>& dishes)
        : orderInsert_(db.prepare("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作, "
                                  "备注) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")),
          lineInsert_(db.prepare(
              "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) VALUES (?, ?, ?, ?, ?, ?)")),
          tables_(diningTables) {
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
            const support::CalendarTime opened{date.year,     date.month,       date.day,
                                               second / 3600, second / 60 % 60, second % 60};
            const int openIndex = k - (orders - kOpenOrderCount);
            writeOrder(opened, lastDay && openIndex >= 0 ? openIndex : -1);
        }
    }

    WrittenHistory written() const { return written_; }

private:
    // `openIndex` is the order's place among the open orders, -1 for a settled one.
    void writeOrder(const support::CalendarTime& opened, int openIndex) {
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
        if (open)
            orderInsert_.bindNull(8);
        else
            orderInsert_.bind(8, settledRemark(random_, amount));
        orderInsert_.run();
        ++written_.orders;

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
    std::vector<std::string> tables_;
    std::vector<const MenuDish*> menu_;
    Random random_{kSeed};
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
        writer.writeDay(*date, static_cast<int>(through - before), day == size.days - 1);
    }
    return writer.written();
}

} // namespace bench
