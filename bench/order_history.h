#pragma once

#include "restaurant_menu.h"
#include "sqlite_file.h"
#include "support/date_time.h"

#include <string>
#include <string_view>
#include <vector>

namespace bench {

// How much history a generated database holds: `orders` spread evenly over `days` consecutive
// days, about 137 a day, each with 1 to 12 lines (5 on average).
struct HistorySize {
    std::string_view name;
    int days;
    int orders;
};

inline constexpr HistorySize kHistorySizes[] = {
    {"day", 1, 137},
    {"year", 365, 50'000},
    {"decade", 3650, 500'000},
};

// Every history ends on this day, whatever its size, so reruns give the same file. The last
// orders of that day are still open, each at a table of its own.
inline constexpr support::CalendarTime kLastDay{2025, 12, 31, 0, 0, 0};
inline constexpr int kOpenOrderCount = 30;

// The ways of paying the checkout offers, as stored in 结账记录, cash first.
inline constexpr const char* kWaysOfPaying[] = {"现金", "微信", "支付宝", "银行卡", "其他"};

// Bills are settled before 23:20 and each business day but the last is closed at this time of
// day, so a close's period, after the previous close up to and with this one, holds exactly its
// day's settlements.
inline constexpr int kCloseHour = 23;
inline constexpr int kCloseMinute = 30;
// What the cashier leaves in the drawer for the next day at every close; the first close
// starts from an empty drawer.
inline constexpr long long kDrawerFloat = 500;

struct WrittenHistory {
    long long orders = 0;
    long long lines = 0;
    long long settlements = 0;
    long long closes = 0;
};

// Writes the orders and their lines in time order, as the order and checkout screens would have
// written them: order numbers and times from the opening moment, dish names and prices from the
// menu, each order's amount the sum of its lines, a settled order's remark with the amount
// received and the change, and its row in 结账记录 with the way it was paid. Every day but the
// last is then closed as the day close screen closes it (日结, Z numbers from 1), its figures
// worked out by SQLite from the settlements of its period, so that the last day's bills are
// those since the last close.
WrittenHistory writeOrderHistory(SqliteFile& db, const HistorySize& size,
                                 const std::vector<std::string>& diningTables,
                                 const std::vector<MenuDish>& dishes);

} // namespace bench
