#include "TextCopy.h"

#include <gtest/gtest.h>

#include <string>

using namespace Portico;

TEST(TextCopy, Utf8BecomesUtf16WithSurrogatePairs) {
    char16_t buffer[16];
    CopyToUtf16(buffer, 16, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(std::u16string(buffer), u"A\u00E9\u20AC\U0001F600");
}

TEST(TextCopy, InvalidBytesAreLatin1AndCopiesStopAtNul) {
    char16_t wide[16];
    // A lone continuation byte, an overlong form, an encoded surrogate, a cut sequence.
    CopyToUtf16(wide, 16, std::string("\x80\xC0\xAF\xED\xA0\x80\xE2\x82", 8));
    EXPECT_EQ(std::u16string(wide), u"\u0080\u00C0\u00AF\u00ED\u00A0\u0080\u00E2\u0082");
    char narrow[16];
    CopyToUtf8(narrow, 16,
               std::string("a\xE9"
                           "b\0c",
                           5));
    EXPECT_STREQ(narrow, "a\xC3\xA9"
                         "b");
}

TEST(TextCopy, CutsFallBetweenWholeCharacters) {
    char narrow[4];
    CopyToUtf8(narrow, 4, "ab\xC3\xA9");
    EXPECT_STREQ(narrow, "ab");
    char16_t wide[3];
    CopyToUtf16(wide, 3, "a\xF0\x9F\x98\x80");
    EXPECT_EQ(std::u16string(wide), u"a");
    char16_t untouched[1] = {u'x'};
    CopyToUtf16(untouched, 0, "abc");
    EXPECT_EQ(untouched[0], u'x');
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
