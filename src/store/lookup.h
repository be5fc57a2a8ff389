#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

struct sqlite3_stmt;

namespace store {

// One condition of a lookup on a column of the open table: its field reads equal to a text, or
// reads as a whole number. A column of -1 is one the table lacks: it reads as empty and 0.
struct ColumnCondition {
    int column = -1;
    std::variant<std::string, int> value;
};

// The conditions of a lookup, twice: as an SQL filter that lets through every row on which they
// may hold, answered through the table's indexes where the column has one, and as the exact test
// on a record read.
class Lookup {
public:
    Lookup(std::vector<ColumnCondition> conditions, const std::vector<std::string>& columnNames,
           const std::vector<std::string>& columnAffinities);

    // No record can satisfy the conditions.
    bool never() const { return never_; }
    // Whether the filter narrows the rows at all.
    bool filters() const { return !filter_.empty(); }
    // "a AND b ...", or empty when every row may match.
    const std::string& filter() const { return filter_; }
    // Binds the filter's values from the given parameter on; gives the next free parameter.
    int bind(sqlite3_stmt* statement, int firstParameter) const;

    const std::vector<ColumnCondition>& conditions() const { return conditions_; }

    // Whether the conditions hold on the fields these give, by column (-1 never asked).
    bool holds(const std::function<std::string(int)>& textOf,
               const std::function<std::int64_t(int)>& numberOf) const;

private:
    std::vector<ColumnCondition> conditions_;
    std::string filter_;
    std::vector<std::variant<std::string, long long>> parameters_;
    bool never_ = false;
};

} // namespace store
