// Reading the requests that reach simulated servers and masters.
#include "SimRequest.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

using SimTest::Bytes;
using SimTest::Header;
using SimTest::Le32;

SimRequest Parse(const std::string& bytes) {
    return ParseSimRequest(bytes.data(), bytes.size());
}

// The round trips send every kind of request the protocol library makes; these are the
// details they do not look at, and the requests that must be refused.
TEST(SimRequest, FieldsTheRoundTripsDoNotReach) {
    const std::string info = Header("TSource Engine Query") + '\0';
    EXPECT_FALSE(Parse(info).hasChallenge);
    EXPECT_EQ(0x11223344u, Parse(info + Le32(0x11223344)).challenge);
    EXPECT_EQ(SimRequestKind::A2sGetChallenge, Parse(Header("W")).kind);
    const SimRequest valve = Parse(Bytes("\x31\x03"
                                         "127.0.1.5:27015\0\\gamedir\\harbor\0",
                                         34));
    EXPECT_EQ(3, valve.region);
    EXPECT_EQ("\\gamedir\\harbor", valve.filter);
    EXPECT_EQ("abc123", Parse(Header("getinfo abc123")).challengeText);
    const SimRequest rules = Parse(Header("V") + Le32(0x01020304));
    EXPECT_EQ(SimRequestKind::A2sRules, rules.kind);
    EXPECT_EQ(0x01020304u, rules.challenge);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("V\x01")).kind);
    const SimRequest bare = Parse(Header("getservers 71"));
    EXPECT_EQ(71u, bare.protocol);
    EXPECT_FALSE(bare.empty || bare.full);
    EXPECT_EQ("77 \"pass word\" status", Parse(Header("rcon 77 \"pass word\" status")).rconText);
}

TEST(SimRequest, MalformedRequestsAreUnknown) {
    const std::string refused[] = {
        Header("TSource Engine Quer"), Header("TSource Engine Query"), Header("TOther") + '\0',
        Header("U\x01\x02\x03"),
        Bytes("\x31\xFF"
              "0.0.0.0:0\0",
              12),
        Bytes("\x31\xFF"
              "0.0.0.0\0\0",
              11),
        Bytes("\x31", 1),
        // A challenge that would break the echoed info string.
        Header("getstatus a\\b"), Header("getstatus " + std::string(65, 'x')), Header("getstatusx"),
        Header("getservers"), Header("getservers x68"), Header("rconx"), Bytes("\xFF\xFF\xFF", 3),
        ""};
    for (const std::string& bytes : refused)
        EXPECT_EQ(SimRequestKind::Unknown, Parse(bytes).kind) << bytes;
}

TEST(SplitRconWords, QuotedAndBareWords) {
    std::vector<std::string> words;
    std::string rest;
    ASSERT_TRUE(SplitRconWords("77 \"pass word\"  kick  Bo ", 2, words, rest));
    EXPECT_EQ((std::vector<std::string>{"77", "pass word"}), words);
    EXPECT_EQ("kick  Bo ", rest);
    ASSERT_TRUE(SplitRconWords("secret", 1, words, rest));
    EXPECT_EQ("", rest);
    EXPECT_FALSE(SplitRconWords("  ", 1, words, rest));
    EXPECT_FALSE(SplitRconWords("one", 2, words, rest));
    ASSERT_TRUE(SplitRconWords("\"open", 1, words, rest)); // an unclosed quote ends the text
    EXPECT_EQ("open", words[0]);
}

} // namespace
} // namespace Portico
