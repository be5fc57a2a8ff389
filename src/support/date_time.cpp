#include "support/date_time.h"

#include "support/text_rules.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#if __has_include(<langinfo.h>)
#include <langinfo.h>
#endif

namespace support {
namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr long long kFirstDay = -657434; // 1 January 100
constexpr long long kLastDay = 2958465;  // 31 December 9999

// Days since 1 January 1970 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const long long kOleEpoch = daysFromCivil(1899, 12, 30);

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

struct StylePatterns {
    const char* fullDate;
    const char* fullTime;
    const char* monthDay;
    const char* hourMinute;
    const char* minuteSecond;
};

constexpr std::array<StylePatterns, 4> kStyles{{
    {"yyyy年MM月dd日 ", "hh时mm分ss秒", "MM月dd日", "hh时mm分", "mm分ss秒"},
    {"yyyy-MM-dd ", "hh:mm:ss", "MM-dd", "hh:mm", "mm:ss"},
    {"yyyy/MM/dd ", "hh/mm/ss", "MM/dd", "hh/mm", "mm/ss"},
    {"yyyyMMdd", "hhmmss", "MMdd", "hhmm", "mmss"},
}};

bool regionalClockIs24Hour() {
#if __has_include(<langinfo.h>)
    const std::string_view timeFormat = nl_langinfo(T_FMT);
    for (const char* conversion : {"%H", "%k", "%T", "%R"}) {
        if (timeFormat.find(conversion) != std::string_view::npos) return true;
    }
    return false;
#else
    return true;
#endif
}

std::string trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

struct Token {
    std::string_view name;
    int value;
    int width;
};

// Replaces each token by its zero-padded value and copies every other byte.
std::string expandPattern(std::string_view pattern, std::initializer_list<Token> tokens) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        bool replaced = false;
        for (const Token& token : tokens) {
            if (pattern.substr(i).starts_with(token.name)) {
                char digits[16];
                std::snprintf(digits, sizeof digits, "%0*d", token.width, token.value);
                out += digits;
                i += token.name.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out.push_back(pattern[i++]);
    }
    return out;
}

} // namespace

bool isValidCalendarTime(const CalendarTime& t) {
    return t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

DateTime toDateTime(const CalendarTime& t) {
    const long long days = daysFromCivil(t.year, t.month, t.day) - kOleEpoch;
    const double fraction =
        static_cast<double>(t.hour * 3600 + t.minute * 60 + t.second) / kSecondsPerDay;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

std::optional<CalendarTime> toCalendarTime(DateTime value) {
    if (!(value > kFirstDay - 1.0 && value < kLastDay + 1.0)) return std::nullopt;
    long long days = static_cast<long long>(std::trunc(value));
    long long seconds = std::llround(std::fabs(value - static_cast<double>(days)) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++days;
    }
    if (days < kFirstDay || days > kLastDay) return std::nullopt;
    CalendarTime t;
    civilFromDays(days + kOleEpoch, t.year, t.month, t.day);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

std::string FormatDateTime(DateTime moment, int style, int part, int clock) {
    const StylePatterns& patterns =
        kStyles[static_cast<std::size_t>(style >= 0 && style <= 3 ? style : 0)];
    std::string datePattern;
    std::string timePattern;
    switch (part) {
    case 1:
        datePattern = trimSpaces(patterns.fullDate);
        break;
    case 2:
        datePattern = patterns.monthDay;
        break;
    case 3:
        timePattern = patterns.fullTime;
        break;
    case 4:
        timePattern = patterns.hourMinute;
        break;
    case 5:
        timePattern = patterns.minuteSecond;
        break;
    default:
        datePattern = patterns.fullDate;
        timePattern = patterns.fullTime;
    }
    const bool hours24 = clock == 2 || (clock != 1 && regionalClockIs24Hour());
    if (hours24) timePattern = replaceAll(timePattern, "hh", "HH");

    const auto t = toCalendarTime(moment);
    if (!t) return {};
    std::string text;
    if (datePattern.size() > 2)
        text += expandPattern(datePattern,
                              {{"yyyy", t->year, 4}, {"MM", t->month, 2}, {"dd", t->day, 2}});
    if (timePattern.size() > 2) {
        const int hour12 = t->hour % 12 == 0 ? 12 : t->hour % 12;
        text += expandPattern(
            timePattern,
            {{"HH", t->hour, 2}, {"hh", hour12, 2}, {"mm", t->minute, 2}, {"ss", t->second, 2}});
    }
    return text;
}

std::string DateTimeText(DateTime moment) {
    const auto t = toCalendarTime(moment);
    if (!t) return {};
    char buffer[96];
    int length = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", t->year, t->month, t->day);
    const auto append = [&](const char* format, auto... values) {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length),
                                format, values...);
    };
    if (t->second != 0)
        append("%d时%d分%d秒", t->hour, t->minute, t->second);
    else if (t->minute != 0)
        append("%d时%d分", t->hour, t->minute);
    else if (t->hour != 0)
        append("%d时", t->hour);
    return std::string(buffer, static_cast<std::size_t>(length));
}

DateTime ParseDateTimeText(std::string_view text) {
    std::size_t at = 0;
    const auto readDigits = [&](int most) {
        int value = 0;
        for (int n = 0; n < most && at < text.size() && text[at] >= '0' && text[at] <= '9'; ++n)
            value = value * 10 + (text[at++] - '0');
        return value;
    };
    const auto skipOneOf = [&](std::initializer_list<std::string_view> separators) {
        for (std::string_view separator : separators) {
            if (text.substr(at).starts_with(separator)) {
                at += separator.size();
                return;
            }
        }
    };

    CalendarTime t;
    t.year = readDigits(4);
    skipOneOf({"-", ".", "/", ":", "年"});
    t.month = readDigits(2);
    skipOneOf({"-", ".", "/", ":", "月"});
    t.day = readDigits(2);
    skipOneOf({" ", "-", ".", "/", ":", "日"});
    t.hour = readDigits(2);
    skipOneOf({"-", ".", "/", ":", "时"});
    t.minute = readDigits(2);
    skipOneOf({"-", ".", "/", ":", "分"});
    t.second = readDigits(2);
    const std::string_view rest = text.substr(at);
    if ((!rest.empty() && rest != "秒") || !isValidCalendarTime(t)) return kUnreadableDateTime;
    return toDateTime(t);
}

std::string orderNumber(DateTime moment) {
    return FormatDateTime(moment, 3, 0, 2);
}

std::string sortableMoment(const CalendarTime& moment) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", moment.year, moment.month,
                  moment.day, moment.hour, moment.minute, moment.second);
    return text;
}

} // namespace support
