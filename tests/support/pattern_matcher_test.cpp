#include "support/pattern_matcher.h"

#include <gtest/gtest.h>

namespace {

using support::PatternMatcher;

TEST(KeepDigits, KeepsOnlyAsciiDigitsInOrder) {
    EXPECT_EQ(support::KeepDigits("12.5元"), "125");
    EXPECT_EQ(support::KeepDigits("-8"), "8");
    EXPECT_EQ(support::KeepDigits("宫保鸡丁/28元"), "28");
    EXPECT_EQ(support::KeepDigits("１２元"), ""); // full-width digits are not [0-9]
    EXPECT_EQ(support::KeepDigits(""), "");
}

TEST(PatternMatcher, FreshMatcherHasNothing) {
    const PatternMatcher matcher;
    int position = 5;
    EXPECT_EQ(matcher.PatternText(), "");
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.MatchText(1, &position), "");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(matcher.SubMatchCount(), 0);
    EXPECT_EQ(matcher.ReplaceMatches("x"), "");
}

TEST(PatternMatcher, MatchesCharactersAndReportsByteOffsets) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Run("(.)(元)", "鱼/28元 汤/6元"));
    ASSERT_EQ(matcher.MatchCount(), 2);
    int position = 0;
    EXPECT_EQ(matcher.MatchText(1, &position), "8元");
    EXPECT_EQ(position, 5); // "鱼" takes three bytes, "/" and "2" one each
    EXPECT_EQ(matcher.MatchText(2, &position), "6元");
    EXPECT_EQ(position, 14);
    EXPECT_EQ(matcher.SubMatchCount(), 2);
    EXPECT_EQ(matcher.SubMatchText(2, 2, &position), "元");
    EXPECT_EQ(position, 15);
    EXPECT_EQ(matcher.MatchText(3, &position), "");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(matcher.MatchText(0), "");
    EXPECT_EQ(matcher.SubMatchText(1, 3, &position), "");
    EXPECT_EQ(position, -1);
}

TEST(PatternMatcher, GroupThatTookNoPartGivesMinusOne) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Run("a(b)?c", "ac"));
    int position = 0;
    EXPECT_EQ(matcher.SubMatchText(1, 1, &position), "");
    EXPECT_EQ(position, -1);
}

TEST(PatternMatcher, OptionsChangeTheSearch) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Run("abc", "ABC abc"));
    EXPECT_EQ(matcher.MatchCount(), 2); // case is ignored by default
    ASSERT_TRUE(matcher.Run("abc", "ABC abc", true));
    EXPECT_EQ(matcher.MatchCount(), 1);
    ASSERT_TRUE(matcher.Run("^x", "x\nx"));
    EXPECT_EQ(matcher.MatchCount(), 2);
    ASSERT_TRUE(matcher.Run("^x", "x\nx", false, false));
    EXPECT_EQ(matcher.MatchCount(), 1);
    ASSERT_TRUE(matcher.Run("x", "xxx", false, true, false));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.ReplaceMatches("y"), "yxx");
}

TEST(PatternMatcher, ReplacesEveryMatchWithExpansions) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Run("(\\d+)元", "鱼28元，汤6元"));
    EXPECT_EQ(matcher.ReplaceMatches("$1块"), "鱼28块，汤6块");
    EXPECT_EQ(matcher.ReplaceMatches("[$&]$$"), "鱼[28元]$，汤[6元]$");
}

TEST(PatternMatcher, QuotePlaceholderBecomesADoubleQuote) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Run("#引号(\\w+)#引号", "say \"hi\" now", false, true, true, true));
    EXPECT_EQ(matcher.PatternText(), "\"(\\w+)\"");
    EXPECT_EQ(matcher.SubMatchText(1, 1), "hi");
    ASSERT_TRUE(matcher.Run("#引号", "#引号"));
    EXPECT_EQ(matcher.PatternText(), "#引号");
    EXPECT_EQ(matcher.MatchCount(), 1);
}

TEST(PatternMatcher, InvalidPatternFailsAndClearsTheLastRun) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Run("\\d", "1 2"));
    EXPECT_FALSE(matcher.Run("(unclosed", "text"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.MatchText(1), "");
}

TEST(PatternMatcher, CopySharesTheMatchesOfTheOriginal) {
    PatternMatcher original;
    ASSERT_TRUE(original.Run("\\d", "a1b2"));
    const PatternMatcher copy = original;
    ASSERT_TRUE(original.Run("z", "none"));
    EXPECT_EQ(original.MatchCount(), 0);
    EXPECT_EQ(copy.MatchCount(), 2);
    EXPECT_EQ(copy.MatchText(2), "2");
    EXPECT_EQ(copy.PatternText(), "\\d");
}

} // namespace
