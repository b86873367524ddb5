#include "A2sParser.h"
#include "Packet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Portico;
using ProtocolTest::Packet;

namespace {

// An info answer in the Source layout: header, 'I', then the fields in order.
Packet SourceInfo(const std::string& game, bool withExtraData) {
    Packet p;
    p.Header().U8('I').U8(17).Str("Harbor ^1Night").Str("dock_02").Str("harbor").Str(game);
    p.U16(1003).U8(5).U8(24).U8(1).U8('d').U8('l').U8(1).U8(1).Str("1.0.0.70");
    if (withExtraData) {
        p.U8(0x80 | 0x10 | 0x40 | 0x20 | 0x01);
        p.U16(27020);                      // game port
        p.U32(0x11223344).U32(0x01100001); // server id
        p.U16(27021).Str("Harbor TV");     // broadcast port and name
        p.Str("alltalk,ctf");              // keywords
        p.U32(1003).U32(0);                // game id
    }
    return p;
}

// The fields after the type byte.
PacketReader After(const Packet& p, uint32_t typeOffset = 4) {
    return PacketReader(p.data.data() + typeOffset + 1, uint32_t(p.data.size()) - typeOffset - 1);
}

PacketReader Prefix(const Packet& p, uint32_t length) {
    return PacketReader(p.data.data() + 5, length - 5);
}

} // namespace

TEST(A2sInfo, TheOneGameWithThreeMoreBytesBeforeTheVersion) {
    Packet p;
    p.Header().U8('I').U8(7).Str("Ship").Str("bay").Str("ship").Str("The Ship");
    p.U16(2400).U8(3).U8(16).U8(0).U8('d').U8('w').U8(0).U8(0);
    p.U8(0).U8(4).U8(30).Str("1.0").U8(0x80).U16(27050);
    PacketReader reader = After(p);
    ServerInfo info{};
    ASSERT_TRUE(A2sParser::ParseInfo(reader, 27015, info));
    EXPECT_EQ(info.connectPort, 27050);
    EXPECT_EQ(info.needPass, 0);
}

// Whole, every extra field read: the game port, not the queried one, is joined.
TEST(A2sInfo, CutBeforeTheVersionIsBadCutInTheExtraDataKeepsWhatIsWhole) {
    const Packet p = SourceInfo("Harbor Assault", true);
    const uint32_t versionEnd = uint32_t(SourceInfo("Harbor Assault", false).data.size());
    const uint32_t gamePortEnd = versionEnd + 3; // flag byte and port
    for (uint32_t length = 5; length <= p.data.size(); ++length) {
        PacketReader reader = Prefix(p, length);
        ServerInfo info{};
        const bool parsed = A2sParser::ParseInfo(reader, 27015, info);
        ASSERT_EQ(parsed, length >= versionEnd) << "length " << length;
        if (!parsed) {
            EXPECT_EQ(info.maxPlayers, 0) << "length " << length;
            continue;
        }
        EXPECT_EQ(info.maxPlayers, 24);
        EXPECT_STREQ(info.gameType, "Harbor Assault");
        EXPECT_EQ(info.connectPort, length >= gamePortEnd ? 27020 : 27015) << "length " << length;
    }
}

TEST(A2sInfo, ObsoleteGoldSrcLayoutWithModFields) {
    Packet p;
    p.Header().U8('m').Str("127.0.0.1:27015").Str("Valley \xE9t\xE9").Str("crossfire");
    p.Str("valley").Str("Valley Siege").U8(7).U8(20).U8(47).U8('D').U8('L').U8(0);
    p.U8(1).Str("www.example.invalid").Str("").U8(0).U32(1).U32(18000).U8(0).U8(1);
    p.U8(1).U8(2); // VAC, bots
    PacketReader reader = After(p);
    ServerInfo info{};
    ASSERT_TRUE(A2sParser::ParseGoldSrcInfo(reader, 27016, info));
    EXPECT_EQ(std::u16string(info.name), u"Valley \u00E9t\u00E9"); // 8-bit name read as Latin-1
    EXPECT_EQ(info.maxPlayers, 20);

    PacketReader cut = Prefix(p, 60);
    ServerInfo untouched{};
    EXPECT_FALSE(A2sParser::ParseGoldSrcInfo(cut, 27016, untouched));
}

TEST(A2sPlayers, EntriesWithScoresAndWholeSecondsConnectingPlayersLeftOut) {
    Packet p;
    p.Header().U8('D').U8(5);
    p.U8(0).Str("Ann").U32(uint32_t(-3)).F32(3723.9f);
    p.U8(1).Str("").U32(0).F32(1.0f); // still connecting
    p.U8(2).Str(std::string(40, 'x') + "\xC3\xA9").U32(12).F32(std::nanf(""));
    p.U8(3).Str("Bob").U32(7).F32(-5.0f);
    p.U8(4).Str("Old").U32(0).F32(std::numeric_limits<float>::max());
    PacketReader reader = After(p);
    Utils::ArrayT<PlayerEntry> players;
    ASSERT_TRUE(A2sParser::ParsePlayers(reader, players));
    ASSERT_EQ(players.Size(), 4u);
    EXPECT_STREQ(players[0].name, "Ann");
    EXPECT_EQ(players[0].score, -3);
    EXPECT_EQ(players[0].time, 3723u);
    EXPECT_EQ(std::string(players[1].name), std::string(31, 'x'));
    EXPECT_EQ(players[1].time, 0u);
    EXPECT_EQ(players[2].time, 0u);
    EXPECT_EQ(players[2].score, 7);
    EXPECT_EQ(players[3].time, 0xFFFFFFFFu); // huge durations stop at the largest time
}

TEST(A2sPlayers, AListShorterThanItsCountKeepsItsWholeEntries) {
    Packet p;
    p.Header().U8('D').U8(5).U8(0).Str("Ann").U32(1).F32(2.0f);
    const uint32_t firstEnd = uint32_t(p.data.size());
    p.U8(1).Str("Bob").U32(3).F32(4.0f); // three of the five counted never come
    for (uint32_t length = 5; length <= p.data.size(); ++length) {
        PacketReader reader = Prefix(p, length);
        Utils::ArrayT<PlayerEntry> players;
        ASSERT_EQ(A2sParser::ParsePlayers(reader, players), length > 5) << "length " << length;
        const uint32_t whole = length == p.data.size() ? 2 : length >= firstEnd ? 1 : 0;
        ASSERT_EQ(players.Size(), whole) << "length " << length;
        if (whole > 0) {
            EXPECT_STREQ(players[0].name, "Ann");
        }
    }
}

TEST(A2sChallenge, FourBytesOrNothing) {
    Packet p;
    p.Header().U8('A').U32(0xA1B2C3D4);
    PacketReader reader = After(p);
    uint32_t challenge = 0;
    ASSERT_TRUE(A2sParser::ParseChallenge(reader, challenge));
    EXPECT_EQ(challenge, 0xA1B2C3D4u);
    PacketReader cut = Prefix(p, 8);
    EXPECT_FALSE(A2sParser::ParseChallenge(cut, challenge));
}
