#pragma once

#include "app/app.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace dayclose {

// The ways of paying a page counts, in its order: the five of the checkout, then 未记录 for
// orders settled before the way was recorded.
inline constexpr std::size_t kWayCount = 6;
extern const std::array<const char*, kWayCount> kWays;

// One page of the day close: what was settled in its period, after 开始 up to and with 结束
// (sortable moments), and the drawer. Amounts are whole 元.
struct DayFigures {
    std::string from; // empty before the first close: from the first settlement on
    std::string until;
    std::string firstOrder; // the smallest and largest order number settled in the period
    std::string lastOrder;
    std::int64_t bills = 0;
    std::int64_t guests = 0;
    std::int64_t due = 0;
    std::array<std::int64_t, kWayCount> dueByWay{};
    std::int64_t cashReceived = 0;
    std::int64_t cashChange = 0;
    std::int64_t openingFloat = 0; // typed at the previous close
    std::int64_t expectedCash = 0; // the float + cash received − change
    std::int64_t openOrders = 0;   // still at the tables when the page was made
    std::int64_t openAmount = 0;
    std::int64_t deletedOrders = 0;
    std::int64_t deletedAmount = 0;
};

struct ComputedDay {
    std::optional<DayFigures> figures;
    // Why there are none: the file could not be read, or a sum went beyond 64 bits.
    std::string failure;
};

// The figures of everything since the last close up to the moment `until`.
ComputedDay computeDay(app::App& app, const std::string& until);

// A stored close: its Z number, when and by whom, its page, and the drawer as counted.
struct DayClose {
    std::int64_t number = 0;
    std::string closedAt;
    std::string closedBy;
    DayFigures figures;
    std::int64_t countedCash = 0;
    std::int64_t difference = 0; // counted − expected
    std::int64_t nextFloat = 0;
};

struct ClosedDay {
    std::optional<DayClose> close;
    std::string failure;
};

// Closes the day at the moment `until`: the figures are worked out again inside the write
// transaction that stores them under the next Z number, so the stored page is exactly the
// orders of its period and the numbers never have a gap.
ClosedDay closeDay(app::App& app, const std::string& until, std::int64_t countedCash,
                   std::int64_t nextFloat);

// Every close, the newest first; nothing when they could not be read.
std::optional<std::vector<DayClose>> listCloses(app::App& app);

} // namespace dayclose
