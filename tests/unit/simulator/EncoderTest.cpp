// The simulator's answers against byte layouts written out from the public descriptions.
#include "A2sEncoder.h"
#include "MasterEncoder.h"
#include "QuakeEncoder.h"
#include "RconEncoder.h"
#include "SimTestSupport.h"
#include "SourceRcon.h"
#include "SplitEncoder.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

using SimTest::Bytes;
using SimTest::Header;
using SimTest::Le16;
using SimTest::Le32;

std::string Text(const std::string& text) {
    return text + std::string(1, '\0');
}

SimServer SourceServer() {
    SimServer server;
    server.name = "Harbor One";
    server.map = "harbor_docks";
    server.folder = "harbor";
    server.mode = "Harbor Assault";
    server.appId = 1003;
    server.maxPlayers = 24;
    server.bots = 1;
    server.password = true;
    server.vac = true;
    server.os = 'w';
    server.players = {{"Ann", 7, 61.5f, 0}, {"Bo", -2, 3.0f, 0}};
    return server;
}

TEST(A2sEncoder, SourceInfoFollowsTheSourceLayout) {
    const std::string expected = Header("I") + char(17) + Text("Harbor One") +
                                 Text("harbor_docks") + Text("harbor") + Text("Harbor Assault") +
                                 Le16(1003) + char(2) + char(24) + char(1) + "dw" + char(1) +
                                 char(1) + Text("1.0.0.0");
    EXPECT_EQ(expected, EncodeSourceInfo(SourceServer()));
}

TEST(A2sEncoder, ExtraDataFieldsComeInFlagOrder) {
    SimServer server = SourceServer();
    server.gamePort = 27015;
    server.steamId = 0x0102030405060708ull;
    server.tvPort = 27020;
    server.tvName = "tv";
    server.keywords = "a,b";
    server.gameIdField = true;
    const std::string plain = EncodeSourceInfo(SourceServer());
    const std::string extra = std::string(1, char(0x80 | 0x10 | 0x40 | 0x20 | 0x01)) +
                              Le16(27015) + Le32(0x05060708) + Le32(0x01020304) + Le16(27020) +
                              Text("tv") + Text("a,b") + Le32(1003) + Le32(0);
    EXPECT_EQ(plain + extra, EncodeSourceInfo(server));
}

TEST(A2sEncoder, GameWithThreeMoreBytesAfterVac) {
    SimServer server = SourceServer();
    server.appId = 2400;
    const std::string encoded = EncodeSourceInfo(server);
    const std::string tail = std::string("\x01\x01\x00\x00\x00", 5) + Text("1.0.0.0");
    ASSERT_GE(encoded.size(), tail.size());
    EXPECT_EQ(tail, encoded.substr(encoded.size() - tail.size()));
}

TEST(A2sEncoder, GoldSrcInfoFollowsTheObsoleteLayout) {
    SimServer server = SourceServer();
    server.protocol = SimProtocol::GoldSrc;
    server.oldInfo = true;
    server.folder = "valve";
    const std::string base = Header("m") + Text("127.0.3.4:27015") + Text("Harbor One") +
                             Text("harbor_docks") + Text("valve") + Text("Harbor Assault") +
                             char(2) + char(24) + char(47) + "DW" + char(1);
    EXPECT_EQ(base + char(0) + char(1) + char(1),
              EncodeGoldSrcInfo(server, SimAddress{0x7F000304, 27015}));

    server.folder = "valley"; // a mod: its fields follow the mod flag
    const std::string mod = Header("m") + Text("127.0.3.4:27015") + Text("Harbor One") +
                            Text("harbor_docks") + Text("valley") + Text("Harbor Assault") +
                            char(2) + char(24) + char(47) + "DW" + char(1) + char(1) + Text("") +
                            Text("") + char(0) + Le32(1) + Le32(0) + char(0) + char(1) + char(1) +
                            char(1);
    EXPECT_EQ(mod, EncodeGoldSrcInfo(server, SimAddress{0x7F000304, 27015}));
}

TEST(A2sEncoder, PlayersAndChallenge) {
    const std::string expected = Header("D") + char(2) + char(0) + Text("Ann") + Le32(7) +
                                 Le32(0x42760000) + char(1) + Text("Bo") + Le32(uint32_t(-2)) +
                                 Le32(0x40400000);
    EXPECT_EQ(expected, EncodeA2sPlayers(SourceServer().players));
    EXPECT_EQ(Header("A") + Le32(0xDEADBEEF), EncodeA2sChallenge(0xDEADBEEF));
}

TEST(SplitEncoder, SourceLayoutWithAndWithoutPieceSize) {
    const std::string answer = Header("D") + std::string(10, 'x'); // 15 bytes
    const auto pieces = SplitAnswer(answer, 0x80000007, 8, SimSplitLayout::Source);
    ASSERT_EQ(2u, pieces.size());
    EXPECT_EQ(Bytes("\xFE\xFF\xFF\xFF", 4) + Le32(7) + char(2) + char(0) + Le16(8) +
                  answer.substr(0, 8),
              pieces[0]);
    EXPECT_EQ(Bytes("\xFE\xFF\xFF\xFF", 4) + Le32(7) + char(2) + char(1) + Le16(8) +
                  answer.substr(8),
              pieces[1]);

    const auto old = SplitAnswer(answer, 7, 8, SimSplitLayout::SourceNoSize);
    ASSERT_EQ(2u, old.size());
    EXPECT_EQ(Bytes("\xFE\xFF\xFF\xFF", 4) + Le32(7) + char(2) + char(1) + answer.substr(8),
              old[1]);
}

TEST(SplitEncoder, GoldSrcLayoutPacksNumberAndTotal) {
    const std::string answer = Header("D") + std::string(20, 'y'); // 25 bytes
    const auto pieces = SplitAnswer(answer, 9, 10, SimSplitLayout::GoldSrc);
    ASSERT_EQ(3u, pieces.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Bytes("\xFE\xFF\xFF\xFF", 4) + Le32(9), pieces[i].substr(0, 8));
        EXPECT_EQ(char(i << 4 | 3), pieces[i][8]);
    }
    EXPECT_EQ(answer, pieces[0].substr(9) + pieces[1].substr(9) + pieces[2].substr(9));
}

TEST(SplitEncoder, GoldSrcNeverCountsMoreThanFifteenPieces) {
    const std::string answer(1000, 'z');
    const auto pieces = SplitAnswer(answer, 1, 10, SimSplitLayout::GoldSrc);
    ASSERT_EQ(15u, pieces.size());
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(char(i << 4 | 15), pieces[i][8]);
        joined += pieces[i].substr(9);
    }
    EXPECT_EQ(answer, joined);
}

TEST(QuakeEncoder, StatusHasInfoStringAndPlayerLines) {
    SimServer server;
    server.protocol = SimProtocol::Quake3;
    server.name = "^1Red ^7Arena";
    server.map = "ae_corona";
    server.mode = "4";
    server.maxPlayers = 12;
    server.password = true;
    server.players = {{"^2Vex", 15, 0, 48}, {"Mara", -1, 0, 999}};
    EXPECT_EQ(Header("statusResponse\n\\sv_hostname\\^1Red ^7Arena\\mapname\\ae_corona"
                     "\\sv_maxclients\\12\\g_gametype\\4\\g_needpass\\1\\protocol\\68"
                     "\\version\\1.0.0.0\\challenge\\xyz\n15 48 \"^2Vex\"\n-1 999 \"Mara\"\n"),
              EncodeQuakeStatus(server, "xyz"));
    EXPECT_EQ(Header("infoResponse\n\\protocol\\68\\hostname\\^1Red ^7Arena\\mapname\\ae_corona"
                     "\\clients\\2\\sv_maxclients\\12\\gametype\\4\\g_needpass\\1"),
              EncodeQuakeInfo(server, ""));
}

TEST(MasterEncoder, ValvePagesEndWithTheEmptyAddress) {
    const std::vector<SimAddress> list = {{0x7F000102, 27015}, {0x7F000103, 0x5C5C}};
    const std::string head = Header("\x66\x0A");
    const std::string first = Bytes("\x7F\x00\x01\x02\x69\x87", 6);
    const std::string second = Bytes("\x7F\x00\x01\x03\x5C\x5C", 6);
    const std::string end(6, '\0');
    EXPECT_EQ(head + first + second + end, EncodeValveMasterPage(list, 0, 10));
    EXPECT_EQ(head + first, EncodeValveMasterPage(list, 0, 1));
    EXPECT_EQ(head + second + end, EncodeValveMasterPage(list, 1, 1));
    EXPECT_EQ(head + end, EncodeValveMasterPage({}, 0, 10));
}

TEST(MasterEncoder, QuakeRepliesEachEndWithEot) {
    const std::vector<SimAddress> list = {{0x7F00015C, 27960}, {0x7F000201, 27961}, {0x7F000301, 1}};
    const std::string eot = Bytes("\\EOT\0\0\0", 7);
    const auto replies = EncodeQuakeMasterReplies(list, 2);
    ASSERT_EQ(2u, replies.size());
    EXPECT_EQ(Header("getserversResponse") + Bytes("\\\x7F\x00\x01\x5C\x6D\x38", 7) +
                  Bytes("\\\x7F\x00\x02\x01\x6D\x39", 7) + eot,
              replies[0]);
    EXPECT_EQ(Header("getserversResponse") + Bytes("\\\x7F\x00\x03\x01\x00\x01", 7) + eot,
              replies[1]);
    const auto none = EncodeQuakeMasterReplies({}, 2);
    ASSERT_EQ(1u, none.size());
    EXPECT_EQ(Header("getserversResponse") + eot, none[0]);
}

TEST(RconEncoder, DatagramConsoles) {
    EXPECT_EQ(Header("challenge rcon 12345\n") + char(0), EncodeRconChallenge(12345));
    const auto goldSrc = EncodeGoldSrcOutput(std::string(kRconDatagramText + 5, 'a'));
    ASSERT_EQ(2u, goldSrc.size());
    EXPECT_EQ(Header("l") + std::string(kRconDatagramText, 'a') + char(0), goldSrc[0]);
    EXPECT_EQ(Header("l") + "aaaaa" + char(0), goldSrc[1]);
    const auto quake = EncodeQuakeOutput("hello\n");
    ASSERT_EQ(1u, quake.size());
    EXPECT_EQ(Header("print\nhello\n"), quake[0]);
}

TEST(SourceRconCodec, PacketLayout) {
    EXPECT_EQ(Le32(15) + Le32(42) + Le32(3) + Text("hello") + char(0),
              EncodeSourceRcon(42, SourceRconType::kAuth, "hello"));
    EXPECT_EQ(Le32(10) + Le32(uint32_t(-1)) + Le32(2) + char(0) + char(0),
              EncodeSourceRcon(-1, SourceRconType::kAuthResponse, ""));
}

} // namespace
} // namespace Portico
