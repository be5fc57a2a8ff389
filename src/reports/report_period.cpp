#include "reports/report_period.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace reports {
namespace {

// Day 0 of support::DateTime, 30 December 1899, was a Saturday: Monday is 0 here.
int weekdayFromMonday(int day) {
    return ((day + 5) % 7 + 7) % 7;
}

support::CalendarTime calendarOf(int day) {
    return support::toCalendarTime(static_cast<double>(day)).value_or(support::CalendarTime{});
}

} // namespace

int dayNumber(int year, int month, int day) {
    return static_cast<int>(std::floor(support::toDateTime({year, month, day, 0, 0, 0})));
}

int businessDay(const support::CalendarTime& moment, int startHour) {
    const int day = dayNumber(moment.year, moment.month, moment.day);
    return moment.hour < startHour ? day - 1 : day;
}

DayRange periodDays(PeriodKind kind, int today, int from, int until) {
    switch (kind) {
    case PeriodKind::Today:
        return {today, today};
    case PeriodKind::Yesterday:
        return {today - 1, today - 1};
    case PeriodKind::ThisWeek:
        return {today - weekdayFromMonday(today), today};
    case PeriodKind::LastWeek: {
        const int monday = today - weekdayFromMonday(today) - 7;
        return {monday, monday + 6};
    }
    case PeriodKind::ThisMonth: {
        const support::CalendarTime date = calendarOf(today);
        return {dayNumber(date.year, date.month, 1), today};
    }
    case PeriodKind::LastMonth: {
        const support::CalendarTime date = calendarOf(today);
        const int firstOfThisMonth = dayNumber(date.year, date.month, 1);
        const support::CalendarTime before = calendarOf(firstOfThisMonth - 1);
        return {dayNumber(before.year, before.month, 1), firstOfThisMonth - 1};
    }
    case PeriodKind::Dates:
        break;
    }
    return {std::min(from, until), std::max(from, until)};
}

DayRange periodBefore(const DayRange& days) {
    return {days.first - days.length(), days.first - 1};
}

std::string firstNumberOf(int day, int startHour) {
    const support::CalendarTime date = calendarOf(day);
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d0000", date.year, date.month, date.day,
                  startHour);
    return text;
}

std::string numberPast(const DayRange& days, int startHour) {
    return firstNumberOf(days.last + 1, startHour);
}

std::string dayText(int day) {
    const support::CalendarTime date = calendarOf(day);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

} // namespace reports
