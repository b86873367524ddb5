#include "utils/Utf.h"

#include <gtest/gtest.h>

using namespace Utils;

TEST(Utf, RoundTripsEveryPlane) {
    const std::u16string text = u"plain é € \U0001F600 'quoted'";
    const std::string utf8 = Utf16ToUtf8(text);
    EXPECT_EQ(utf8, "plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 'quoted'");
    EXPECT_EQ(Utf8ToUtf16(utf8), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16(std::string("a\xFF\x62")), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16(std::string("\xC3")), u"\uFFFD");           // cut short
    EXPECT_EQ(Utf8ToUtf16(std::string("\xC3\x41")), u"\uFFFDA");      // broken, next byte kept
    EXPECT_EQ(Utf8ToUtf16(std::string("\xC0\xAF")), u"\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(Utf8ToUtf16(std::string("\xED\xA0\x80")), u"\uFFFD");   // a surrogate's code
    const char16_t lone[] = {u'x', 0xD800, u'y', 0xDC00};
    EXPECT_EQ(Utf16ToUtf8(lone, 4), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(Utf, CopyCutsToTheFieldWithoutSplittingAPair) {
    char16_t field[5];
    CopyUtf16(field, 5, u"abcdef");
    EXPECT_EQ(std::u16string(field), u"abcd");
    CopyUtf16(field, 5, u"abc\U0001F600");
    EXPECT_EQ(std::u16string(field), u"abc"); // the pair does not fit whole
    CopyUtf16(field, 5, u"ab");
    EXPECT_EQ(std::u16string(field), u"ab");
    EXPECT_EQ(FieldLength(field, 5), 2u);
    const char16_t full[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(FieldLength(full, 3), 3u);
}
