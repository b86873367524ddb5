#include "utils/Utf.h"

#include <gtest/gtest.h>

using namespace Utils::Utf;

namespace {

// Malformed UTF-8: a lone continuation byte, an overlong '/', an encoded surrogate, a sequence
// cut at the end.
const std::string kMalformed("\x80\xC0\xAF\xED\xA0\x80\xE2\x82", 8);

} // namespace

TEST(Utf, RoundTripsEveryPlane) {
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"; // A é € 😀
    const std::u16string wide = ToUtf16(text);
    EXPECT_EQ(wide, std::u16string(u"A\u00E9\u20AC\U0001F600"));
    EXPECT_EQ(ToUtf8(wide), text);
}

TEST(Utf, ReplacedSequencesBecomeOneReplacementCharacterEach) {
    EXPECT_EQ(ToUtf16("ok\xE2\x82"), std::u16string(u"ok\uFFFD"));
    EXPECT_EQ(ToUtf16("\xC0\xAF"), std::u16string(u"\uFFFD"));
    EXPECT_EQ(ToUtf16(kMalformed), std::u16string(u"\uFFFD\uFFFD\uFFFD\uFFFD"));
    EXPECT_EQ(ToUtf16("\xF5\x80\x80\x80x"), std::u16string(u"\uFFFDx")); // above U+10FFFF
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(ToUtf8({lone, 4}), "a\xEF\xBF\xBD"
                                 "b\xEF\xBF\xBD");
}

TEST(Utf, Latin1TakesEachBadByteAsItsOwnCharacter) {
    EXPECT_EQ(ToUtf16(kMalformed, Malformed::Latin1),
              std::u16string(u"\u0080\u00C0\u00AF\u00ED\u00A0\u0080\u00E2\u0082"));
    char narrow[16];
    CopyToField(narrow, 16,
                std::string("a\xE9"
                            "b\0c",
                            5),
                Malformed::Latin1);
    EXPECT_STREQ(narrow, "a\xC3\xA9"
                         "b");
}

TEST(Utf, BoundedLengthStopsAtTheBound) {
    const char16_t wide[4] = {u'a', u'b', u'c', u'd'}; // no terminator
    EXPECT_EQ(BoundedLength(wide, 4), 4u);
    EXPECT_EQ(BoundedLength("ab\0cd", 5), 2u);
}

TEST(Utf, CopiesCutBetweenWholeCharacters) {
    char16_t field[5];
    CopyToField(field, 5, u"abcdef");
    EXPECT_EQ(std::u16string(field), u"abcd");
    const std::u16string pair = u"abc\U0001F600";
    CopyToField(field, 5, pair);
    EXPECT_EQ(std::u16string(field), u"abc"); // the pair does not fit whole
    CopyToField(field, 1, pair);
    EXPECT_EQ(field[0], u'\0');
    char narrow[4];
    CopyToField(narrow, 4, "ab\xC3\xA9", Malformed::Replace);
    EXPECT_STREQ(narrow, "ab");
    CopyToField(field, 3, "a\xF0\x9F\x98\x80", Malformed::Replace);
    EXPECT_EQ(std::u16string(field), u"a");
    char16_t untouched[1] = {u'x'};
    CopyToField(untouched, 0, "abc", Malformed::Replace);
    EXPECT_EQ(untouched[0], u'x');
}
