// Round trips: the game-protocol library's own requests go over loopback to simulated servers,
// and the library's parser reads what they answer. The simulator's encoders are written from
// the public descriptions on their own, so each side checks the other.
#include "GameServerSimulator.h"
#include "PorticoManager.h"
#include "SimTestSupport.h"
#include "utils/Utf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace Portico {
namespace {

using SimTest::Client;
using SimTest::Datagram;
using SimTest::Header;
using SimTest::Le32;

// Servers of the configuration below, by position.
enum Index : size_t {
    kHarbor,          // 1003, no challenge, TCP console
    kHarborChallenge, // 1003, info challenge
    kFrontier,        // 1028, join port in the extra data
    kHarborSplit,     // 1003, players split in the Source layout
    kValleyOld,       // 1005, 'm' info, players split in the GoldSrc layout, datagram console
    kEclipse,         // 1010, colour codes, datagram console without challenge
    kServers
};

constexpr uint16_t kFrontierJoinPort = 27015;

std::vector<SimPlayer> ManyPlayers(size_t count) {
    std::vector<SimPlayer> players;
    for (size_t i = 0; i < count; ++i)
        players.push_back({"Player " + std::to_string(i), int32_t(i) - 3, float(60 * i) + 0.75f,
                           int32_t(10 + i)});
    return players;
}

SimServer Server(SimProtocol protocol, uint16_t game, const std::string& name) {
    SimServer server;
    server.protocol = protocol;
    server.gameId = game;
    server.address = SimAddress{0x7F000900u | uint32_t(game & 0xFF), 0};
    server.name = name;
    server.map = "map_" + std::to_string(game);
    server.maxPlayers = 24;
    server.appId = game;
    return server;
}

SimConfig Config() {
    SimConfig config;
    config.servers.resize(kServers);
    SimServer& harbor = config.servers[kHarbor] = Server(SimProtocol::Source, 1003,
                                                         "Harbor \xC3\x9C"
                                                         "berall");
    harbor.address.ip += 0x10;
    harbor.mode = "Capture the Crates";
    harbor.folder = "harbor";
    harbor.password = true;
    harbor.players = {{"Ann", 12, 3725.5f, 0}, {"", 0, 1, 0}, {"Bo", -2, 59.0f, 0}};
    harbor.rcon = SimRcon::Tcp;
    harbor.rconPassword = "tcp-secret";
    harbor.commands = {{"status", "hostname: Harbor\n"}, {"cvarlist", std::string(5000, 'v')}};

    SimServer& challenged = config.servers[kHarborChallenge] =
        Server(SimProtocol::Source, 1003, "Harbor Guarded");
    challenged.address.ip += 0x11;
    challenged.challenge = true;
    challenged.players = ManyPlayers(4);

    SimServer& frontier = config.servers[kFrontier] =
        Server(SimProtocol::Source, 1028, "Frontier Gate");
    frontier.mode = ""; // the folder stands in for an empty description
    frontier.folder = "frontier";
    frontier.gamePort = kFrontierJoinPort;
    frontier.keywords = "tags,here";
    frontier.steamId = 90071992547409920ull;
    frontier.gameIdField = true;

    SimServer& split = config.servers[kHarborSplit] =
        Server(SimProtocol::Source, 1003, "Harbor Crowd");
    split.address.ip += 0x12;
    split.players = ManyPlayers(24);
    split.split = 200;

    SimServer& valley = config.servers[kValleyOld] =
        Server(SimProtocol::GoldSrc, 1005, "Valley Old Timer");
    valley.oldInfo = true;
    valley.folder = "valley";
    valley.mode = "Valley Siege";
    valley.players = ManyPlayers(20);
    valley.split = 150;
    valley.rcon = SimRcon::UdpChallenge;
    valley.rconPassword = "gold pw";
    valley.commands = {{"status", "valley status\n"}};

    SimServer& eclipse = config.servers[kEclipse] =
        Server(SimProtocol::Quake3, 1010, "^1Red ^7Eclipse ^9Arena");
    eclipse.mode = "4";
    eclipse.maxPlayers = 16;
    eclipse.players = {{"^2Vex", 15, 0, 48}, {"^3Ma^7ra", 7, 0, 112}};
    eclipse.rcon = SimRcon::Udp;
    eclipse.rconPassword = "q3pw";
    eclipse.commands = {{"status", std::string(2500, 'q')}};

    SimMaster valve;
    valve.kind = SimMasterKind::Valve;
    valve.address = SimAddress{0x7F000001, 0};
    valve.page = 2;
    config.masters = {valve};
    return config;
}

struct Reply {
    ServerInfo info{};
    PlayerList players;
    std::vector<ServerAddress> further;
    bool followUp = false;
    std::vector<uint32_t> gameIds;
    std::vector<std::string> raw;

    bool Filled() const {
        return info.maxPlayers != 0 || players.address.gameId != 0 || followUp || !further.empty();
    }
};

std::string Bytes(const ByteOutStream* stream) {
    return stream ? std::string(reinterpret_cast<const char*>(stream->Data()), stream->Size())
                  : std::string();
}

std::string Utf8(const char16_t* text) {
    return Utils::Utf::ToUtf8({text, Utils::Utf::BoundedLength(text, 128)});
}

class RoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(simulator.Start(config, error)) << error;
    }

    SimAddress Bound(size_t server) const { return simulator.ServerAddresses().at(server); }
    ServerAddress Address(size_t server) const {
        return ServerAddress{Bound(server).ip, Bound(server).port, config.servers[server].gameId};
    }
    GameProtocol& Game(uint16_t id) { return *manager.GetProtocol(id); }

    // Sends request to `to` and parses the datagrams that come back until one fills something.
    Reply Exchange(const std::string& request, const SimAddress& to, const ServerAddress& address) {
        Reply reply;
        client.Clear();
        EXPECT_TRUE(client.Send(to, request));
        for (size_t seen = 0; !reply.Filled(); ++seen) {
            const std::vector<Datagram> received = client.WaitFor(seen + 1);
            if (received.size() <= seen)
                break;
            Parse(received[seen].bytes, address, reply);
        }
        return reply;
    }

    void Parse(const std::string& datagram, const ServerAddress& address, Reply& reply) {
        reply.raw.push_back(datagram);
        ByteInStream stream(reinterpret_cast<const unsigned char*>(datagram.data()),
                            uint32_t(datagram.size()));
        Utils::ArrayT<ServerAddress> further;
        bool followUp = false;
        const Utils::ArrayT<uint32_t>* ids =
            manager.ParseReply(stream, address, &further, &reply.info, &reply.players, &followUp);
        reply.followUp = reply.followUp || followUp;
        reply.further.insert(reply.further.end(), further.Data(), further.Data() + further.Size());
        if (ids)
            reply.gameIds.assign(ids->Data(), ids->Data() + ids->Size());
    }

    // The info of an A2S or Quake III server the way the browser asks: the query, and the
    // detail request when the reply says so.
    Reply Info(size_t server) {
        const ServerAddress address = Address(server);
        GameProtocol& game = Game(address.gameId);
        Reply reply = Exchange(Bytes(game.BuildQuery()), Bound(server), address);
        if (reply.followUp && reply.info.maxPlayers == 0)
            reply = Exchange(Bytes(game.BuildDetailRequest(address)), Bound(server), address);
        return reply;
    }

    // The players, with one more detail request when the server asks for its challenge.
    Reply Players(size_t server) {
        const ServerAddress address = Address(server);
        GameProtocol& game = Game(address.gameId);
        Reply reply = Exchange(Bytes(game.BuildDetailRequest(address)), Bound(server), address);
        if (reply.followUp && reply.players.address.gameId == 0)
            reply = Exchange(Bytes(game.BuildDetailRequest(address)), Bound(server), address);
        return reply;
    }

    static void ExpectPlayers(const std::vector<SimPlayer>& expected, const PlayerList& list,
                              bool quake) {
        std::vector<const SimPlayer*> named;
        for (const SimPlayer& player : expected)
            if (!player.name.empty())
                named.push_back(&player);
        ASSERT_EQ(named.size(), list.entries.Size());
        for (size_t i = 0; i < named.size(); ++i) {
            const PlayerEntry& entry = list.entries[uint32_t(i)];
            EXPECT_EQ(named[i]->name, entry.name) << i;
            EXPECT_EQ(named[i]->score, entry.score) << i;
            EXPECT_EQ(quake ? uint32_t(named[i]->ping) : uint32_t(named[i]->seconds), entry.time)
                << i;
        }
    }

    const SimConfig config = Config();
    PorticoManager manager;
    GameServerSimulator simulator;
    Client client;
};

// The info of each kind of server, the way the browser asks for it.
TEST_F(RoundTripTest, InfoOfEveryKindOfServer) {
    struct Case {
        Index server;
        char type; // the answer's type byte
        const char* gameType;
        uint8_t players, maxPlayers;
        bool needPass;
        uint16_t joinPort; // 0: the queried port
    };
    const Case cases[] = {
        {kHarbor, 'I', "Capture the Crates", 3, 24, true, 0},
        {kHarborChallenge, 'I', "", 4, 24, false, 0}, // the repeated query was answered
        {kFrontier, 'I', "frontier", 0, 24, false, kFrontierJoinPort}, // from the extra data
        {kValleyOld, 'm', "Valley Siege", 20, 24, false, 0},
        {kEclipse, 's', "CTF", 2, 16, false, 0}, // colour codes kept in the name
    };
    ASSERT_NE(kFrontierJoinPort, Bound(kFrontier).port);
    for (const Case& c : cases) {
        const SimServer& server = config.servers[c.server];
        SCOPED_TRACE(server.name);
        const Reply reply = Info(c.server);
        ASSERT_EQ(1u, reply.raw.size());
        EXPECT_EQ(c.type, reply.raw[0].at(4));
        EXPECT_FALSE(reply.followUp);
        EXPECT_EQ(server.name, Utf8(reply.info.name));
        EXPECT_EQ(server.map, reply.info.map);
        EXPECT_STREQ(c.gameType, reply.info.gameType);
        EXPECT_EQ(c.players, reply.info.players);
        EXPECT_EQ(c.maxPlayers, reply.info.maxPlayers);
        EXPECT_EQ(c.needPass, reply.info.needPass != 0);
        EXPECT_EQ(c.joinPort ? c.joinPort : Bound(c.server).port, reply.info.connectPort);
        ASSERT_FALSE(reply.gameIds.empty());
        EXPECT_EQ(server.gameId, reply.gameIds[0] & 0xFFFF);
    }
}

// The players of each kind of server; those still connecting (no name) are left out.
TEST_F(RoundTripTest, PlayersOfEveryKindOfServer) {
    struct Case {
        Index server;
        bool split;
        bool quake; // times are pings
    };
    for (const Case& c : {Case{kHarbor, false, false}, Case{kHarborSplit, true, false},
                          Case{kValleyOld, true, false}, Case{kEclipse, false, true}}) {
        const SimServer& server = config.servers[c.server];
        SCOPED_TRACE(server.name);
        const Reply reply = Players(c.server);
        ASSERT_FALSE(reply.raw.empty());
        if (c.split) {
            EXPECT_GT(reply.raw.size(), 2u);
            EXPECT_EQ('\xFE', reply.raw[0][0]);
        } else if (!c.quake) {
            EXPECT_EQ('D', reply.raw[0].at(4));
        }
        EXPECT_EQ(server.gameId, reply.players.address.gameId);
        ExpectPlayers(server.players, reply.players, c.quake);
    }
}

// The challenge met by the info query serves the players request at once.
TEST_F(RoundTripTest, RememberedChallengeServesThePlayers) {
    Info(kHarborChallenge);
    const ServerAddress address = Address(kHarborChallenge);
    const Reply players =
        Exchange(Bytes(Game(1003).BuildDetailRequest(address)), Bound(kHarborChallenge), address);
    EXPECT_EQ(1003, players.players.address.gameId);
    ExpectPlayers(config.servers[kHarborChallenge].players, players.players, false);
}

// Pages are asked with the last address as the seed until the list's end entry.
TEST_F(RoundTripTest, ValveMasterListInPages) {
    const SimAddress master = simulator.MasterAddress(SimMasterKind::Valve);
    const ServerAddress address{master.ip, master.port, 1003};
    std::vector<ServerAddress> listed;
    std::string seed = "0.0.0.0:0";
    for (int page = 0; page < 10; ++page) {
        const std::string request = std::string("\x31\xFF", 2) + seed + '\0' + '\0';
        const Reply reply = Exchange(request, master, address);
        ASSERT_EQ(1u, reply.raw.size());
        listed.insert(listed.end(), reply.further.begin(), reply.further.end());
        if (reply.raw[0].size() >= 12 &&
            reply.raw[0].substr(reply.raw[0].size() - 6) == std::string(6, '\0'))
            break;
        ASSERT_FALSE(reply.further.empty());
        const ServerAddress& last = reply.further.back();
        seed = std::to_string(last.ip >> 24) + "." + std::to_string((last.ip >> 16) & 255) + "." +
               std::to_string((last.ip >> 8) & 255) + "." + std::to_string(last.ip & 255) + ":" +
               std::to_string(last.port);
    }
    std::set<std::pair<uint32_t, uint16_t>> expected, got;
    for (size_t i : {kHarbor, kHarborChallenge, kFrontier, kHarborSplit, kValleyOld})
        expected.insert({Bound(i).ip, Bound(i).port});
    for (const ServerAddress& server : listed) {
        got.insert({server.ip, server.port});
        EXPECT_EQ(1003, server.gameId);
    }
    EXPECT_EQ(expected.size(), listed.size());
    EXPECT_EQ(expected, got);
}

std::string SourceRconPacket(int32_t id, int32_t type, const std::string& body) {
    return Le32(uint32_t(body.size() + 10)) + Le32(uint32_t(id)) + Le32(uint32_t(type)) + body +
           std::string(2, '\0');
}

struct TcpPacket {
    int32_t id;
    int32_t type;
    std::string body;
};

// Reads one packet per the public layout; type -99 when the stream ended first.
TcpPacket ReadPacket(SimTest::TcpClient& tcp) {
    const std::string size = tcp.Receive(4);
    if (size.size() < 4)
        return {0, -99, ""};
    uint32_t length;
    std::memcpy(&length, size.data(), 4);
    const std::string rest = tcp.Receive(length);
    if (length < 10 || rest.size() < length)
        return {0, -99, ""};
    int32_t id, type;
    std::memcpy(&id, rest.data(), 4);
    std::memcpy(&type, rest.data() + 4, 4);
    return {id, type, std::string(rest.c_str() + 8)};
}

TEST_F(RoundTripTest, SourceConsoleOverTcp) {
    ASSERT_EQ(kRconTcp, Game(1003).GetRconKind());
    const SimAddress console = simulator.RconAddresses().at(kHarbor);
    SimTest::TcpClient tcp(console);
    ASSERT_TRUE(tcp.Connected());

    ASSERT_TRUE(tcp.Send(SourceRconPacket(21, 3, "wrong")));
    EXPECT_EQ(0, ReadPacket(tcp).type);
    EXPECT_EQ(-1, ReadPacket(tcp).id);

    ASSERT_TRUE(tcp.Send(SourceRconPacket(22, 3, "tcp-secret")));
    const TcpPacket empty = ReadPacket(tcp);
    EXPECT_EQ(0, empty.type);
    EXPECT_EQ("", empty.body);
    const TcpPacket answer = ReadPacket(tcp);
    EXPECT_EQ(2, answer.type);
    EXPECT_EQ(22, answer.id);

    // Long output in several response values; an empty one sent after the command marks its end.
    ASSERT_TRUE(tcp.Send(SourceRconPacket(23, 2, "cvarlist") + SourceRconPacket(24, 0, "")));
    std::string output;
    int pieces = 0;
    for (TcpPacket packet = ReadPacket(tcp); packet.id == 23; packet = ReadPacket(tcp)) {
        EXPECT_EQ(0, packet.type);
        output += packet.body;
        ++pieces;
    }
    EXPECT_EQ(std::string(5000, 'v'), output);
    EXPECT_GT(pieces, 1);
}

// What the console's socket takes from a reply: the text up to its NUL, after the header.
std::string ReplyText(const Datagram& datagram) {
    if (datagram.bytes.size() < 4)
        return std::string();
    return std::string(datagram.bytes.c_str() + 4);
}

TEST_F(RoundTripTest, GoldSrcConsoleWithChallenge) {
    GameProtocol& game = Game(1005);
    ASSERT_EQ(kRconUdp, game.GetRconKind());
    char text[kRconBufferBytes] = {};
    ASSERT_TRUE(game.BuildRconChallenge(text));
    const std::string challengeReply =
        ReplyText(client.Ask(Bound(kValleyOld), Header(text) + '\0'));
    ASSERT_EQ(0u, challengeReply.find("challenge rcon "));
    const uint32_t challenge = uint32_t(std::stoul(challengeReply.substr(15)));

    const auto status = [&](const char* password) {
        char prefix[kRconBufferBytes] = {};
        game.BuildRconPrefix(prefix, password, challenge);
        return ReplyText(
            client.Ask(Bound(kValleyOld), Header(std::string(prefix) + "status") + '\0'));
    };
    EXPECT_EQ("lvalley status\n", status("gold pw"));
    EXPECT_EQ("lBad rcon_password.\n", status("not it"));
}

TEST_F(RoundTripTest, QuakeConsoleWithoutChallenge) {
    GameProtocol& game = Game(1010);
    ASSERT_EQ(kRconUdp, game.GetRconKind());
    char text[kRconBufferBytes] = {};
    EXPECT_FALSE(game.BuildRconChallenge(text));
    char prefix[kRconBufferBytes] = {};
    game.BuildRconPrefix(prefix, "q3pw", 0);
    client.Clear();
    ASSERT_TRUE(client.Send(Bound(kEclipse), Header(std::string(prefix) + "status") + '\0'));
    const std::vector<Datagram> pieces = client.WaitFor(3);
    ASSERT_EQ(3u, pieces.size());
    std::string output;
    for (const Datagram& piece : pieces) {
        ASSERT_EQ(0u, ReplyText(piece).find("print\n"));
        output += ReplyText(piece).substr(6);
    }
    EXPECT_EQ(std::string(2500, 'q'), output);
}

} // namespace
} // namespace Portico
