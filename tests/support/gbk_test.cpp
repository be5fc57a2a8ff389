#include "support/gbk.h"

#include <gtest/gtest.h>

namespace {

TEST(Gbk, ConvertsBothWays) {
    EXPECT_EQ(support::utf8ToGbk("中"), std::string("\xD6\xD0"));
    EXPECT_EQ(support::utf8ToGbk("a中b"), std::string("a\xD6\xD0"
                                                      "b"));
    EXPECT_EQ(support::gbkToUtf8("\xD6\xD0"), std::string("中"));
    EXPECT_EQ(support::utf8ToGbk(""), std::string());
    const std::string text = "宫保鸡丁/28元 ａ１";
    const auto gbk = support::utf8ToGbk(text);
    ASSERT_TRUE(gbk.has_value());
    EXPECT_EQ(support::gbkToUtf8(*gbk), text);
}

TEST(Gbk, RefusesWhatItCannotConvert) {
    EXPECT_FALSE(support::utf8ToGbk("😀").has_value());
    EXPECT_FALSE(support::utf8ToGbk("\xFF").has_value());
    EXPECT_FALSE(support::gbkToUtf8("\xD6").has_value()); // a lead byte without its trail
}

TEST(Gbk, TellsWhetherGbkCanHoldTheText) {
    EXPECT_TRUE(support::isGbkText(""));
    EXPECT_TRUE(support::isGbkText("Table 1"));
    EXPECT_TRUE(support::isGbkText("大厅一号桌"));
    EXPECT_TRUE(support::isGbkText("\u3000全角"));
    EXPECT_FALSE(support::isGbkText("餐桌😀"));
    EXPECT_FALSE(support::isGbkText("\xE4\xB8")); // cut in the middle of a character
    EXPECT_FALSE(support::isGbkText("\xC0\x80")); // overlong form
    EXPECT_FALSE(support::isGbkText("\u0E01"));   // Thai: valid UTF-8 but not in GBK
    // Three-byte forms that are no character: overlong, a surrogate, a broken trail byte.
    EXPECT_FALSE(support::isGbkText("a\xE0\x80\xAF"
                                    "b"));
    EXPECT_FALSE(support::isGbkText("\xED\xA0\x80"));
    EXPECT_FALSE(support::isGbkText("大\xE5\x8E"
                                    "A"));
    EXPECT_TRUE(support::isGbkText("A大厅\u00B7\u20AC1")); // two-byte middle dot, euro sign
}

} // namespace
