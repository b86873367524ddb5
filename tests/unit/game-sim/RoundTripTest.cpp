// Round trips: the game-protocol library's own requests go over loopback to simulated servers,
// and the library's parser reads what they answer. The simulator's encoders are written from
// the public descriptions on their own, so each side checks the other.
#include "GameServerSimulator.h"
#include "PorticoManager.h"
#include "SimTestSupport.h"
#include "utils/Utf.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

using SimTest::Client;
using SimTest::Datagram;

// Servers of the configuration below, by position.
enum Index : size_t {
    kHarbor,          // 1003, no challenge
    kHarborChallenge, // 1003, info challenge
    kFrontier,        // 1028, join port in the extra data
    kHarborSplit,     // 1003, players split in the Source layout
    kValleyOld,       // 1005, 'm' info, players split in the GoldSrc layout
    kEclipse,         // 1010, colour codes
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

    SimServer& eclipse = config.servers[kEclipse] =
        Server(SimProtocol::Quake3, 1010, "^1Red ^7Eclipse ^9Arena");
    eclipse.mode = "4";
    eclipse.maxPlayers = 16;
    eclipse.players = {{"^2Vex", 15, 0, 48}, {"^3Ma^7ra", 7, 0, 112}};
    return config;
}

struct Reply {
    ServerInfo info{};
    PlayerList players;
    bool followUp = false;
    std::vector<uint32_t> gameIds;
    std::vector<std::string> raw;

    bool Filled() const { return info.maxPlayers != 0 || players.address.gameId != 0 || followUp; }
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
        bool followUp = false;
        const Utils::ArrayT<uint32_t>* ids =
            manager.ParseReply(stream, address, nullptr, &reply.info, &reply.players, &followUp);
        reply.followUp = reply.followUp || followUp;
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

} // namespace
} // namespace Portico
