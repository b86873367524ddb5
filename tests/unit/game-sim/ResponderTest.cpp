// What simulated servers and masters answer, without sockets.
#include "A2sEncoder.h"
#include "MasterResponder.h"
#include "ServerResponder.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

using SimTest::Bytes;
using SimTest::Header;
using SimTest::Le32;

constexpr uint32_t kClient = 0x7F000001;
const SimAddress kBound{0x7F000105, 27015};

std::vector<SimBytes> Ask(ServerResponder& responder, const std::string& bytes,
                          uint32_t ip = kClient) {
    return responder.Respond(ParseSimRequest(bytes.data(), bytes.size()), ip, 20100);
}

std::string InfoRequest() {
    return Header("TSource Engine Query") + '\0';
}

SimServer Server(SimProtocol protocol) {
    SimServer server;
    server.protocol = protocol;
    server.name = "Test";
    server.map = "map1";
    server.players = {{"Ann", 1, 10, 20}, {"Bo", 2, 30, 40}};
    return server;
}

// The round trips cover the right challenge; a wrong one and a second client are here.
TEST(ServerResponder, ChallengeIsPerClientAndAWrongOneIsAskedAgain) {
    SimServer server = Server(SimProtocol::Source);
    server.challenge = true;
    ServerResponder guarded(server, kBound, 5);
    const uint32_t challenge = guarded.A2sChallengeFor(kClient);
    EXPECT_NE(0xFFFFFFFFu, challenge);
    EXPECT_EQ(EncodeA2sChallenge(challenge),
              Ask(guarded, InfoRequest() + Le32(challenge ^ 1)).at(0));
    EXPECT_EQ(EncodeA2sChallenge(challenge), Ask(guarded, Header("W")).at(0));
    EXPECT_NE(challenge, guarded.A2sChallengeFor(kClient + 1));
}

TEST(ServerResponder, RulesAfterTheirChallenge) {
    SimServer server = Server(SimProtocol::Source);
    server.rules = {{"mp_timelimit", "30"}, {"sv_tags", ""}};
    ServerResponder responder(server, kBound, 6);
    const uint32_t challenge = responder.A2sChallengeFor(kClient);
    EXPECT_EQ(EncodeA2sChallenge(challenge), Ask(responder, Header("V") + Le32(0xFFFFFFFF)).at(0));
    EXPECT_EQ(Header("E") + Bytes("\x02\x00mp_timelimit\0"
                                  "30\0sv_tags\0\0",
                                  27),
              Ask(responder, Header("V") + Le32(challenge)).at(0));
}

// Each hostile server, asked for its info twice.
TEST(ServerResponder, HostileServersMisbehaveOnEveryRequest) {
    SimServer server = Server(SimProtocol::Source);
    const SimBytes info = EncodeSourceInfo(server);
    const auto twice = [&](SimHostile hostile) {
        server.hostile = hostile;
        ServerResponder responder(server, kBound, 9);
        return std::make_pair(Ask(responder, InfoRequest()), Ask(responder, InfoRequest()));
    };
    EXPECT_TRUE(twice(SimHostile::Silent).first.empty());

    auto challenges = twice(SimHostile::Challenges);
    ASSERT_EQ(1u, challenges.first.size());
    EXPECT_EQ(Header("A"), challenges.first[0].substr(0, 5));
    EXPECT_NE(challenges.first, challenges.second); // a new one each time, never met

    const auto oversized = twice(SimHostile::Oversized).first;
    ASSERT_EQ(1u, oversized.size());
    EXPECT_EQ(8192u, oversized[0].size());
    EXPECT_EQ(info, oversized[0].substr(0, info.size()));

    const auto truncated = twice(SimHostile::Truncated).first;
    ASSERT_EQ(1u, truncated.size());
    EXPECT_EQ(info.substr(0, info.size() / 2), truncated[0]);

    // Source pieces: header, id, total, number, size; the last of total never comes.
    const auto pieces = twice(SimHostile::Unfinished).first;
    ASSERT_GE(pieces.size(), 2u);
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(Bytes("\xFE\xFF\xFF\xFF", 4), pieces[i].substr(0, 4));
        EXPECT_EQ(pieces.size() + 1, size_t(uint8_t(pieces[i][8])));
        EXPECT_EQ(i, size_t(uint8_t(pieces[i][9])));
    }

    const auto garbage = twice(SimHostile::Garbage);
    ASSERT_EQ(1u, garbage.first.size());
    EXPECT_FALSE(garbage.first[0].empty());
    EXPECT_LE(garbage.first[0].size(), 1400u);
    EXPECT_NE(garbage.first, garbage.second);
}

TEST(ServerResponder, GoldSrcOldInfoLayoutNamesTheBoundAddress) {
    SimServer server = Server(SimProtocol::GoldSrc);
    server.oldInfo = true;
    ServerResponder responder(server, kBound, 7);
    const auto answer = Ask(responder, InfoRequest());
    ASSERT_EQ(1u, answer.size());
    EXPECT_EQ(EncodeGoldSrcInfo(server, kBound), answer[0]);
}

TEST(ServerResponder, SplitAnswersGetNewIdsAndSmallOnesGoWhole) {
    SimServer server = Server(SimProtocol::Source);
    for (int i = 0; i < 30; ++i)
        server.players.push_back({"Player" + std::to_string(i), i, float(i), 0});
    server.split = 100;
    ServerResponder responder(server, kBound, 8);
    const uint32_t challenge = responder.A2sChallengeFor(kClient);
    const auto first = Ask(responder, Header("U") + Le32(challenge));
    ASSERT_GT(first.size(), 1u);
    // The info answer fits one datagram and goes whole; the next split answer has a new id.
    EXPECT_EQ(1u, Ask(responder, InfoRequest()).size());
    const auto second = Ask(responder, Header("U") + Le32(challenge));
    EXPECT_NE(first[0].substr(4, 4), second.at(0).substr(4, 4));
}

TEST(ServerResponder, QuakeStatusAndInfoOnlyOnQuakeServers) {
    ServerResponder quake(Server(SimProtocol::Quake3), kBound, 9);
    const auto status = Ask(quake, Header("getstatus 123"));
    ASSERT_EQ(1u, status.size());
    EXPECT_EQ(0u, status[0].find(Header("statusResponse\n")));
    EXPECT_NE(std::string::npos, status[0].find("\\challenge\\123\n"));
    EXPECT_EQ(0u, Ask(quake, Header("getinfo")).at(0).find(Header("infoResponse\n")));
    EXPECT_TRUE(Ask(quake, InfoRequest()).empty());

    ServerResponder source(Server(SimProtocol::Source), kBound, 9);
    EXPECT_TRUE(Ask(source, Header("getstatus")).empty());
}

TEST(ServerResponder, GoldSrcConsoleNeedsChallengeAndPassword) {
    SimServer server = Server(SimProtocol::GoldSrc);
    server.rcon = SimRcon::UdpChallenge;
    server.rconPassword = "pw";
    server.commands = {{"status", "all fine\n"}};
    ServerResponder responder(server, kBound, 10);
    const uint32_t challenge = responder.RconChallengeFor(kClient);
    EXPECT_EQ(
        Header("lBad challenge.\n") + '\0',
        Ask(responder, Header("rcon " + std::to_string(challenge + 1) + " \"pw\" status")).at(0));
    // A console of another kind ignores the datagram forms.
    EXPECT_TRUE(Ask(responder, Header("rcon")).empty());
}

TEST(ServerResponder, QuakeConsoleWithoutChallenge) {
    SimServer server = Server(SimProtocol::Quake3);
    server.rcon = SimRcon::Udp;
    server.rconPassword = "pw";
    ServerResponder responder(server, kBound, 11);
    EXPECT_TRUE(Ask(responder, Header("challenge rcon")).empty());

    server.rcon = SimRcon::Off;
    ServerResponder silent(server, kBound, 11);
    EXPECT_TRUE(Ask(silent, Header("rcon pw status")).empty());
}

std::vector<MasterListing> Listings() {
    std::vector<MasterListing> listings;
    for (uint32_t i = 0; i < 5; ++i) {
        MasterListing listing;
        listing.address = SimAddress{0x7F000100 + 5 - i, 27015}; // out of order on purpose
        listing.folder = i % 2 ? "harbor" : "valley";
        listing.maxPlayers = 10;
        listing.players = uint8_t(i * 5); // 0, 5, 10, 15, 20
        listing.netProtocol = 17;
        listings.push_back(listing);
    }
    MasterListing quake;
    quake.address = SimAddress{0x7F00015C, 27960};
    quake.protocol = SimProtocol::Quake3;
    quake.netProtocol = 68;
    quake.players = 3;
    quake.maxPlayers = 8;
    listings.push_back(quake);
    return listings;
}

std::string ValveRequest(const std::string& seed, const std::string& filter) {
    return Bytes("\x31\xFF", 2) + seed + '\0' + filter + '\0';
}

std::vector<SimBytes> AskMaster(MasterResponder& master, const std::string& bytes) {
    return master.Respond(ParseSimRequest(bytes.data(), bytes.size()), kClient, 20100);
}

std::string Entry(uint32_t ip, uint16_t port) {
    return std::string{char(ip >> 24), char(ip >> 16),  char(ip >> 8),
                       char(ip),       char(port >> 8), char(port)};
}

TEST(MasterResponder, ValveFilters) {
    SimMaster config;
    MasterResponder master(config, Listings());
    // A Valve master does not serve getservers.
    EXPECT_TRUE(AskMaster(master, Header("getservers 68 empty full")).empty());
    const std::string head = Header("\x66\x0A");
    const std::string end(6, '\0');
    EXPECT_EQ(head + Entry(0x7F000102, 27015) + Entry(0x7F000104, 27015) + end,
              AskMaster(master, ValveRequest("0.0.0.0:0", "\\gamedir\\harbor")).at(0));
    // Not empty and not full: 5 players of 10 only.
    EXPECT_EQ(head + Entry(0x7F000104, 27015) + end,
              AskMaster(master, ValveRequest("0.0.0.0:0", "\\empty\\1\\full\\1")).at(0));
}

TEST(MasterResponder, QuakeListsByProtocolAndFullness) {
    SimMaster config;
    config.kind = SimMasterKind::Both;
    MasterResponder master(config, Listings());
    const std::string eot = Bytes("\\EOT\0\0\0", 7);
    EXPECT_EQ(Header("getserversResponse\\") + Entry(0x7F00015C, 27960) + eot,
              AskMaster(master, Header("getservers 68")).at(0));
    EXPECT_EQ(Header("getserversResponse") + eot, AskMaster(master, Header("getservers 71")).at(0));
    EXPECT_FALSE(AskMaster(master, ValveRequest("0.0.0.0:0", "")).empty());
}

TEST(MasterResponder, HugeMasterPagesThroughAMillionMadeUpServers) {
    SimMaster config;
    config.kind = SimMasterKind::Both;
    config.hostile = SimHostile::Huge;
    MasterResponder master(config, Listings());
    const std::string head = Header("\x66\x0A");
    // The configured servers first (they lie below 127.128/16), then the made-up ones.
    const SimBytes first = AskMaster(master, ValveRequest("0.0.0.0:0", "\\gamedir\\harbor")).at(0);
    ASSERT_EQ(head.size() + 231 * 6, first.size());
    EXPECT_EQ(Entry(0x7F000102, 27015), first.substr(6, 6));
    EXPECT_EQ(Entry(0x7F800000, 20000), first.substr(6 + 2 * 6, 6));
    EXPECT_EQ(Entry(0x7F800000, 20228), first.substr(first.size() - 6));
    const SimAddress last = MadeUpServer(kHugeMasterEntries - 1);
    EXPECT_EQ(999999u, FirstMadeUpAfter(MadeUpServer(kHugeMasterEntries - 2)));
    EXPECT_EQ(kHugeMasterEntries, FirstMadeUpAfter(last));
    EXPECT_EQ(head + Entry(last.ip, last.port) + std::string(6, '\0'),
              AskMaster(master, ValveRequest("127.128.3.231:20998", "")).at(0));
    // A Quake III list of all of them, in datagrams of 190.
    EXPECT_EQ((kHugeMasterEntries + 1 + 189) / 190,
              AskMaster(master, Header("getservers 68")).size());
}

} // namespace
} // namespace Portico
