// The simulator's answers against byte layouts written out from the public descriptions.
#include "A2sEncoder.h"
#include "MasterEncoder.h"
#include "QuakeEncoder.h"
#include "RconEncoder.h"
#include "SimTestSupport.h"
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

TEST(A2sEncoder, ExtraDataFieldsComeInFlagOrder) {
    SimServer server = SourceServer();
    server.gamePort = 27015;
    server.steamId = 0x0102030405060708ull;
    server.tvPort = 27020;
    server.tvName = "tv";
    server.keywords = "a,b";
    server.gameIdField = true;
    const std::string plain = EncodeSourceInfo(SourceServer());
    const std::string extra = std::string(1, char(0x80 | 0x10 | 0x40 | 0x20 | 0x01)) + Le16(27015) +
                              Le32(0x05060708) + Le32(0x01020304) + Le16(27020) + Text("tv") +
                              Text("a,b") + Le32(1003) + Le32(0);
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
    const auto head = [](const std::string& folder) {
        return Header("m") + Text("127.0.3.4:27015") + Text("Harbor One") + Text("harbor_docks") +
               Text(folder) + Text("Harbor Assault") + char(2) + char(24) + char(47) + "DW" +
               char(1);
    };
    const SimAddress bound{0x7F000304, 27015};
    EXPECT_EQ(head("valve") + char(0) + char(1) + char(1), EncodeGoldSrcInfo(server, bound));

    server.folder = "valley"; // a mod: its fields follow the mod flag
    EXPECT_EQ(head("valley") + char(1) + Text("") + Text("") + char(0) + Le32(1) + Le32(0) +
                  char(0) + char(1) + char(1) + char(1),
              EncodeGoldSrcInfo(server, bound));
}

// The round trips use the Source layout with the piece size and the GoldSrc layout.
TEST(SplitEncoder, SourceLayoutWithoutPieceSize) {
    const std::string answer = Header("D") + std::string(10, 'x'); // 15 bytes
    const auto old = SplitAnswer(answer, 7, 8, SimSplitLayout::SourceNoSize);
    ASSERT_EQ(2u, old.size());
    EXPECT_EQ(Bytes("\xFE\xFF\xFF\xFF", 4) + Le32(7) + char(2) + char(1) + answer.substr(8),
              old[1]);
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

TEST(QuakeEncoder, InfoReplyCountsPlayers) {
    SimServer server;
    server.protocol = SimProtocol::Quake3;
    server.name = "^1Red ^7Arena";
    server.map = "ae_corona";
    server.mode = "4";
    server.maxPlayers = 12;
    server.password = true;
    server.players = {{"^2Vex", 15, 0, 48}, {"Mara", -1, 0, 999}};
    EXPECT_EQ(Header("infoResponse\n\\protocol\\68\\hostname\\^1Red ^7Arena\\mapname\\ae_corona"
                     "\\clients\\2\\sv_maxclients\\12\\gametype\\4\\g_needpass\\1"),
              EncodeQuakeInfo(server, ""));
}

TEST(MasterEncoder, QuakeRepliesEachEndWithEot) {
    const std::vector<SimAddress> list = {
        {0x7F00015C, 27960}, {0x7F000201, 27961}, {0x7F000301, 1}};
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

TEST(RconEncoder, LongGoldSrcOutputIsSplit) {
    const auto goldSrc = EncodeGoldSrcOutput(std::string(kRconDatagramText + 5, 'a'));
    ASSERT_EQ(2u, goldSrc.size());
    EXPECT_EQ(Header("l") + std::string(kRconDatagramText, 'a') + char(0), goldSrc[0]);
    EXPECT_EQ(Header("l") + "aaaaa" + char(0), goldSrc[1]);
}

} // namespace
} // namespace Portico
