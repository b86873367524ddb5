#include "TextCopy.h"

#include <gtest/gtest.h>

#include <string>

using namespace Portico;

// The conversions themselves are Utils::Utf's; the library reads bad bytes as Latin-1.
TEST(TextCopy, WireTextIsUtf8WithLatin1Bytes) {
    char16_t wide[16];
    CopyToUtf16(wide, 16, "\xC3\xA9\xE9\xF0\x9F\x98\x80");
    EXPECT_EQ(std::u16string(wide), u"\u00E9\u00E9\U0001F600");
    char narrow[16];
    CopyToUtf8(narrow, 16, "\xE9");
    EXPECT_STREQ(narrow, "\xC3\xA9");
}

TEST(TextCopy, WholeWritesFitOrLeaveTheBufferEmpty) {
    char16_t wide[6];
    EXPECT_TRUE(WriteWhole(wide, 6, "12345"));
    EXPECT_EQ(std::u16string(wide), u"12345");
    EXPECT_FALSE(WriteWhole(wide, 6, "123456"));
    EXPECT_EQ(wide[0], 0);
    char narrow[3];
    EXPECT_FALSE(WriteWhole(narrow, 3, "abc"));
    EXPECT_STREQ(narrow, "");
}
