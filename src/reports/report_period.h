#pragma once

#include "support/date_time.h"

#include <string>

namespace reports {

// The periods a report covers, counted in business days: a business day starts at the day
// start hour and ends at that hour of the next day, so that orders after midnight count for the
// evening before.
enum class PeriodKind { Today, Yesterday, ThisWeek, LastWeek, ThisMonth, LastMonth, Dates };

// Business days as day numbers (whole days of support::DateTime), the first and the last of the
// period, both counted.
struct DayRange {
    int first = 0;
    int last = 0;

    int length() const { return last - first + 1; }
    friend bool operator==(const DayRange&, const DayRange&) = default;
};

// The business day a moment belongs to.
int businessDay(const support::CalendarTime& moment, int startHour);

// The period of the kind around the business day `today`; a week starts on Monday; this week
// and this month run up to today. For Dates, the days `from` and `until` in either order.
DayRange periodDays(PeriodKind kind, int today, int from = 0, int until = 0);

// The days just before the period, as many as it has.
DayRange periodBefore(const DayRange& days);

// The smallest order number opened on the business day, and the first one past the period:
// orders are in the period when first bound <= 单号 < last bound, the number beginning with the
// opening moment as YYYYMMDDhhmmss.
std::string firstNumberOf(int day, int startHour);
std::string numberPast(const DayRange& days, int startHour);

// "2026-12-31" for a day number, and the day number of a calendar date.
std::string dayText(int day);
int dayNumber(int year, int month, int day);

} // namespace reports
