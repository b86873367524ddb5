#include "DemoConfig.h"

#include "SimBytes.h"
#include "SimRandom.h"

#include <vector>

namespace Portico {

namespace {

constexpr uint32_t kMasterIp = 0x7F000001;
constexpr uint16_t kValveMasterPort = 27010;
constexpr uint16_t kQuakeMasterPort = 27950;
// Hosts 90 to 106 of each country's /24: host 92 (0x5C, a backslash) is a Quake III server, to
// test the readers of getserversResponse lists.
constexpr uint32_t kFirstHost = 90;
constexpr char kRconPassword[] = "demo";

struct Country {
    const char* code;
    const char* cities[3];
};

const Country kCountries[] = {
    {"DE", {"Berlin", "München", "Hamburg"}},   {"FR", {"Paris", "Lyon", "Marseille"}},
    {"GB", {"London", "Leeds", "Glasgow"}},     {"US", {"Chicago", "Dallas", "Seattle"}},
    {"BR", {"São Paulo", "Rio", "Recife"}},     {"JP", {"東京", "Osaka", "Sapporo"}},
    {"SG", {"Singapore", "Jurong", "Changi"}},  {"AU", {"Sydney", "Perth", "Brisbane"}},
    {"RU", {"Москва", "Kazan", "Novosibirsk"}}, {"ZA", {"Johannesburg", "Durban", "Cape Town"}},
    {"SE", {"Stockholm", "Göteborg", "Malmö"}}, {"IN", {"Mumbai", "Bengaluru", "Delhi"}},
};

struct DemoGame {
    uint16_t id;
    SimProtocol protocol;
    uint16_t port;
    const char* folder;
    std::vector<const char*> maps;
    std::vector<const char*> modes;
    std::vector<uint8_t> sizes;
};

const std::vector<DemoGame>& Games() {
    static const std::vector<DemoGame> games = {
        {1010,
         SimProtocol::Quake3,
         27960,
         "",
         {"ae_corona", "ae_umbra", "ae_penumbra", "ae_zenith"},
         {"0", "1", "3", "4"},
         {8, 12, 16}},
        {1003,
         SimProtocol::Source,
         27015,
         "harbor",
         {"harbor_docks", "harbor_lighthouse", "harbor_fogbank", "harbor_pier"},
         {"Harbor Assault", "Team Deathmatch", "Capture the Crates"},
         {16, 24, 32}},
        {1028,
         SimProtocol::Source,
         27016,
         "frontier",
         {"fr_canyon", "fr_outpost", "fr_mesa", "fr_railyard"},
         {"Frontier Ops", "Escort", "Territory"},
         {12, 16, 24}},
        {1005,
         SimProtocol::GoldSrc,
         27015,
         "valley",
         {"vs_millrace", "vs_orchard", "vs_bridge", "vs_quarry"},
         {"Valley Siege", "Skirmish"},
         {16, 20, 32}},
    };
    return games;
}

// Per country: four 1010 servers (on hosts 90 to 93), five 1003 servers, then four each of
// 1028 and 1005.
const uint32_t kServersPerGame[] = {4, 5, 4, 4};
constexpr uint32_t kSlotsPerCountry = 17;

const DemoGame& GameOfSlot(uint32_t slot) {
    size_t game = 0;
    while (slot >= kServersPerGame[game]) {
        slot -= kServersPerGame[game];
        ++game;
    }
    return Games()[game];
}

const char* const kServerWords[] = {"Outpost", "Bunker",    "Harbour", "Citadel", "Frontline",
                                    "Refuge",  "Crossfire", "Beacon",  "Anvil",   "Lantern"};
const char* const kPlayerNames[] = {
    "Vex",    "Mara",   "Bolt",   "K1ng", "Sable",   "Orrin",  "Juno",  "Pixel", "Rook",  "Tamsin",
    "Wren",   "Zed",    "Ibis",   "Nox",  "Quill",   "Fenn",   "Lark",  "Dusk",  "Ember", "Grit",
    "Hollis", "Ash",    "Cobalt", "Moth", "Pike",    "Rhea",   "Sol",   "Tarn",  "Umber", "Vale",
    "Wick",   "Yarrow", "Ölf",    "Zoë",  "Ярослав", "さくら", "Björn", "Inês",  "Kai",   "Nia"};

template <typename T, size_t N> const T& Pick(SimRandom& random, const T (&items)[N]) {
    return items[random.Between(0, N - 1)];
}

template <typename T> const T& Pick(SimRandom& random, const std::vector<T>& items) {
    return items[random.Between(0, uint32_t(items.size() - 1))];
}

std::string QuakeColoured(SimRandom& random, const std::string& text) {
    return "^" + std::to_string(random.Between(1, 7)) + text;
}

std::string ServerName(SimRandom& random, const Country& country, const DemoGame& game,
                       uint32_t slot) {
    const std::string city = Pick(random, country.cities);
    const std::string word = Pick(random, kServerWords);
    if (game.protocol == SimProtocol::Quake3)
        return QuakeColoured(random, city) + " " + QuakeColoured(random, word) + " ^7#" +
               std::to_string(slot + 1);
    return city + " " + word + " #" + std::to_string(slot + 1);
}

void AddPlayers(SimRandom& random, SimServer& server) {
    const uint32_t count = random.Between(0, server.maxPlayers);
    for (uint32_t i = 0; i < count; ++i) {
        SimPlayer player;
        player.name = Pick(random, kPlayerNames);
        if (server.protocol == SimProtocol::Quake3 && random.Chance(0.3))
            player.name = QuakeColoured(random, player.name);
        player.score = int32_t(random.Between(0, 60)) - 5;
        player.seconds = float(random.Between(30, 7200)) + 0.5f;
        player.ping = int32_t(random.Between(8, 160));
        server.players.push_back(player);
    }
    if (count > 0 && random.Chance(0.15))
        server.players.back().name.clear(); // still connecting
    server.bots = uint8_t(count > 2 && random.Chance(0.2) ? 2 : 0);
}

// A status text in the manner of the servers' own.
std::string StatusText(const SimServer& server) {
    std::string text = "hostname: " + server.name + "\nmap     : " + server.map +
                       "\nplayers : " + std::to_string(server.players.size()) + " (" +
                       std::to_string(server.maxPlayers) + " max)\n# userid name score\n";
    for (size_t i = 0; i < server.players.size(); ++i)
        text += "# " + std::to_string(i + 2) + " \"" + server.players[i].name + "\" " +
                std::to_string(server.players[i].score) + "\n";
    return text;
}

void AddConsole(SimServer& server) {
    switch (server.protocol) {
    case SimProtocol::Source:
        server.rcon = SimRcon::Tcp;
        break;
    case SimProtocol::GoldSrc:
        server.rcon = SimRcon::UdpChallenge;
        break;
    case SimProtocol::Quake3:
        server.rcon = SimRcon::Udp;
        break;
    }
    server.rconPassword = kRconPassword;
    server.commands = {{"status", StatusText(server)},
                       {"maps", "harbor_docks\nfr_canyon\nvs_millrace\nae_corona\n"},
                       {"kick", "Kicked.\n"}};
}

// Features that show the browser's and the library's paths: challenges, split player lists,
// the obsolete GoldSrc info layout, a join port apart from the query port, passwords, consoles.
void AddFeatures(SimRandom& random, const DemoGame& game, SimServer& server) {
    const bool a2s = game.protocol != SimProtocol::Quake3;
    server.password = random.Chance(0.1);
    server.challenge = a2s && game.protocol == SimProtocol::Source && random.Chance(0.3);
    if (a2s && server.players.size() >= 10 && random.Chance(0.4))
        server.split = 300;
    server.oldInfo = game.protocol == SimProtocol::GoldSrc && random.Chance(0.25);
    if (game.id == 1028)
        server.gamePort = 27015;
    if (game.protocol == SimProtocol::Source && random.Chance(0.3))
        server.keywords = "demo," + std::string(game.folder);
    server.vac = a2s && random.Chance(0.5);
    server.os = random.Chance(0.7) ? 'l' : 'w';
    if (a2s)
        server.rules = {{"mp_timelimit", "30"}, {"sv_password", server.password ? "1" : "0"}};
    server.delayMinMs = random.Between(2, 15);
    server.delayMaxMs = server.delayMinMs + random.Between(0, 30);
    if (random.Chance(0.2))
        AddConsole(server);
}

SimServer DemoServer(SimRandom& random, const DemoOptions& options, uint32_t countryIndex,
                     uint32_t slot) {
    const Country& country = kCountries[countryIndex];
    const DemoGame& game = GameOfSlot(slot);
    SimServer server;
    server.protocol = game.protocol;
    server.gameId = game.id;
    server.address.ip = 0x7F000000 | (countryIndex + 1) << 8 | (kFirstHost + slot);
    server.address.port = options.anyPorts ? 0 : game.port;
    server.name = ServerName(random, country, game, slot);
    server.map = Pick(random, game.maps);
    server.mode = Pick(random, game.modes);
    server.folder = game.folder;
    server.appId = game.id;
    server.maxPlayers = Pick(random, game.sizes);
    AddPlayers(random, server);
    AddFeatures(random, game, server);
    return server;
}

SimMaster DemoMaster(SimMasterKind kind, uint16_t port, const DemoOptions& options) {
    SimMaster master;
    master.kind = kind;
    master.address = SimAddress{kMasterIp, options.anyPorts ? uint16_t(0) : port};
    return master;
}

} // namespace

SimConfig BuildDemoConfig(const DemoOptions& options) {
    SimRandom random(options.seed);
    SimConfig config;
    config.seed = options.seed;
    const uint32_t countries = uint32_t(sizeof kCountries / sizeof kCountries[0]);
    for (uint32_t c = 0; c < countries; ++c) {
        config.regions.push_back(SimRegion{0x7F000000 | (c + 1) << 8, 24, kCountries[c].code});
        for (uint32_t slot = 0; slot < kSlotsPerCountry; ++slot)
            config.servers.push_back(DemoServer(random, options, c, slot));
    }
    config.masters.push_back(DemoMaster(SimMasterKind::Valve, kValveMasterPort, options));
    config.masters.push_back(DemoMaster(SimMasterKind::Quake, kQuakeMasterPort, options));
    return config;
}

std::string DemoGameFolder(uint16_t gameId) {
    for (const DemoGame& game : Games())
        if (game.id == gameId)
            return game.folder;
    return std::string();
}

std::string RegionOverrideText(const SimConfig& config) {
    std::string text = "# loopback servers of the game-server simulator\n";
    for (const SimRegion& region : config.regions)
        text += DottedText(region.ip) + "/" + std::to_string(region.prefix) + " " + region.country +
                "\n";
    return text;
}

} // namespace Portico
