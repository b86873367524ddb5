#include "CountryOverrides.h"
#include "RangeTableImage.h"
#include "abi/RegionTable.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using Portico::CountryCode;
using Portico::CountryOverrides;
using RegionTest::Ip;

namespace {

bool Parse(CountryOverrides& overrides, const std::string& text) {
    return overrides.Parse(text.data(), text.size());
}

uint16_t CodeOf(const CountryOverrides& overrides, uint32_t ip) {
    uint16_t code = 0;
    return overrides.Find(ip, code) ? code : 0;
}

} // namespace

TEST(CountryOverrides, ReadsRangesCommentsAndBlankLines) {
    CountryOverrides overrides;
    ASSERT_TRUE(Parse(overrides, "# loopback countries\n"
                                 "\n"
                                 "127.0.1.0/24 DE\n"
                                 "  127.0.2.0/24\tUS   # trailing comment\r\n"
                                 "127.0.3.7 FR\n"
                                 "10.0.0.0/8 GG#no blank before the comment\n"
                                 "   \t\n"
                                 "127.0.4.0/31 JP"));
    EXPECT_EQ(overrides.RangeCount(), 5u);
    const std::pair<uint32_t, const char*> expected[] = {
        {Ip(127, 0, 1, 0), "DE"},      {Ip(127, 0, 1, 255), "DE"}, {Ip(127, 0, 2, 0), "US"},
        {Ip(127, 0, 3, 7), "FR"},      {Ip(127, 0, 3, 6), ""},     {Ip(127, 0, 3, 8), ""},
        {Ip(10, 255, 255, 255), "GG"}, {Ip(127, 0, 4, 1), "JP"},   {Ip(127, 0, 4, 2), ""},
        {Ip(127, 0, 0, 1), ""},        {Ip(9, 255, 255, 255), ""}};
    for (const auto& [ip, code] : expected)
        EXPECT_EQ(CodeOf(overrides, ip), *code ? CountryCode(code[0], code[1]) : 0)
            << std::hex << ip;
}

TEST(CountryOverrides, WholeSpaceAndEmptyFile) {
    CountryOverrides overrides;
    ASSERT_TRUE(Parse(overrides, "0.0.0.0/0 AQ\n"));
    EXPECT_EQ(CodeOf(overrides, 0), CountryCode('A', 'Q'));
    EXPECT_EQ(CodeOf(overrides, 0xFFFFFFFF), CountryCode('A', 'Q'));
    ASSERT_TRUE(Parse(overrides, ""));
    EXPECT_EQ(overrides.RangeCount(), 0u);
    EXPECT_EQ(CodeOf(overrides, 0), 0);
}

TEST(CountryOverrides, OneBadLineRefusesTheWholeFile) {
    const char* badLines[] = {
        "127.0.1.0/24",          // no code
        "127.0.1.0/24 de",       // lower case
        "127.0.1.0/24 DEU",      // three letters
        "127.0.1.0/24 D",        // one letter
        "127.0.1.1/24 DE",       // host bits set
        "127.0.1/24 DE",         // three parts
        "1.2.3.4.5 DE",          // five parts
        "256.0.0.0/8 DE",        // octet too large
        "1.2.3.0004 DE",         // four digits
        "-1.2.3.4 DE",           // sign
        "127.0.1.0/33 DE",       // prefix too long
        "127.0.1.0/ DE",         // prefix missing
        "127.0.1.0/24DE",        // no blank before the code
        "127.0.1.0/24 DE extra", // trailing word
        "DE 127.0.1.0/24",       // swapped
    };
    for (const char* line : badLines) {
        CountryOverrides overrides;
        ASSERT_TRUE(Parse(overrides, "127.0.9.0/24 SE\n"));
        EXPECT_FALSE(Parse(overrides, std::string("127.0.2.0/24 US\n") + line + "\n")) << line;
        EXPECT_EQ(overrides.RangeCount(), 0u) << line;
        EXPECT_EQ(CodeOf(overrides, Ip(127, 0, 2, 1)), 0) << line;
        EXPECT_EQ(CodeOf(overrides, Ip(127, 0, 9, 1)), 0) << line;
    }
}

TEST(CountryOverrides, NulByteOutsideACommentIsRefused) {
    CountryOverrides overrides;
    EXPECT_FALSE(Parse(overrides, std::string("127.0.1.0/24 DE\0\n", 17)));
    EXPECT_TRUE(Parse(overrides, std::string("127.0.1.0/24 DE # \0 in a comment\n", 33)));
}

TEST(CountryOverrides, OverlapIsRefusedButNeighboursAreNot) {
    CountryOverrides overrides;
    EXPECT_FALSE(Parse(overrides, "127.0.0.0/8 DE\n127.0.1.0/24 US\n"));
    EXPECT_FALSE(Parse(overrides, "127.0.1.0/24 US\n127.0.1.0/24 US\n"));
    EXPECT_FALSE(Parse(overrides, "127.0.1.128/25 US\n127.0.1.0/24 FR\n"));
    ASSERT_TRUE(Parse(overrides, "127.0.2.0/24 US\n127.0.1.0/24 DE\n"));
    EXPECT_EQ(CodeOf(overrides, Ip(127, 0, 1, 255)), CountryCode('D', 'E'));
    EXPECT_EQ(CodeOf(overrides, Ip(127, 0, 2, 0)), CountryCode('U', 'S'));
}

TEST(CountryOverrides, OversizedFileIsRefused) {
    CountryOverrides overrides;
    std::string text = "127.0.1.0/24 DE\n";
    text += std::string(CountryOverrides::kMaxFileBytes, '#');
    EXPECT_FALSE(Parse(overrides, text));
    EXPECT_EQ(CodeOf(overrides, Ip(127, 0, 1, 1)), 0);
}
