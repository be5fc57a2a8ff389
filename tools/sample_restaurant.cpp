#include "sample_restaurant.h"

#include "delivered_database.h"
#include "store/schema.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <sqlite3.h>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <vector>

namespace pictures {
namespace {

namespace users = store::schema::users;

// Whatever stops the generation; its text is the reason given to the caller.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The script CMake delivers beside the program, read where the source tree keeps it.
std::string deliveredSql() {
    std::ifstream in(VELTRANO_DATABASE_SQL, std::ios::binary);
    if (!in.is_open()) throw Failure(std::string("cannot read ") + VELTRANO_DATABASE_SQL);
    std::ostringstream text;
    text << in.rdbuf();
    if (text.str().empty()) throw Failure(std::string("empty ") + VELTRANO_DATABASE_SQL);
    return text.str();
}

class Database {
public:
    explicit Database(const std::filesystem::path& file) {
        const std::u8string name = file.u8string();
        sqlite3* handle = nullptr;
        const int opened = sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &handle,
                                           SQLITE_OPEN_READWRITE, nullptr);
        handle_.reset(handle);
        if (opened != SQLITE_OK) throw Failure("cannot open the new database: " + message());
    }

    sqlite3* handle() const { return handle_.get(); }
    std::string message() const { return handle_ ? sqlite3_errmsg(handle_.get()) : "no memory"; }

    void run(const char* sql) {
        if (sqlite3_exec(handle(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw Failure(std::string(sql) + ": " + message());
    }

private:
    struct Closer {
        void operator()(sqlite3* handle) const { sqlite3_close_v2(handle); }
    };
    std::unique_ptr<sqlite3, Closer> handle_;
};

class Statement {
public:
    Statement(Database& database, const std::string& sql) : database_(database) {
        sqlite3_stmt* prepared = nullptr;
        if (sqlite3_prepare_v2(database.handle(), sql.c_str(), -1, &prepared, nullptr) != SQLITE_OK)
            throw Failure(sql + ": " + database.message());
        statement_.reset(prepared);
    }

    void bindText(int parameter, const std::string& text) {
        check(sqlite3_bind_text(statement_.get(), parameter, text.c_str(),
                                static_cast<int>(text.size()), SQLITE_TRANSIENT));
    }
    void bindInt(int parameter, std::int64_t value) {
        check(sqlite3_bind_int64(statement_.get(), parameter, value));
    }

    // True while there is a row to read.
    bool next() {
        const int stepped = sqlite3_step(statement_.get());
        if (stepped == SQLITE_ROW) return true;
        if (stepped != SQLITE_DONE) throw Failure(database_.message());
        return false;
    }
    // Writes once with the bound values, then is ready for the next ones.
    void write() {
        next();
        sqlite3_reset(statement_.get());
        sqlite3_clear_bindings(statement_.get());
    }

    std::string text(int column) const {
        const unsigned char* read = sqlite3_column_text(statement_.get(), column);
        return read ? reinterpret_cast<const char*>(read) : "";
    }

private:
    void check(int result) const {
        if (result != SQLITE_OK) throw Failure(database_.message());
    }

    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    Database& database_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// std::mt19937 gives the same numbers with every standard library, its distributions do not: the
// numbers are brought into range here so that the orders are the same wherever the tool is built.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}

    int below(int count) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(count)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

private:
    std::mt19937 engine_;
};

struct StaffMember {
    const char* name;
    const char* password;
    // In the order of users::kPermissions: 开台 结账 查询 删除 流水导出 单台导出 设置用户 设置餐台
    // 设置菜品 设置公告.
    std::array<int, std::size(users::kPermissions)> permissions;
};

// The manager runs the house but leaves the accounts to the administrator; the cashier settles
// and looks up but deletes nothing; the waiters only open tables and order.
const StaffMember kStaff[] = {
    {"店长-老陈", "2580", {1, 1, 1, 1, 1, 1, 0, 1, 1, 1}},
    {"收银-小王", "6688", {1, 1, 1, 0, 1, 1, 0, 0, 0, 0}},
    {"服务员-小李", "1357", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"服务员-小张", "2468", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
};

void addStaff(Database& database) {
    std::string sql = std::string("INSERT INTO ") + users::kTable + " (" + users::kName + ", " +
                      users::kPassword + ", " + users::kSkin;
    for (const char* permission : users::kPermissions)
        sql += std::string(", ") + permission;
    sql += ") VALUES (?, ?, 0";
    for (std::size_t i = 0; i < std::size(users::kPermissions); ++i)
        sql += ", ?";
    sql += ")";
    Statement insert(database, sql);
    for (const StaffMember& member : kStaff) {
        insert.bindText(1, member.name);
        insert.bindText(2, member.password);
        for (std::size_t i = 0; i < member.permissions.size(); ++i)
            insert.bindInt(static_cast<int>(i) + 3, member.permissions[i]);
        insert.write();
    }
}

struct Dish {
    std::string name;
    std::int64_t price = 0;
    std::string category;
};

// The menu as the order screen sells it: the name before "/", the price from the digits after.
std::vector<Dish> deliveredMenu(Database& database) {
    std::vector<Dish> menu;
    Statement dishes(database, "SELECT 菜品, 分类 FROM 菜品 ORDER BY rowid");
    while (dishes.next()) {
        const std::string text = dishes.text(0);
        const auto slash = text.find('/');
        if (slash == std::string::npos) continue;
        Dish dish{text.substr(0, slash), 0, dishes.text(1)};
        for (std::size_t at = slash + 1; at < text.size() && text[at] >= '0' && text[at] <= '9';
             ++at)
            dish.price = dish.price * 10 + (text[at] - '0');
        menu.push_back(dish);
    }
    if (menu.size() < 5) throw Failure("the delivered menu has fewer than five dishes");
    return menu;
}

std::vector<std::string> deliveredTables(Database& database) {
    std::vector<std::string> tables;
    Statement names(database, "SELECT 餐台 FROM 餐台 ORDER BY rowid");
    while (names.next())
        tables.push_back(names.text(0));
    if (tables.size() < 5) throw Failure("the delivered database has fewer than five tables");
    return tables;
}

// The moments tables were opened on one day of the month: lunch and dinner, busier at the end of
// the week. On the last day only what happened before the pictures, with a full dinner.
std::vector<support::CalendarTime> openingMoments(Dice& dice, int day) {
    const std::chrono::weekday opened{
        std::chrono::sys_days{std::chrono::year{kPictureMoment.year} / kPictureMoment.month / day}};
    const bool busy = opened == std::chrono::Friday || opened == std::chrono::Saturday;
    const bool lastDay = day == kPictureMoment.day;
    std::vector<support::CalendarTime> moments;
    const auto add = [&](int count, int fromMinute, int toMinute) {
        for (int n = 0; n < count; ++n) {
            const int minute = dice.between(fromMinute, toMinute);
            moments.push_back({kPictureMoment.year, kPictureMoment.month, day, minute / 60,
                               minute % 60, dice.between(0, 59)});
        }
    };
    add(dice.between(1, 2), 11 * 60, 13 * 60 + 29);
    if (lastDay)
        add(5, 17 * 60, 19 * 60 + 35);
    else
        add(dice.between(1, 2) + (busy ? 1 : 0), 17 * 60, 20 * 60 + 29);
    std::ranges::sort(moments, [](const auto& a, const auto& b) {
        return std::tie(a.hour, a.minute, a.second) < std::tie(b.hour, b.minute, b.second);
    });
    return moments;
}

bool isHallTable(const std::string& table) {
    return table.starts_with("大厅");
}

struct Line {
    const Dish* dish;
    std::int64_t quantity;
};

// Two to five different dishes; what is cheap (rice, drinks) is taken by the head.
std::vector<Line> orderLines(Dice& dice, const std::vector<Dish>& menu, int guests) {
    std::vector<std::size_t> order(menu.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    for (std::size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[static_cast<std::size_t>(dice.below(static_cast<int>(i) + 1))]);
    const auto count = std::min(order.size(), static_cast<std::size_t>(dice.between(2, 5)));
    std::vector<Line> lines;
    for (std::size_t i = 0; i < count; ++i) {
        const Dish& dish = menu[order[i]];
        const std::int64_t quantity = dish.price <= 10 ? dice.between(1, std::min(guests, 6))
                                                       : (guests >= 6 && dice.chance(30) ? 2 : 1);
        lines.push_back({&dish, quantity});
    }
    return lines;
}

// What a cashier adds after the amounts, often nothing.
const std::vector<std::string> kNotes = {
    "",       "",       "",         "",         "少放辣",   "开发票",
    "会员卡", "老顾客", "打包带走", "不要香菜", "微信支付", "支付宝",
};

// How a bill was paid: the money received and the way, and the checkout screen's remark with
// the received money, the change and the cashier's note. Paid by phone, exactly the amount is
// received.
struct Payment {
    std::int64_t received = 0;
    std::string way;
    std::string remark;
};

Payment payBill(Dice& dice, std::int64_t amount) {
    const std::string note = dice.pick(kNotes);
    Payment payment{amount, note == "微信支付" ? "微信" : "支付宝", ""};
    if (note != "微信支付" && note != "支付宝") {
        const std::int64_t step = std::array<std::int64_t, 3>{10, 50, 100}[dice.below(3)];
        payment.received = (amount + step - 1) / step * step;
        payment.way = note == "会员卡" ? "银行卡" : "现金";
    }
    payment.remark = "[实收：" + std::to_string(payment.received) + "元]\r\n[找零：" +
                     std::to_string(payment.received - amount) + "元]" + note;
    return payment;
}

const char* pickOperator(Dice& dice) {
    const int roll = dice.below(100);
    if (roll < 45) return "服务员-小李";
    if (roll < 85) return "服务员-小张";
    if (roll < 95) return "收银-小王";
    return "店长-老陈";
}

// The tables still eating at the moment of the pictures.
constexpr int kOpenOrders = 3;

void addMonthOfOrders(Database& database) {
    const std::vector<Dish> menu = deliveredMenu(database);
    const std::vector<std::string> tables = deliveredTables(database);
    Statement insertOrder(database, "INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作, "
                                    "备注) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    Statement insertLine(database, "INSERT INTO 明细 (单号, 菜品, 单价, 数量, 金额, 分类) "
                                   "VALUES (?, ?, ?, ?, ?, ?)");
    Statement insertPayment(database, "INSERT INTO 结账记录 (单号, 结账时间, 应收, 实收, 找零, "
                                      "付款方式, 操作员) VALUES (?, ?, ?, ?, ?, ?, ?)");
    Dice dice(20261231);
    std::set<std::string> numbers;
    std::set<std::string> eating; // tables of the open orders, never two orders on one
    for (int day = 1; day <= kPictureMoment.day; ++day) {
        const std::vector<support::CalendarTime> moments = openingMoments(dice, day);
        for (std::size_t n = 0; n < moments.size(); ++n) {
            const bool open = day == kPictureMoment.day && n + kOpenOrders >= moments.size();
            support::DateTime opened = support::toDateTime(moments[n]);
            // Numbers have one-second resolution: a second order in the same second takes the next.
            while (numbers.contains(support::orderNumber(opened)))
                opened += 1.0 / 86400;
            const std::string number = support::orderNumber(opened);
            numbers.insert(number);

            std::string table = dice.pick(tables);
            while (open && eating.contains(table))
                table = dice.pick(tables);
            if (open) eating.insert(table);
            const int guests = isHallTable(table) ? dice.between(2, 6) : dice.between(6, 12);

            std::int64_t amount = 0;
            for (const Line& line : orderLines(dice, menu, guests)) {
                insertLine.bindText(1, number);
                insertLine.bindText(2, line.dish->name);
                insertLine.bindInt(3, line.dish->price);
                insertLine.bindInt(4, line.quantity);
                insertLine.bindInt(5, line.dish->price * line.quantity);
                insertLine.bindText(6, line.dish->category);
                insertLine.write();
                amount += line.dish->price * line.quantity;
            }
            insertOrder.bindText(1, number);
            insertOrder.bindText(2, support::DateTimeText(opened));
            insertOrder.bindText(3, table);
            insertOrder.bindInt(4, guests);
            insertOrder.bindInt(5, amount);
            insertOrder.bindInt(6, open ? 0 : 1);
            const char* operatorName = pickOperator(dice);
            insertOrder.bindText(7, operatorName);
            // An open order has no remark until it is settled.
            if (open) {
                insertOrder.write();
                continue;
            }
            const Payment payment = payBill(dice, amount);
            insertOrder.bindText(8, payment.remark);
            insertOrder.write();
            insertPayment.bindText(1, number);
            // Settled within two hours, and never after the pictures are taken.
            const auto settled = support::toCalendarTime(std::min(
                opened + dice.between(35, 110) / (24.0 * 60), support::toDateTime(kPictureMoment)));
            insertPayment.bindText(2, settled ? support::sortableMoment(*settled) : "");
            insertPayment.bindInt(3, amount);
            insertPayment.bindInt(4, payment.received);
            insertPayment.bindInt(5, payment.received - amount);
            insertPayment.bindText(6, payment.way);
            insertPayment.bindText(7, operatorName);
            insertPayment.write();
        }
    }
}

} // namespace

bool createSampleRestaurant(const std::filesystem::path& file, std::string* error) {
    try {
        if (!data::createDatabase(deliveredSql(), file, error)) return false;
        Database database(file);
        database.run("BEGIN");
        addStaff(database);
        addMonthOfOrders(database);
        database.run("COMMIT");
        return true;
    } catch (const std::exception& failure) {
        if (error) *error = failure.what();
        return false;
    }
}

} // namespace pictures
