#include "store/lookup.h"

#include "support/gbk.h"

#include <sqlite3.h>

namespace store {
namespace {

void appendTerm(std::string& filter, const std::string& term) {
    if (!filter.empty()) filter += " AND ";
    filter += term;
}

} // namespace

Lookup::Lookup(std::vector<ColumnCondition> conditions, const std::vector<std::string>& columnNames,
               const std::vector<std::string>& columnAffinities)
    : conditions_(std::move(conditions)) {
    for (const ColumnCondition& condition : conditions_) {
        const auto* text = std::get_if<std::string>(&condition.value);
        const int number = text ? 0 : std::get<int>(condition.value);
        if (condition.column < 0) {
            // A missing field reads as empty and 0.
            if (text ? !text->empty() : number != 0) never_ = true;
            continue;
        }
        const std::string& column = columnNames[static_cast<std::size_t>(condition.column)];
        const bool textColumn = columnAffinities[static_cast<std::size_t>(condition.column)] == "TEXT";
        if (text) {
            if (text->empty()) continue; // NULL and unreadable texts read empty too: no filter
            if (!support::isGbkText(*text)) {
                never_ = true; // a stored text like it reads empty
                continue;
            }
            if (!textColumn) continue;
            // Equal texts, and byte strings, which read as their bytes.
            appendTerm(filter_, "(" + column + " = ? OR " + column + " >= x'')");
            parameters_.emplace_back(*text);
        } else {
            if (textColumn) continue;
            // Numbers that truncate to it, numbers and texts beyond the range of a read, NULL as 0.
            std::string term = "((" + column + " > ? AND " + column + " < ?) OR " + column +
                               " > 2147483647 OR " + column + " < -2147483648";
            if (number == 0) term += " OR " + column + " IS NULL";
            appendTerm(filter_, term + ")");
            parameters_.emplace_back(static_cast<long long>(number) - 1);
            parameters_.emplace_back(static_cast<long long>(number) + 1);
        }
    }
}

int Lookup::bind(sqlite3_stmt* statement, int firstParameter) const {
    int parameter = firstParameter;
    for (const auto& value : parameters_) {
        if (const auto* text = std::get_if<std::string>(&value))
            sqlite3_bind_text(statement, parameter, text->data(), static_cast<int>(text->size()),
                              SQLITE_TRANSIENT);
        else
            sqlite3_bind_int64(statement, parameter, std::get<long long>(value));
        ++parameter;
    }
    return parameter;
}

bool Lookup::holds(const std::function<std::string(int)>& textOf,
                   const std::function<std::int64_t(int)>& numberOf) const {
    if (never_) return false;
    for (const ColumnCondition& condition : conditions_) {
        // A missing field reads as empty and 0.
        if (const auto* text = std::get_if<std::string>(&condition.value)) {
            if ((condition.column >= 0 ? textOf(condition.column) : std::string()) != *text)
                return false;
        } else if ((condition.column >= 0 ? numberOf(condition.column) : 0) !=
                   std::get<int>(condition.value)) {
            return false;
        }
    }
    return true;
}

} // namespace store
