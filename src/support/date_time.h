#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace support {

// A moment on the calendar, to the second, on the 24-hour clock.
struct CalendarTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};

// A day count in the OLE automation convention: days since 30 December 1899, the fraction being
// the time of day. Before 1899 the fraction still counts forward from the whole day, so -1.25 is
// 29 December 1899, 06:00.
using DateTime = double;

// 1 January of the year 100, 00:00:00: the earliest representable moment, and what an unreadable
// date-time text gives.
inline constexpr DateTime kUnreadableDateTime = -657434.0;

bool isValidCalendarTime(const CalendarTime& time);
// The fields must form a valid calendar time.
DateTime toDateTime(const CalendarTime& time);
// Rounds to the nearest second; nothing outside 1 January 100 to 31 December 9999.
std::optional<CalendarTime> toCalendarTime(DateTime value);

// Formats with one of the four styles and six part selections; clock 1 is the 12-hour clock,
// 2 the 24-hour clock, anything else the user's regional setting. Empty for a moment outside the
// calendar.
std::string FormatDateTime(DateTime moment, int style = 0, int part = 0, int clock = 0);

// "2022年12月31日12时35分": no leading zeros, the time cut after its last non-zero part.
std::string DateTimeText(DateTime moment);

// Reads the plain date-time text and its variants with "-", ".", "/" and ":" as separators; an
// unreadable text gives kUnreadableDateTime.
DateTime ParseDateTimeText(std::string_view text);

// The 14-digit order number yyyyMMddHHmmss, always on the 24-hour clock.
std::string orderNumber(DateTime moment);

// "2026-12-10 09:05:00": a moment written so that texts sort as the moments do.
std::string sortableMoment(const CalendarTime& moment);

} // namespace support
