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

const std::string kInfo = Header("TSource Engine Query") + '\0';

TEST(SimRequest, A2sInfoWithAndWithoutChallenge) {
    const SimRequest plain = Parse(kInfo);
    EXPECT_EQ(SimRequestKind::A2sInfo, plain.kind);
    EXPECT_FALSE(plain.hasChallenge);

    const SimRequest challenged = Parse(kInfo + Le32(0x11223344));
    EXPECT_EQ(SimRequestKind::A2sInfo, challenged.kind);
    EXPECT_TRUE(challenged.hasChallenge);
    EXPECT_EQ(0x11223344u, challenged.challenge);

    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("TSource Engine Quer")).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("TSource Engine Query")).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("TOther") + '\0').kind);
}

TEST(SimRequest, A2sPlayersAndRulesNeedTheirChallenge) {
    const SimRequest players = Parse(Header("U") + Le32(0xFFFFFFFF));
    EXPECT_EQ(SimRequestKind::A2sPlayer, players.kind);
    EXPECT_EQ(0xFFFFFFFFu, players.challenge);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("U\x01\x02\x03")).kind);
    EXPECT_EQ(SimRequestKind::A2sGetChallenge, Parse(Header("W")).kind);
    const SimRequest rules = Parse(Header("V") + Le32(0x01020304));
    EXPECT_EQ(SimRequestKind::A2sRules, rules.kind);
    EXPECT_EQ(0x01020304u, rules.challenge);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("V\x01")).kind);
}

TEST(SimRequest, ValveMasterRequest) {
    const SimRequest request = Parse(Bytes("\x31\x03" "127.0.1.5:27015\0\\gamedir\\harbor\0", 34));
    EXPECT_EQ(SimRequestKind::ValveMaster, request.kind);
    EXPECT_EQ(3, request.region);
    EXPECT_EQ(0x7F000105u, request.seed.ip);
    EXPECT_EQ(27015, request.seed.port);
    EXPECT_EQ("\\gamedir\\harbor", request.filter);

    EXPECT_EQ(SimRequestKind::ValveMaster, Parse(Bytes("\x31\xFF" "0.0.0.0:0\0\0", 13)).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Bytes("\x31\xFF" "0.0.0.0:0\0", 12)).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Bytes("\x31\xFF" "0.0.0.0\0\0", 11)).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Bytes("\x31", 1)).kind);
}

TEST(SimRequest, QuakeQueries) {
    const SimRequest status = Parse(Header("getstatus\n"));
    EXPECT_EQ(SimRequestKind::QuakeStatus, status.kind);
    EXPECT_EQ("", status.challengeText);
    const SimRequest info = Parse(Header("getinfo abc123"));
    EXPECT_EQ(SimRequestKind::QuakeInfo, info.kind);
    EXPECT_EQ("abc123", info.challengeText);
    // A challenge that would break the echoed info string is refused.
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("getstatus a\\b")).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("getstatus " + std::string(65, 'x'))).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("getstatusx")).kind);
}

TEST(SimRequest, QuakeMasterRequest) {
    const SimRequest request = Parse(Header("getservers 68 empty full"));
    EXPECT_EQ(SimRequestKind::QuakeMaster, request.kind);
    EXPECT_EQ(68u, request.protocol);
    EXPECT_TRUE(request.empty);
    EXPECT_TRUE(request.full);
    const SimRequest bare = Parse(Header("getservers 71"));
    EXPECT_EQ(SimRequestKind::QuakeMaster, bare.kind);
    EXPECT_FALSE(bare.empty);
    EXPECT_FALSE(bare.full);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("getservers")).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("getservers x68")).kind);
}

TEST(SimRequest, RemoteConsole) {
    EXPECT_EQ(SimRequestKind::RconChallenge, Parse(Header("challenge rcon\n")).kind);
    const SimRequest rcon = Parse(Header("rcon 77 \"pass word\" status"));
    EXPECT_EQ(SimRequestKind::Rcon, rcon.kind);
    EXPECT_EQ("77 \"pass word\" status", rcon.rconText);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Header("rconx")).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse(Bytes("\xFF\xFF\xFF", 3)).kind);
    EXPECT_EQ(SimRequestKind::Unknown, Parse("").kind);
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

TEST(ParseAddressText, StrictDottedAddressAndPort) {
    SimAddress address;
    ASSERT_TRUE(ParseAddressText("127.0.12.250:65535", address));
    EXPECT_EQ(0x7F000CFAu, address.ip);
    EXPECT_EQ(65535, address.port);
    for (const char* bad : {"127.0.0.1", "127.0.0.1:65536", "127.0.0:1", "256.0.0.1:1",
                            "127.0.0.1:1x", "127.0.0.1:", ":1", "127..0.1:1"})
        EXPECT_FALSE(ParseAddressText(bad, address)) << bad;
}

} // namespace
} // namespace Portico
