// What the game-server simulator serves: game servers, master servers and their remote
// consoles, each on a loopback address. Built by the config parser, the demo generator or a test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

enum class SimProtocol { Source, GoldSrc, Quake3 };
// Remote console: Source style over TCP, datagrams after "challenge rcon", or plain datagrams.
enum class SimRcon { Off, Tcp, UdpChallenge, Udp };
// A hostile TCP console: answers a login with a size field of 2^31, or with a packet that
// never ends (a size far beyond the protocol's and bytes that keep coming).
enum class SimRconFault { None, Oversize, Endless, Close };
// Split answers: Source pieces with or without the piece-size field, or GoldSrc pieces.
enum class SimSplitLayout { Default, Source, SourceNoSize, GoldSrc };
// What a master answers: Valve master requests, Quake III getservers, or both.
enum class SimMasterKind { Valve, Quake, Both };
// Misbehaviour on purpose, to test clients. Servers: no answer at all, a new challenge for
// every request, answers larger than a datagram buffer, answers cut short, split answers whose
// last piece never comes, random bytes. Masters: no answer, random bytes, or a list of a
// million made-up servers after the configured ones.
enum class SimHostile { None, Silent, Challenges, Oversized, Truncated, Unfinished, Garbage, Huge };
// How servers get their own addresses: distinct 127.x.y.z addresses when the platform
// delivers their datagrams with those sources, else distinct ports on 127.0.0.1.
enum class SimAddressing { Auto, Aliases, Ports };

// Host order; port 0 = any free port.
struct SimAddress {
    uint32_t ip = 0;
    uint16_t port = 0;
};

inline bool operator==(const SimAddress& a, const SimAddress& b) {
    return a.ip == b.ip && a.port == b.port;
}

struct SimPlayer {
    std::string name; // empty: a player still connecting
    int32_t score = 0;
    float seconds = 0; // A2S play time
    int32_t ping = 0;  // Quake III
};

// A2S rules: a console variable and its value.
struct SimRule {
    std::string name;
    std::string value;
};

struct SimCommand {
    std::string command;
    std::string output;
};

struct SimServer {
    SimProtocol protocol = SimProtocol::Source;
    SimAddress address;
    uint16_t gameId = 0; // which game it stands for; only reported
    std::string name;
    std::string map;
    // A2S: the game description; Quake III: g_gametype.
    std::string mode;
    std::string folder; // A2S game folder, also what the Valve master's gamedir filter matches
    std::string version = "1.0.0.0";
    uint16_t appId = 0;
    // 0: the protocol's usual number (A2S 17, GoldSrc 'm' 47, Quake III 68).
    uint8_t netProtocol = 0;
    uint8_t maxPlayers = 16;
    uint8_t bots = 0;
    bool password = false;
    bool vac = false;
    char os = 'l';
    // A2S extra data, each sent when set: 0x80 game port, 0x10 SteamID, 0x40 SourceTV,
    // 0x20 keywords, 0x01 game id (the app id).
    uint16_t gamePort = 0;
    uint64_t steamId = 0;
    uint16_t tvPort = 0;
    std::string tvName;
    std::string keywords;
    bool gameIdField = false;
    bool oldInfo = false;   // GoldSrc: answer info in the obsolete 'm' layout
    bool challenge = false; // A2S: answer an info request without challenge with 'A'
    uint32_t split = 0;     // bytes of answer per piece; 0 = never split
    SimSplitLayout splitLayout = SimSplitLayout::Default;
    uint32_t delayMinMs = 0;
    uint32_t delayMaxMs = 0;
    double drop = 0;    // chance that one reply datagram is lost
    bool listed = true; // named by the masters
    SimHostile hostile = SimHostile::None;
    std::vector<SimPlayer> players;
    std::vector<SimRule> rules; // A2S rules answer
    SimRcon rcon = SimRcon::Off;
    uint16_t rconPort = 0; // TCP console; 0 = the same number as the server's port
    std::string rconPassword;
    std::vector<SimCommand> commands;
    SimRconFault rconFault = SimRconFault::None;
};

struct SimMaster {
    SimMasterKind kind = SimMasterKind::Valve;
    SimAddress address;
    uint32_t page = 0; // servers per reply datagram; 0 = as many as fit
    uint32_t delayMinMs = 0;
    uint32_t delayMaxMs = 0;
    double drop = 0;
    SimHostile hostile = SimHostile::None;
};

// Made-up servers a Huge master lists after the configured ones.
constexpr uint32_t kHugeMasterEntries = 1000000;

// A loopback range and the country the region override file gives it.
struct SimRegion {
    uint32_t ip = 0;
    uint8_t prefix = 32;
    std::string country;
};

struct SimConfig {
    uint64_t seed = 1;
    SimAddressing addressing = SimAddressing::Auto;
    std::vector<SimServer> servers;
    std::vector<SimMaster> masters;
    std::vector<SimRegion> regions;
};

// The protocol's usual numbers and layouts for fields left at their defaults.
uint8_t NetProtocolOf(const SimServer& server);
SimSplitLayout SplitLayoutOf(const SimServer& server);
bool IsLoopback(uint32_t ip);

} // namespace Portico
