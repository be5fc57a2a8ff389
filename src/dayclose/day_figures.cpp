#include "dayclose/day_figures.h"

#include "store/query.h"
#include "store/schema.h"
#include "support/checked_math.h"
#include "support/pattern_matcher.h"

#include <algorithm>

namespace dayclose {

const std::array<const char*, kWayCount> kWays = {"现金",   "微信", "支付宝",
                                                  "银行卡", "其他", store::schema::kUnrecordedWay};

namespace {

namespace closes = store::schema::dayCloses;

constexpr char kOverflow[] = "金额超出范围";
constexpr char kUnreadable[] = "读取数据失败";

std::size_t wayIndex(const std::string& way) {
    const auto found =
        std::find_if(kWays.begin(), kWays.end(), [&](const char* known) { return way == known; });
    // A way this program does not offer (written by hand, or by a later version) is 其他.
    return found == kWays.end() ? 4 : static_cast<std::size_t>(found - kWays.begin());
}

// Sums that stop at the first one beyond 64 bits.
class Adder {
public:
    void add(std::int64_t& total, std::int64_t value) {
        const auto sum = support::checkedSum(total, value);
        if (sum)
            total = *sum;
        else
            overflow_ = true;
    }
    void subtract(std::int64_t& total, std::int64_t value) {
        const auto difference = support::checkedDifference(total, value);
        if (difference)
            total = *difference;
        else
            overflow_ = true;
    }
    bool overflow() const { return overflow_; }

private:
    bool overflow_ = false;
};

void noteOrder(DayFigures& day, const std::string& number) {
    if (day.firstOrder.empty() || number < day.firstOrder) day.firstOrder = number;
    if (number > day.lastOrder) day.lastOrder = number;
}

// Where the page of the first close begins for orders settled before the way was recorded: the
// day of the first recorded settlement, or the day of the close when there is none.
std::string firstLegacyBound(app::App& app, const std::string& until) {
    store::Query first(app.database, "SELECT MIN(结账时间) FROM 结账记录");
    const std::string earliest = first.next() && !first.isNull(0) ? first.text(0) : until;
    return support::KeepDigits(earliest).substr(0, 8);
}

} // namespace

ComputedDay computeDay(app::App& app, const std::string& until) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openDatabase()) return {std::nullopt, kUnreadable};
    DayFigures day;
    day.until = until;
    Adder adder;

    std::string legacyFrom;
    {
        store::Query last(app.database,
                          "SELECT 结束, 下次备用金 FROM 日结 ORDER BY 序号 DESC LIMIT 1");
        if (last.next()) {
            day.from = last.text(0);
            day.openingFloat = last.integer(1);
            legacyFrom = support::KeepDigits(day.from);
        } else {
            legacyFrom = firstLegacyBound(app, until);
        }
    }

    store::Query settled(app.database, "SELECT s.单号, s.应收, s.实收, s.找零, s.付款方式, o.人数 "
                                       "FROM 结账记录 s JOIN 流水 o ON o.单号 = s.单号 "
                                       "WHERE s.结账时间 > ? AND s.结账时间 <= ? AND o.状态 <> 0");
    settled.bind(day.from).bind(until);
    while (settled.next()) {
        const std::size_t way = wayIndex(settled.text(4));
        noteOrder(day, settled.text(0));
        adder.add(day.bills, 1);
        adder.add(day.guests, settled.integer(5));
        adder.add(day.due, settled.integer(1));
        adder.add(day.dueByWay[way], settled.integer(1));
        if (way == 0) {
            adder.add(day.cashReceived, settled.integer(2));
            adder.add(day.cashChange, settled.integer(3));
        }
    }

    // Settled by a program that did not record the way: by the order's own moment and total.
    store::Query unrecorded(app.database,
                            "SELECT o.单号, o.金额, o.人数 FROM 流水 o "
                            "WHERE o.单号 > ? AND o.单号 <= ? AND o.状态 <> 0 AND NOT EXISTS "
                            "(SELECT 1 FROM 结账记录 s WHERE s.单号 = o.单号)");
    unrecorded.bind(legacyFrom).bind(support::KeepDigits(until));
    while (unrecorded.next()) {
        noteOrder(day, unrecorded.text(0));
        adder.add(day.bills, 1);
        adder.add(day.guests, unrecorded.integer(2));
        adder.add(day.due, unrecorded.integer(1));
        adder.add(day.dueByWay[kWayCount - 1], unrecorded.integer(1));
    }

    store::Query open(app.database, "SELECT 金额 FROM 流水 WHERE 状态 = 0");
    while (open.next()) {
        adder.add(day.openOrders, 1);
        adder.add(day.openAmount, open.integer(0));
    }

    store::Query deleted(app.database,
                         "SELECT 金额 FROM 删除记录 WHERE 删除时间 > ? AND 删除时间 <= ?");
    deleted.bind(day.from).bind(until);
    while (deleted.next()) {
        adder.add(day.deletedOrders, 1);
        adder.add(day.deletedAmount, deleted.integer(0));
    }

    day.expectedCash = day.openingFloat;
    adder.add(day.expectedCash, day.cashReceived);
    adder.subtract(day.expectedCash, day.cashChange);
    if (watch.failed()) return {std::nullopt, kUnreadable};
    if (adder.overflow()) return {std::nullopt, kOverflow};
    return {day, {}};
}

namespace {

bool storeClose(app::App& app, const DayClose& close) {
    store::SqliteTable& table = app.dayCloses;
    const DayFigures& day = close.figures;
    if (!app.openTable(table, closes::kTable) || !table.BeginAdd()) return false;
    bool written = table.Write(closes::kNumber, close.number) &&
                   store::writeTextOrNothing(table, closes::kClosedAt, close.closedAt) &&
                   store::writeTextOrNothing(table, closes::kFrom, day.from) &&
                   store::writeTextOrNothing(table, closes::kUntil, day.until) &&
                   store::writeTextOrNothing(table, closes::kFirstOrder, day.firstOrder) &&
                   store::writeTextOrNothing(table, closes::kLastOrder, day.lastOrder) &&
                   store::writeTextOrNothing(table, closes::kOperator, close.closedBy);
    const std::pair<const char*, std::int64_t> numbers[] = {
        {closes::kBills, day.bills},
        {closes::kGuests, day.guests},
        {closes::kDue, day.due},
        {closes::kCashReceived, day.cashReceived},
        {closes::kCashChange, day.cashChange},
        {closes::kFloat, day.openingFloat},
        {closes::kExpectedCash, day.expectedCash},
        {closes::kCountedCash, close.countedCash},
        {closes::kDifference, close.difference},
        {closes::kOpenOrders, day.openOrders},
        {closes::kOpenAmount, day.openAmount},
        {closes::kDeletedOrders, day.deletedOrders},
        {closes::kDeletedAmount, day.deletedAmount},
        {closes::kNextFloat, close.nextFloat},
    };
    for (const auto& [field, value] : numbers)
        written = written && table.Write(field, value);
    for (std::size_t way = 0; way < kWayCount; ++way)
        written = written && table.Write(kWays[way], day.dueByWay[way]);
    return written && table.Commit();
}

// The Z number after the last, read inside the close's write transaction; 0 when unreadable.
std::int64_t nextNumber(app::App& app) {
    store::Query last(app.database, "SELECT COALESCE(MAX(序号), 0) FROM 日结");
    return last.next() ? last.integer(0) + 1 : 0;
}

} // namespace

ClosedDay closeDay(app::App& app, const std::string& until, std::int64_t countedCash,
                   std::int64_t nextFloat) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openDatabase() || !app.database.BeginWriteTransaction()) return {{}, kUnreadable};
    ClosedDay outcome;
    ComputedDay day = computeDay(app, until);
    if (day.figures) {
        DayClose close;
        close.number = nextNumber(app);
        close.closedAt = until;
        close.closedBy = app.currentUser.name;
        close.figures = *day.figures;
        close.countedCash = countedCash;
        close.nextFloat = nextFloat;
        const auto difference = support::checkedDifference(countedCash, close.figures.expectedCash);
        close.difference = difference.value_or(0);
        if (!difference)
            outcome.failure = kOverflow;
        else if (close.number > 0 && !watch.failed() && storeClose(app, close) &&
                 app.database.CommitTransaction())
            outcome.close = close;
        else
            outcome.failure = "日结保存失败";
    } else {
        outcome.failure = day.failure;
    }
    if (app.database.InTransaction()) app.database.RollbackTransaction();
    app.dayCloses.Close();
    return outcome;
}

std::optional<std::vector<DayClose>> listCloses(app::App& app) {
    const store::FaultWatch watch = app.watchDatabase();
    if (!app.openDatabase()) return std::nullopt;
    store::Query all(app.database,
                     "SELECT 序号, 日结时间, 操作员, 开始, 结束, 首单, 末单, 单数, 人数, 应收合计, "
                     "现金, 微信, 支付宝, 银行卡, 其他, 未记录, 现金实收, 现金找零, 备用金, "
                     "应有现金, 实点现金, 差额, 未结单数, 未结金额, 删除单数, 删除金额, "
                     "下次备用金 FROM 日结 ORDER BY 序号 DESC");
    std::vector<DayClose> list;
    while (all.next()) {
        DayClose close;
        DayFigures& day = close.figures;
        close.number = all.integer(0);
        close.closedAt = all.text(1);
        close.closedBy = all.text(2);
        day.from = all.text(3);
        day.until = all.text(4);
        day.firstOrder = all.text(5);
        day.lastOrder = all.text(6);
        int column = 7;
        for (std::int64_t* field : {&day.bills, &day.guests, &day.due})
            *field = all.integer(column++);
        for (std::int64_t& way : day.dueByWay)
            way = all.integer(column++);
        for (std::int64_t* field :
             {&day.cashReceived, &day.cashChange, &day.openingFloat, &day.expectedCash,
              &close.countedCash, &close.difference, &day.openOrders, &day.openAmount,
              &day.deletedOrders, &day.deletedAmount, &close.nextFloat})
            *field = all.integer(column++);
        list.push_back(std::move(close));
    }
    if (watch.failed()) return std::nullopt;
    return list;
}

} // namespace dayclose
