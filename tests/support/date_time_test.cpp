#include "support/date_time.h"

#include <gtest/gtest.h>

namespace {

using support::CalendarTime;
using support::toDateTime;

support::DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return toDateTime(CalendarTime{y, mo, d, h, mi, s});
}

TEST(DateTime, DayCountFollowsTheOleConvention) {
    EXPECT_DOUBLE_EQ(at(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(at(1900, 1, 1, 12), 2.5);
    EXPECT_DOUBLE_EQ(at(1899, 12, 29, 6), -1.25);
    EXPECT_DOUBLE_EQ(at(100, 1, 1), support::kUnreadableDateTime);
    EXPECT_DOUBLE_EQ(at(2022, 10, 28), 44862.0);
}

TEST(DateTime, ConvertsBackIncludingBefore1899AndRoundsToTheSecond) {
    EXPECT_EQ(support::toCalendarTime(-1.25), (CalendarTime{1899, 12, 29, 6, 0, 0}));
    EXPECT_EQ(support::toCalendarTime(at(2022, 1, 5, 9, 3, 7)),
              (CalendarTime{2022, 1, 5, 9, 3, 7}));
    EXPECT_EQ(support::toCalendarTime(at(2022, 1, 5, 23, 59, 59) + 0.4 / 86400),
              (CalendarTime{2022, 1, 5, 23, 59, 59}));
    EXPECT_EQ(support::toCalendarTime(at(2022, 1, 5, 23, 59, 59) + 0.6 / 86400),
              (CalendarTime{2022, 1, 6, 0, 0, 0}));
    EXPECT_EQ(support::toCalendarTime(at(9999, 12, 31, 23, 59, 59)),
              (CalendarTime{9999, 12, 31, 23, 59, 59}));
    EXPECT_FALSE(support::toCalendarTime(at(9999, 12, 31) + 1.0).has_value());
    EXPECT_FALSE(support::toCalendarTime(support::kUnreadableDateTime - 1.0).has_value());
}

TEST(DateTime, ValidatesTheCalendar) {
    EXPECT_TRUE(support::isValidCalendarTime({2024, 2, 29, 0, 0, 0}));
    EXPECT_TRUE(support::isValidCalendarTime({2000, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(support::isValidCalendarTime({1900, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(support::isValidCalendarTime({2023, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(support::isValidCalendarTime({99, 1, 1, 0, 0, 0}));
    EXPECT_FALSE(support::isValidCalendarTime({2022, 4, 31, 0, 0, 0}));
    EXPECT_FALSE(support::isValidCalendarTime({2022, 1, 1, 24, 0, 0}));
}

TEST(FormatDateTime, UsesTheStyleAndPartPatterns) {
    const auto moment = at(2022, 10, 28, 14, 5, 9);
    EXPECT_EQ(support::FormatDateTime(moment, 0, 0, 2), "2022年10月28日 14时05分09秒");
    EXPECT_EQ(support::FormatDateTime(moment, 0, 0, 1), "2022年10月28日 02时05分09秒");
    EXPECT_EQ(support::FormatDateTime(moment, 7, 0, 2), "2022年10月28日 14时05分09秒");
    EXPECT_EQ(support::FormatDateTime(moment, 0, 1), "2022年10月28日");
    EXPECT_EQ(support::FormatDateTime(moment, 1, 1), "2022-10-28");
    EXPECT_EQ(support::FormatDateTime(moment, 1, 0, 2), "2022-10-28 14:05:09");
    EXPECT_EQ(support::FormatDateTime(moment, 2, 2), "10/28");
    EXPECT_EQ(support::FormatDateTime(moment, 1, 3, 2), "14:05:09");
    EXPECT_EQ(support::FormatDateTime(moment, 1, 4, 1), "02:05");
    EXPECT_EQ(support::FormatDateTime(moment, 0, 5), "05分09秒");
    EXPECT_EQ(support::FormatDateTime(moment, 3, 2), "1028");
    EXPECT_EQ(support::FormatDateTime(moment, 3, 9, 2), "20221028140509");
    EXPECT_EQ(support::FormatDateTime(at(2022, 1, 1, 0, 30), 1, 4, 1), "12:30");
    EXPECT_EQ(support::FormatDateTime(at(9999, 12, 31) + 2.0, 0, 0, 2), "");
}

TEST(FormatDateTime, OrderNumberIsFourteenDigitsOnThe24HourClock) {
    EXPECT_EQ(support::orderNumber(at(2022, 10, 28, 14, 5, 9)), "20221028140509");
    EXPECT_EQ(support::orderNumber(at(2022, 1, 5, 9, 3, 7)), "20220105090307");
    EXPECT_EQ(support::orderNumber(at(2022, 1, 5)), "20220105000000");
}

TEST(DateTimeText, CutsTheTimeAfterItsLastNonZeroPart) {
    EXPECT_EQ(support::DateTimeText(at(2022, 12, 31, 12, 35)), "2022年12月31日12时35分");
    EXPECT_EQ(support::DateTimeText(at(2022, 1, 5, 9, 3, 7)), "2022年1月5日9时3分7秒");
    EXPECT_EQ(support::DateTimeText(at(2022, 1, 5, 0, 0, 7)), "2022年1月5日0时0分7秒");
    EXPECT_EQ(support::DateTimeText(at(2022, 1, 5, 18)), "2022年1月5日18时");
    EXPECT_EQ(support::DateTimeText(at(2022, 1, 5)), "2022年1月5日");
}

TEST(ParseDateTimeText, ReadsBackEveryPlainText) {
    for (const auto moment : {at(2022, 12, 31, 12, 35), at(2022, 1, 5, 9, 3, 7), at(2022, 1, 5),
                              at(2024, 2, 29, 23, 59, 59), at(100, 1, 1, 0, 0, 1)}) {
        EXPECT_DOUBLE_EQ(support::ParseDateTimeText(support::DateTimeText(moment)), moment)
            << support::DateTimeText(moment);
    }
}

TEST(ParseDateTimeText, ReadsTheOtherSeparators) {
    EXPECT_DOUBLE_EQ(support::ParseDateTimeText("2022-12-31 12:35:00"), at(2022, 12, 31, 12, 35));
    EXPECT_DOUBLE_EQ(support::ParseDateTimeText("2022/12/31"), at(2022, 12, 31));
    EXPECT_DOUBLE_EQ(support::ParseDateTimeText("2022.1.5"), at(2022, 1, 5));
    EXPECT_DOUBLE_EQ(support::ParseDateTimeText("2022年1月5日9时3分7秒"), at(2022, 1, 5, 9, 3, 7));
}

TEST(ParseDateTimeText, GivesTheYear100ValueForWhatItCannotRead) {
    for (const char* text : {"2022年2月30日", "2022年13月1日", "2022年1月1日12时60分", "", "abc",
                             "2022年1月1日12时0分0秒x", "99年1月1日", "2023-02-29"}) {
        EXPECT_DOUBLE_EQ(support::ParseDateTimeText(text), support::kUnreadableDateTime) << text;
    }
}

} // namespace
