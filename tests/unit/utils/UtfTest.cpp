#include "utils/Utf.h"

#include <gtest/gtest.h>

using Utils::Utf16ToUtf8;
using Utils::Utf8ToUtf16;

TEST(Utf, RoundTripsEveryPlane) {
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"; // A é € 😀
    const std::u16string wide = Utf8ToUtf16(text.data(), text.size());
    EXPECT_EQ(wide, std::u16string(u"A\u00E9\u20AC\U0001F600"));
    EXPECT_EQ(Utf16ToUtf8(wide.data(), wide.size()), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    const std::string cut = "ok\xE2\x82";         // sequence cut at the end
    const std::string overlong = "\xC0\xAF";      // overlong '/'
    const std::string surrogate = "\xED\xA0\x80"; // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16(cut.data(), cut.size()), std::u16string(u"ok\uFFFD"));
    EXPECT_EQ(Utf8ToUtf16(overlong.data(), overlong.size()), std::u16string(u"\uFFFD"));
    EXPECT_EQ(Utf8ToUtf16(surrogate.data(), surrogate.size())[0], u'\uFFFD');
    const char16_t lone[] = {u'a', 0xD800, u'b'};
    EXPECT_EQ(Utf16ToUtf8(lone, 3), "a\xEF\xBF\xBD" "b");
}

TEST(Utf, BoundedLengthStopsAtTheBound) {
    const char16_t wide[4] = {u'a', u'b', u'c', u'd'}; // no terminator
    EXPECT_EQ(Utils::BoundedLength(wide, 4), 4u);
    EXPECT_EQ(Utils::BoundedLength("ab\0cd", 5), 2u);
}

TEST(Utf, CopyCutsToTheFieldWithoutSplittingAPair) {
    char16_t field[5];
    const std::u16string longer = u"abcdef";
    Utils::CopyUtf16(field, 5, longer.data(), longer.size());
    EXPECT_EQ(std::u16string(field), u"abcd");
    const std::u16string pair = u"abc\U0001F600";
    Utils::CopyUtf16(field, 5, pair.data(), pair.size());
    EXPECT_EQ(std::u16string(field), u"abc"); // the pair does not fit whole
    Utils::CopyUtf16(field, 5, pair.data(), 3);
    EXPECT_EQ(std::u16string(field), u"abc");
    Utils::CopyUtf16(field, 1, pair.data(), pair.size());
    EXPECT_EQ(field[0], u'\0');
}
