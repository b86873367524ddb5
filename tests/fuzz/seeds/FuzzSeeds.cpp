// fuzz-seeds DIR: first inputs for every fuzz target, written as DIR/<target>/<name>. The
// replies are real: simulated servers and masters on loopback answer the game-protocol library's
// own requests, challenges and follow-ups included. Next to them: those requests and console
// datagrams, a Source console stream, relay payloads, a range table, override and configuration
// texts, HTTP dates, and address lists (DIR/server-lists/*.txt) for fsl-pack to pack.
#include "DemoConfig.h"
#include "GameServerSimulator.h"
#include "MasterProtocol.h"
#include "PorticoManager.h"
#include "SimConfigText.h"
#include "utils/SocketStartup.h"
#include "utils/UdpSocket.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

using namespace Portico;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr auto kQuiet = std::chrono::milliseconds(150); // no more pieces of an answer after this
constexpr auto kPatience = std::chrono::seconds(3);     // bound of one exchange
constexpr int kFollowUps = 3;
const uint16_t kGames[] = {1003, 1028, 1005, 1010}; // fuzz_parse_reply's selectable games

using Bytes = std::string;

class Seeds {
public:
    explicit Seeds(std::filesystem::path folder) : folder(std::move(folder)) {}

    bool Write(const std::string& target, const std::string& name, const Bytes& bytes) {
        const std::filesystem::path dir = folder / target;
        std::filesystem::create_directories(dir);
        std::ofstream file(dir / name, std::ios::binary);
        file.write(bytes.data(), std::streamsize(bytes.size()));
        ++written;
        return bool(file);
    }
    int written = 0;

private:
    std::filesystem::path folder;
};

// A loopback socket that keeps what it receives, and hands it out one exchange at a time.
class Recorder : public Utils::UdpSocket {
public:
    Recorder() : UdpSocket(0, kLoopback) { Start(); }
    ~Recorder() override { Close(); }

    std::vector<Bytes> Exchange(const SimAddress& to, const Bytes& request) {
        {
            std::lock_guard<std::mutex> guard(lock);
            received.clear();
        }
        Utils::OutStreamT<unsigned char> stream;
        stream.Write(request.data(), uint32_t(request.size()));
        SendTo(stream, to.ip, to.port);
        const auto end = std::chrono::steady_clock::now() + kPatience;
        std::unique_lock<std::mutex> guard(lock);
        size_t seen = 0;
        // Waits for the first answer, then until the pieces stop coming.
        while (std::chrono::steady_clock::now() < end) {
            changed.wait_for(guard, kQuiet, [&] { return received.size() > seen; });
            if (received.size() == seen && seen > 0)
                break;
            seen = received.size();
        }
        return received;
    }

    void OnReceive(uint32_t, uint16_t, Utils::InStreamT<unsigned char>& stream) override {
        const Bytes bytes(reinterpret_cast<const char*>(stream.Data() + stream.Position()),
                          stream.Remaining());
        std::lock_guard<std::mutex> guard(lock);
        received.push_back(bytes);
        changed.notify_all();
    }

private:
    std::mutex lock; // guards received
    std::condition_variable changed;
    std::vector<Bytes> received;
};

Bytes StreamBytes(const ByteOutStream* stream) {
    return stream ? Bytes(reinterpret_cast<const char*>(stream->Data()), stream->Size()) : Bytes();
}

Bytes Le32(uint32_t value) {
    Bytes bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char(value >> (8 * i));
    return bytes;
}

Bytes Le16(uint16_t value) {
    return Bytes{char(value), char(value >> 8)};
}

const Bytes kHeader("\xFF\xFF\xFF\xFF", 4);

// The servers whose answers make the seeds: each kind of reply the simulator encodes.
SimConfig SeedConfig() {
    SimConfig config;
    config.servers.reserve(8); // the references below stay valid
    std::vector<SimPlayer> crowd;
    for (int i = 0; i < 40; ++i) // enough for answers in several pieces
        crowd.push_back({"Player " + std::to_string(i), i, 60.0f * i, i});
    auto add = [&](SimProtocol protocol, uint16_t game, const std::string& name) -> SimServer& {
        SimServer server;
        server.protocol = protocol;
        server.gameId = game;
        server.address = SimAddress{0x7F001E00u + uint32_t(config.servers.size() + 10), 0};
        server.name = name;
        server.map = "map_" + std::to_string(game);
        server.mode = "Mode";
        server.folder = DemoGameFolder(game);
        server.appId = game;
        server.maxPlayers = 24;
        server.players = {{"Ann", 12, 3725.5f, 40}, {"", 0, 1, 0}, {"B\xC3\xB6", -2, 59, 999}};
        config.servers.push_back(server);
        return config.servers.back();
    };
    add(SimProtocol::Source, 1003,
        "Harbor \xC3\x9C"
        "ber")
        .password = true;
    add(SimProtocol::Source, 1003, "Guarded").challenge = true;
    SimServer& frontier = add(SimProtocol::Source, 1028, "Frontier");
    frontier.gamePort = 27015;
    frontier.keywords = "a,b";
    frontier.steamId = 90071992547409921ull;
    frontier.tvPort = 27020;
    frontier.tvName = "tv";
    frontier.gameIdField = true;
    SimServer& crowded = add(SimProtocol::Source, 1003, "Crowded");
    crowded.split = 300;
    crowded.players = crowd;
    SimServer& valley = add(SimProtocol::GoldSrc, 1005, "Valley");
    valley.oldInfo = true;
    valley.split = 200;
    valley.players = crowd;
    valley.rcon = SimRcon::UdpChallenge;
    valley.rconPassword = "pw";
    SimServer& eclipse = add(SimProtocol::Quake3, 1010, "^1Ec^7lipse");
    eclipse.mode = "4";
    eclipse.rcon = SimRcon::Udp;
    eclipse.rconPassword = "pw";
    config.masters.push_back(SimMaster{SimMasterKind::Valve, SimAddress{kLoopback, 0}, 2});
    config.masters.push_back(SimMaster{SimMasterKind::Quake, SimAddress{kLoopback, 0}, 0});
    return config;
}

uint8_t SimSettings(const SimServer& server) {
    return uint8_t(uint8_t(server.protocol) | (server.challenge ? 0x04 : 0) |
                   (server.oldInfo ? 0x08 : 0) | (server.split ? 0x10 : 0) |
                   uint8_t(server.rcon) << 5);
}

uint8_t GameIndex(uint16_t game) {
    for (uint8_t i = 0; i < 4; ++i) {
        if (kGames[i] == game)
            return i;
    }
    return 4;
}

// One request and its follow-ups, as the receive path sends them; every reply is a seed of the
// reply parser and every request one of the simulator's request reader.
void Converse(Seeds& seeds, Recorder& recorder, const SimServer& server, const SimAddress& at,
              bool detail, const std::string& name) {
    ProtocolManager& manager = PorticoManager::Instance();
    GameProtocol* protocol = manager.GetProtocol(server.gameId);
    const ServerAddress address{at.ip, at.port, server.gameId};
    Bytes request =
        StreamBytes(detail ? protocol->BuildDetailRequest(address) : protocol->BuildQuery());
    const char prefix[2] = {char(detail ? 0x80 : 0x00), char(GameIndex(server.gameId))};
    for (int round = 0; round < kFollowUps && !request.empty(); ++round) {
        const std::string step = name + "-" + std::to_string(round);
        seeds.Write("fuzz_sim_request", step, Bytes(1, char(SimSettings(server))) + request);
        const Bytes sending = request;
        request.clear();
        int piece = 0;
        for (const Bytes& reply : recorder.Exchange(at, sending)) {
            seeds.Write("fuzz_parse_reply", step + "-" + std::to_string(piece++),
                        Bytes(prefix, 2) + reply);
            ByteInStream datagram(reinterpret_cast<const unsigned char*>(reply.data()),
                                  uint32_t(reply.size()));
            Utils::ArrayT<ServerAddress> further;
            ServerInfo info{};
            PlayerList players;
            bool followUp = false;
            manager.ParseReply(datagram, address, &further, &info, &players, &followUp);
            if (followUp)
                request = StreamBytes(protocol->BuildDetailRequest(address));
        }
    }
}

void ConsoleSeeds(Seeds& seeds, Recorder& recorder, const SimServer& server, const SimAddress& at,
                  const std::string& name) {
    GameProtocol* protocol = PorticoManager::Instance().GetProtocol(server.gameId);
    const Bytes settings(1, char(SimSettings(server)));
    char text[kRconBufferBytes] = {};
    uint32_t challenge = 0;
    if (protocol->BuildRconChallenge(text)) {
        const Bytes ask = kHeader + text;
        seeds.Write("fuzz_sim_request", "rcon-challenge-" + name, settings + ask);
        for (const Bytes& reply : recorder.Exchange(at, ask))
            std::sscanf(reply.c_str() + 4, "challenge rcon %u", &challenge);
    }
    char prefix[kRconBufferBytes] = {};
    protocol->BuildRconPrefix(prefix, server.rconPassword.c_str(), challenge);
    seeds.Write("fuzz_sim_request", "rcon-" + name, settings + kHeader + prefix + "status");
}

// A Source console stream: the log-in packet, then a command (size, id, type, body, two NULs).
Bytes SourceRconStream() {
    auto packet = [](uint32_t id, uint32_t type, const std::string& body) {
        return Le32(uint32_t(body.size() + 10)) + Le32(id) + Le32(type) + body + Bytes(2, '\0');
    };
    return Bytes(1, char(uint8_t(SimRcon::Tcp) << 5)) + packet(1, 3, "pw") + packet(2, 2, "status");
}

void MasterSeeds(Seeds& seeds, Recorder& recorder, const GameServerSimulator& simulator) {
    struct Ask {
        uint16_t game;
        SimMasterKind kind;
        std::string filter;
    };
    const Ask asks[] = {{1003, SimMasterKind::Valve, "\\gamedir\\harbor"},
                        {1005, SimMasterKind::Valve, ""},
                        {1010, SimMasterKind::Quake, ""}};
    for (const Ask& ask : asks) {
        ByteOutStream request;
        BuildMasterRequest(ask.game, ServerAddress{0, 0, ask.game}, ask.filter, request);
        const Bytes bytes = StreamBytes(&request);
        const std::string name = "master-" + std::to_string(ask.game);
        seeds.Write("fuzz_sim_request", name, Bytes(1, '\0') + bytes);
        int piece = 0;
        for (const Bytes& reply : recorder.Exchange(simulator.MasterAddress(ask.kind), bytes))
            seeds.Write("fuzz_parse_reply", name + "-" + std::to_string(piece++),
                        Bytes{'\0', char(GameIndex(ask.game))} + reply);
    }
}

Bytes RelayEntry(uint32_t key, uint16_t game, uint32_t ip, uint16_t port) {
    return Le32(key) + Le16(game) + Le32(ip) + Le16(port);
}

// A range table as the region library's converter writes it: sorted runs from address 0.
Bytes RangeTable() {
    const std::pair<uint32_t, const char*> runs[] = {
        {0, "\0\0"},        {0x7F000100, "DE"}, {0x7F000200, "FR"},  {0x7F000300, "\0\0"},
        {0x7F000400, "US"}, {0xC0A80000, "GB"}, {0xC0A90000, "\0\0"}};
    Bytes table = "QRT1" + Le32(uint32_t(std::size(runs)));
    for (const auto& run : runs)
        table += Le32(run.first) + Bytes(run.second, 2);
    return table;
}

std::string AddressText(const SimAddress& address) {
    return std::to_string(address.ip >> 24) + "." + std::to_string(address.ip >> 16 & 255) + "." +
           std::to_string(address.ip >> 8 & 255) + "." + std::to_string(address.ip & 255) + ":" +
           std::to_string(address.port);
}

// Text as the New Address dialog hands it over: UTF-16, low byte first.
Bytes Utf16Le(const std::u16string& text) {
    Bytes bytes;
    for (char16_t unit : text) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    return bytes;
}

void AddressTextSeeds(Seeds& seeds) {
    seeds.Write("fuzz_address_text", "dotted", Utf16Le(u"127.0.0.1:27015"));
    seeds.Write("fuzz_address_text", "host-name", Utf16Le(u"server.example:28960"));
    seeds.Write("fuzz_address_text", "no-colon", Utf16Le(u"127.0.0.1"));
    seeds.Write("fuzz_address_text", "two-colons", Utf16Le(u"127.0.0.1:27015:1"));
    seeds.Write("fuzz_address_text", "long-pair",
                Utf16Le(std::u16string(30, u'1') + u"\U0001F600" + u"2"));
}

void TextSeeds(Seeds& seeds, const SimConfig& config, const GameServerSimulator& simulator) {
    AddressTextSeeds(seeds);
    seeds.Write("fuzz_sim_config", "seed-servers", FormatSimConfig(config));
    seeds.Write("fuzz_region_override", "demo", RegionOverrideText(BuildDemoConfig()));
    seeds.Write("fuzz_region_table", "loopback-countries", RangeTable());
    const char* dates[] = {"Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT",
                           "Sun Nov  6 08:49:37 1994", "Thu, 01 Jan 1970 00:00:00 GMT"};
    for (size_t i = 0; i < std::size(dates); ++i)
        seeds.Write("fuzz_http_date", "date-" + std::to_string(i), dates[i]);
    seeds.Write("fuzz_relay", "all-buddies",
                Bytes(1, 4) + Le16(2) + RelayEntry(7, 1003, 0x7F000101, 27015) +
                    RelayEntry(8, 1010, 0x7F000102, 27960));
    seeds.Write("fuzz_relay", "one-buddy", Bytes(1, 7) + RelayEntry(9, 1028, 0x7F000103, 27016));
    seeds.Write("fuzz_relay", "buddy-left", Bytes(1, 7) + RelayEntry(9, 0, 0, 0));
    // Lists for fsl-pack: the seed servers, a few, none.
    std::string servers;
    for (const SimAddress& address : simulator.ServerAddresses())
        servers += AddressText(address) + "\n";
    seeds.Write("server-lists", "servers.txt", servers);
    seeds.Write("server-lists", "few.txt", "127.0.0.1:27015\n10.1.2.3:27960\n");
    seeds.Write("server-lists", "none.txt", "");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-seeds DIR\n");
        return 2;
    }
    Utils::SocketStartup sockets;
    const SimConfig config = SeedConfig();
    GameServerSimulator simulator;
    std::string error;
    if (!simulator.Start(config, error)) {
        std::fprintf(stderr, "fuzz-seeds: the simulator did not start: %s\n", error.c_str());
        return 1;
    }
    Seeds seeds(argv[1]);
    Recorder recorder;
    for (size_t i = 0; i < config.servers.size(); ++i) {
        const SimServer& server = config.servers[i];
        const SimAddress at = simulator.ServerAddresses()[i];
        const std::string name = std::to_string(server.gameId) + "-" + std::to_string(i);
        Converse(seeds, recorder, server, at, false, "query-" + name);
        Converse(seeds, recorder, server, at, true, "detail-" + name);
        if (server.rcon == SimRcon::Udp || server.rcon == SimRcon::UdpChallenge)
            ConsoleSeeds(seeds, recorder, server, at, name);
    }
    seeds.Write("fuzz_sim_request", "source-console", SourceRconStream());
    MasterSeeds(seeds, recorder, simulator);
    TextSeeds(seeds, config, simulator);
    simulator.Stop();
    std::printf("fuzz-seeds: %d files in %s\n", seeds.written, argv[1]);
    return 0;
}
