#include "Packet.h"
#include "PorticoManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Portico;
using ProtocolTest::Ip;
using ProtocolTest::Packet;

namespace {

const uint32_t kLocal = Ip(127, 0, 0, 1);

struct Reply {
    ServerInfo info{};
    PlayerList players;
    Utils::ArrayT<ServerAddress> further;
    bool followUp = false;
    std::vector<uint32_t> gameIds;
};

std::vector<uint8_t> SourceInfo() {
    Packet p;
    p.Header().U8('I').U8(17).Str("Frontier ^3Dusk").Str("outpost").Str("frontier").Str("Ops");
    p.U16(1028).U8(3).U8(12).U8(0).U8('d').U8('w').U8(0).U8(1).Str("2.1").U8(0x80).U16(27015);
    return p.data;
}

std::vector<uint8_t> Challenge(uint32_t value) {
    return Packet().Header().U8('A').U32(value).data;
}

std::vector<uint8_t> Players() {
    Packet p;
    p.Header().U8('D').U8(2).U8(0).Str("Ann").U32(10).F32(65.0f).U8(1).Str("Bob").U32(2).F32(5.0f);
    return p.data;
}

std::vector<uint8_t> QuakeStatus() {
    return Packet()
        .Header()
        .Text("statusResponse\n\\sv_hostname\\^5Eclipse\\mapname\\q3dm6\\sv_maxclients\\8\n"
              "5 33 \"Visor\"\n")
        .data;
}

std::vector<uint8_t> Bytes(const ByteOutStream* stream) {
    return std::vector<uint8_t>(stream->Data(), stream->Data() + stream->Size());
}

std::vector<uint8_t> InfoRequest(uint32_t challenge) {
    return Packet().Header().U8(0x54).Str("Source Engine Query").U32(challenge).data;
}

std::vector<uint8_t> PlayersRequest(uint32_t challenge) {
    return Packet().Header().U8(0x55).U32(challenge).data;
}

class ParseReplyTest : public ::testing::Test {
protected:
    Reply Parse(const std::vector<uint8_t>& datagram, ServerAddress address) {
        Reply reply;
        ByteInStream stream(datagram.data(), uint32_t(datagram.size()));
        const Utils::ArrayT<uint32_t>* ids = manager.ParseReply(
            stream, address, &reply.further, &reply.info, &reply.players, &reply.followUp);
        EXPECT_NE(ids, nullptr);
        if (ids)
            reply.gameIds.assign(ids->Data(), ids->Data() + ids->Size());
        return reply;
    }

    GameProtocol& Game(uint32_t id) { return *manager.GetProtocol(id); }

    PorticoManager manager;
    const ServerAddress source{kLocal, 27016, 1028};
};

} // namespace

TEST_F(ParseReplyTest, InfoIsFiledUnderTheGamesOfItsEngineItsOwnFirst) {
    const Reply reply = Parse(SourceInfo(), source);
    EXPECT_EQ(std::u16string(reply.info.name), u"Frontier ^3Dusk");
    EXPECT_EQ(reply.info.maxPlayers, 12);
    EXPECT_EQ(reply.info.connectPort, 27015);
    EXPECT_EQ(reply.gameIds, (std::vector<uint32_t>{1028, 1003, 1005}));
    EXPECT_FALSE(reply.followUp);
    EXPECT_EQ(reply.players.address.gameId, 0);
    // The folder names the server's game, whatever is selected; the reply still reaches the
    // records of every game of its engine.
    for (const uint16_t selected : {1010, 1003})
        EXPECT_EQ(Parse(SourceInfo(), ServerAddress{kLocal, 27016, selected}).gameIds,
                  (std::vector<uint32_t>{1028, 1003, 1005}));
    // A folder of no known game: the selected game first.
    Packet unknown;
    unknown.Header().U8('I').U8(17).Str("Mod").Str("m1").Str("somemod").Str("Mod").U16(1);
    unknown.U8(0).U8(8).U8(0).U8('d').U8('l').U8(0).U8(0).Str("1");
    EXPECT_EQ(Parse(unknown.data, ServerAddress{kLocal, 27016, 1005}).gameIds,
              (std::vector<uint32_t>{1005, 1003, 1028}));

    Packet obsolete;
    obsolete.Header().U8('m').Str("1.2.3.4:27015").Str("Old").Str("map").Str("valley").Str("");
    obsolete.U8(1).U8(8).U8(47).U8('d').U8('l').U8(1);
    const Reply old = Parse(obsolete.data, ServerAddress{kLocal, 27015, 1003});
    EXPECT_EQ(old.gameIds, (std::vector<uint32_t>{1005}));
    EXPECT_STREQ(old.info.gameType, "valley");
    EXPECT_EQ(old.info.needPass, 1);
}

TEST_F(ParseReplyTest, InfoChallengeIsAnsweredByTheFollowUp) {
    const Reply challenge = Parse(Challenge(0x0BADF00D), source);
    EXPECT_TRUE(challenge.followUp);
    EXPECT_EQ(challenge.info.maxPlayers, 0);
    EXPECT_TRUE(challenge.gameIds.empty());
    // The plug-in asks the selected game for the follow-up, whichever engine that is.
    EXPECT_EQ(Bytes(Game(1010).BuildDetailRequest(source)), InfoRequest(0x0BADF00D));
    EXPECT_EQ(Parse(SourceInfo(), source).info.players, 3);
    // The challenge is remembered for the players request.
    EXPECT_EQ(Bytes(Game(1028).BuildDetailRequest(source)), PlayersRequest(0x0BADF00D));
}

TEST_F(ParseReplyTest, PlayersChallengeIsAnsweredByTheFollowUp) {
    EXPECT_EQ(Bytes(Game(1005).BuildDetailRequest(source)), PlayersRequest(0xFFFFFFFF));
    const Reply challenge = Parse(Challenge(42), source);
    ASSERT_TRUE(challenge.followUp);
    EXPECT_EQ(Bytes(Game(1005).BuildDetailRequest(source)), PlayersRequest(42));
    const Reply players = Parse(Players(), source);
    EXPECT_EQ(players.players.address, (ServerAddress{kLocal, 27016, 1028}));
    ASSERT_EQ(players.players.entries.Size(), 2u);
    EXPECT_STREQ(players.players.entries[0].name, "Ann");
    EXPECT_EQ(players.players.entries[0].time, 65u);
    EXPECT_EQ(players.info.maxPlayers, 0);
    EXPECT_TRUE(players.gameIds.empty());
}

TEST_F(ParseReplyTest, UnaskedPlayerListsGoNowhere) {
    EXPECT_EQ(Parse(Players(), source).players.address.gameId, 0);
}

TEST_F(ParseReplyTest, QuakeStatusFillsInfoAndOnlyAskedPlayers) {
    const ServerAddress arena{kLocal, 27960, 1003};
    const Reply refresh = Parse(QuakeStatus(), arena);
    EXPECT_EQ(std::u16string(refresh.info.name), u"^5Eclipse");
    EXPECT_EQ(refresh.info.players, 1);
    EXPECT_EQ(refresh.gameIds, (std::vector<uint32_t>{1010}));
    EXPECT_EQ(refresh.players.address.gameId, 0);
    Game(1010).BuildDetailRequest(arena);
    EXPECT_EQ(Parse(QuakeStatus(), arena).players.address, (ServerAddress{kLocal, 27960, 1010}));
}

TEST_F(ParseReplyTest, MasterListsBecomeFurtherServers) {
    Packet valve;
    valve.Header().Bytes({0x66, 0x0A}).Ip(127, 0, 0, 2).U16Be(27015).Ip(0, 0, 0, 0).U16Be(0);
    const Reply valveList = Parse(valve.data, ServerAddress{Ip(127, 0, 0, 9), 27011, 1010});
    ASSERT_EQ(valveList.further.Size(), 1u);
    EXPECT_EQ(valveList.further[0], (ServerAddress{Ip(127, 0, 0, 2), 27015, 1003}));
    EXPECT_TRUE(valveList.gameIds.empty());

    Packet quake;
    quake.Header().Text("getserversResponse\\").Ip(127, 0, 0, 3).U16Be(27960).Text("\\EOT");
    const Reply quakeList = Parse(quake.data, ServerAddress{Ip(127, 0, 0, 9), 27950, 1003});
    ASSERT_EQ(quakeList.further.Size(), 1u);
    EXPECT_EQ(quakeList.further[0], (ServerAddress{Ip(127, 0, 0, 3), 27960, 1010}));

    Packet wrongMarker;
    wrongMarker.Header().Bytes({0x66, 0x0B}).Ip(127, 0, 0, 2).U16Be(27015);
    EXPECT_EQ(Parse(wrongMarker.data, source).further.Size(), 0u);
}

TEST_F(ParseReplyTest, SplitAnswersAreJoinedBeforeParsing) {
    const std::vector<uint8_t> info = SourceInfo();
    const size_t half = info.size() / 2;
    Packet first, second;
    first.SplitHeader(7).U8(2).U8(0).U16(1248);
    first.Append(std::vector<uint8_t>(info.begin(), info.begin() + half));
    second.SplitHeader(7).U8(2).U8(1).U16(1248);
    second.Append(std::vector<uint8_t>(info.begin() + half, info.end()));
    EXPECT_EQ(Parse(second.data, source).info.maxPlayers, 0);
    // The same id from another port is another answer.
    EXPECT_EQ(Parse(first.data, ServerAddress{kLocal, 27017, 1028}).info.maxPlayers, 0);
    const Reply joined = Parse(first.data, source);
    EXPECT_EQ(joined.info.maxPlayers, 12);
    EXPECT_EQ(joined.gameIds.size(), 3u);
}

TEST_F(ParseReplyTest, ForeignAndOversizedDatagramsAreHandled) {
    EXPECT_TRUE(Parse(Packet().Bytes({0xFF, 0xFF, 0xFF, 0xFE, 'I'}).data, source).gameIds.empty());
    EXPECT_TRUE(Parse(Packet().Header().U8('Z').data, source).gameIds.empty());

    std::vector<uint8_t> huge = SourceInfo();
    huge.resize(65536, 0xEE); // trailing bytes after a whole answer are not read
    EXPECT_EQ(Parse(huge, source).info.maxPlayers, 12);
    std::vector<uint8_t> noise(65536);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = uint8_t(i * 131 + 7);
    EXPECT_EQ(Parse(noise, source).info.maxPlayers, 0);
}

TEST_F(ParseReplyTest, ReadingStartsAtTheStreamPosition) {
    std::vector<uint8_t> datagram = {1, 2, 3};
    const std::vector<uint8_t> info = SourceInfo();
    datagram.insert(datagram.end(), info.begin(), info.end());
    ByteInStream stream(datagram.data(), uint32_t(datagram.size()));
    unsigned char skipped;
    stream >> skipped >> skipped >> skipped;
    ServerInfo parsed{};
    manager.ParseReply(stream, source, nullptr, &parsed, nullptr, nullptr);
    EXPECT_EQ(parsed.maxPlayers, 12);
}
