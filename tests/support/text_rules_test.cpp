#include "support/checked_math.h"
#include "support/text_rules.h"

#include <climits>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

using support::textToInt;

TEST(TextToInt, ReadsTheLeadingNumberAndIgnoresTheRest) {
    EXPECT_EQ(textToInt("3人"), 3);
    EXPECT_EQ(textToInt("12.5"), 12);
    EXPECT_EQ(textToInt("  -42abc"), -42);
    EXPECT_EQ(textToInt("+7"), 7);
    EXPECT_EQ(textToInt("\t 9"), 9);
    EXPECT_EQ(textToInt(""), 0);
    EXPECT_EQ(textToInt("人3"), 0);
    EXPECT_EQ(textToInt("-"), 0);
    EXPECT_EQ(textToInt("- 5"), 0);
}

TEST(TextToInt, FoldsFullWidthDigitsSignsAndSpaces) {
    EXPECT_EQ(textToInt("１２"), 12);
    EXPECT_EQ(textToInt("\u3000－３５"), -35);
    EXPECT_EQ(textToInt("１２．５元"), 12);
}

TEST(TextToInt, Holds64BitsAndClampsBeyond) {
    EXPECT_EQ(textToInt("2147483648"), 2147483648LL);
    EXPECT_EQ(textToInt("99999999999"), 99999999999LL);
    EXPECT_EQ(textToInt("-2147483649"), -2147483649LL);
    EXPECT_EQ(textToInt("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(textToInt("9223372036854775808"), INT64_MAX);
    EXPECT_EQ(textToInt("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(textToInt("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(textToInt("-9223372036854775809"), INT64_MIN);
    EXPECT_EQ(textToInt("-99999999999999999999999元"), INT64_MIN);
}

TEST(DigitsValue, OnlyPlainDigitsWithinSixtyFourBitsAreANumber) {
    EXPECT_EQ(support::digitsValue("0"), 0);
    EXPECT_EQ(support::digitsValue("007"), 7);
    EXPECT_EQ(support::digitsValue("9223372036854775807"), INT64_MAX);
    for (const char* text : {"", "-5", "+5", "1-2-3", "5-3", "--5", "-", " 5", "5 ", "12.5", "１２",
                             "9223372036854775808"})
        EXPECT_EQ(support::digitsValue(text), std::nullopt) << text;
}

TEST(CheckedMath, GivesNothingWhereSixtyFourBitsOverflow) {
    using support::checkedDifference;
    using support::checkedProduct;
    using support::checkedSum;
    EXPECT_EQ(checkedSum(2147483647, 136), 2147483783LL);
    EXPECT_EQ(checkedSum(INT64_MAX, 1), std::nullopt);
    EXPECT_EQ(checkedSum(INT64_MIN, -1), std::nullopt);
    EXPECT_EQ(checkedSum(INT64_MAX, INT64_MIN), -1);
    EXPECT_EQ(checkedDifference(100, 80), 20);
    EXPECT_EQ(checkedDifference(INT64_MIN, 1), std::nullopt);
    EXPECT_EQ(checkedDifference(0, INT64_MIN), std::nullopt);
    EXPECT_EQ(checkedDifference(-1, INT64_MIN), INT64_MAX);
    EXPECT_EQ(checkedProduct(2147483647, 2), 4294967294LL);
    EXPECT_EQ(checkedProduct(INT64_MAX, 2), std::nullopt);
    EXPECT_EQ(checkedProduct(-3037000500LL, 3037000500LL), std::nullopt);
    EXPECT_EQ(checkedProduct(-3037000499LL, -3037000499LL), 9223372030926249001LL);
    EXPECT_EQ(checkedProduct(INT64_MIN, -1), std::nullopt);
    EXPECT_EQ(checkedProduct(INT64_MIN, 1), INT64_MIN);
    EXPECT_EQ(checkedProduct(0, INT64_MIN), 0);
}

TEST(TextRules, NumberTextIsPlainDecimal) {
    EXPECT_EQ(support::numberText(0), "0");
    EXPECT_EQ(support::numberText(-15), "-15");
    EXPECT_EQ(support::numberText(9000000000LL), "9000000000");
}

TEST(TextRules, BlankMeansOnlyAsciiAndFullWidthSpaces) {
    EXPECT_TRUE(support::isBlank(""));
    EXPECT_TRUE(support::isBlank("   "));
    EXPECT_TRUE(support::isBlank(" \u3000 \u3000"));
    EXPECT_FALSE(support::isBlank(" a "));
    EXPECT_FALSE(support::isBlank("\t"));
    EXPECT_FALSE(support::isBlank("\u3000菜"));
    EXPECT_FALSE(support::isBlank("\xE3\x80")); // a cut full-width space is not a space
}

TEST(TextRules, ReplaceAllReplacesEveryOccurrenceLeftToRight) {
    EXPECT_EQ(support::replaceAll("#引号a#引号", "#引号", "\""), "\"a\"");
    EXPECT_EQ(support::replaceAll("hhmmss hh", "hh", "HH"), "HHmmss HH");
    EXPECT_EQ(support::replaceAll("aaa", "aa", "a"), "aa"); // no rescanning of what was put in
    EXPECT_EQ(support::replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(support::replaceAll("", "a", "b"), "");
}

TEST(TextRules, FindTextGivesOneBasedPositionsOrMinusOne) {
    EXPECT_EQ(support::findText("账单.XLS", ".xls", 1, true), 7);
    EXPECT_EQ(support::findText("账单.XLS", ".xls"), -1);
    EXPECT_EQ(support::findText("a.xls.bak", ".xls", 1, true), 2);
    EXPECT_EQ(support::findText("abab", "ab", 2), 3);
    EXPECT_EQ(support::findText("abab", "ab", 5), -1);
    EXPECT_EQ(support::findText("abab", "ab", 6), -1);
    EXPECT_EQ(support::findText("", "a"), -1);
    EXPECT_EQ(support::findText("a", ""), -1);
}

TEST(TextRules, CaseIsIgnoredOnlyForAsciiLetters) {
    EXPECT_TRUE(support::equalsIgnoringAsciiCase(".XLS", ".xls"));
    EXPECT_TRUE(support::equalsIgnoringAsciiCase("", ""));
    EXPECT_FALSE(support::equalsIgnoringAsciiCase(".xls", ".xlsx"));
    EXPECT_FALSE(support::equalsIgnoringAsciiCase("[", "{")); // differ by 32 but are not letters
    EXPECT_FALSE(support::equalsIgnoringAsciiCase("Ａ", "ａ"));
}

} // namespace
