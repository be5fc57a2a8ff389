#pragma once

#include "sqlite_file.h"
#include "store/database_setting.h"

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace store {
class PgConnection;
} // namespace store

namespace bench {

// The orders as they stand, with how they were paid and the day closes, read with SQLite itself
// from the database file, or with libpq from the server: what an action's result is checked
// against, never through the program's own store. No statement outlives its question, so the
// program's own writes never wait for a reader.
class StoredOrders {
public:
    explicit StoredOrders(const std::filesystem::path& database);
    // The database the setting names on its server.
    explicit StoredOrders(const store::DatabaseSetting& server);
    ~StoredOrders();

    long long count();
    long long openCount();
    long long countInMonth(int year, int month);
    long long lineCount(const std::string& number);
    bool exists(const std::string& number);
    bool settled(const std::string& number);
    // The order's stored total (金额), 0 when there is no such order.
    long long amount(const std::string& number);
    std::string latestNumber();
    // The number of the order at this place in table order, 0 being the first.
    std::string numberAt(long long place);

    struct Settled {
        long long bills = 0;
        long long due = 0;
    };
    // The orders settled and still settled whose settlement falls after `from` up to and with
    // `until` (sortable moments), as a day close page counts them.
    Settled settledBetween(const std::string& from, const std::string& until);
    // The settled orders whose numbers lie from `from` up to before `past`, with their stored
    // totals (金额), as the business report counts them.
    Settled settledInNumbers(const std::string& from, const std::string& past);
    long long closeCount();
    long long lastCloseNumber();
    // The end of the last close's period, "" before the first close.
    std::string lastCloseEnd();
    long long billsOnCloses();

private:
    using Value = std::variant<std::string, long long>;
    // The first `columns` columns of the statement's first row ("?" for each value, bound in
    // order), as texts ("" for NULL); none when there is no row. Throws when the engine refuses
    // the statement.
    std::vector<std::string> firstRow(int columns, const std::string& sql,
                                      std::initializer_list<Value> values);
    long long integer(const std::string& sql, std::initializer_list<Value> values = {});
    std::string text(const std::string& sql, std::initializer_list<Value> values = {});
    long long countWhere(const std::string& condition, const std::string& value);

    std::unique_ptr<SqliteFile> file_;
    std::unique_ptr<store::PgConnection> server_;
};

} // namespace bench
