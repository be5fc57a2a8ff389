#include "support/text_rules.h"

#include <climits>
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

TEST(TextToInt, ClampsNumbersBeyondThe32BitRange) {
    EXPECT_EQ(textToInt("2147483647"), INT_MAX);
    EXPECT_EQ(textToInt("2147483648"), INT_MAX);
    EXPECT_EQ(textToInt("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(textToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(textToInt("-2147483649"), INT_MIN);
    EXPECT_EQ(textToInt("-99999999999999999999999"), INT_MIN);
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
