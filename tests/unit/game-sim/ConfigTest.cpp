// The configuration file, its checks, and the demo configuration.
#include "DemoConfig.h"
#include "SimConfigCheck.h"
#include "SimConfigText.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace Portico {
namespace {

const char kGoodConfig[] = R"(# two servers and a master
[simulator]
seed = 99
addressing = ports
region = 127.0.1.0/24 DE

[server]
protocol = source
address = 127.0.1.10:27015
game = 1028
name = Frontier \x7cOne\|   
map = fr_canyon
mode = Escort
folder = frontier
maxplayers = 12
bots = 1
password = yes
gameport = 27016
challenge = on
split = 300
delay = 10-40
drop = 0.25
player = Vex|12|61.5|30
player = |0|1|0
rcon = tcp
rconpassword = secret
command = status|line one\nline two\n
rule = mp_timelimit|30
rule = sv_tags|a\|b

[server]
protocol = quake3
address = 127.0.1.11:27960
name = ^1Red ^7Arena
mode = 4
player = ^2Mara|-3||77

[master]
kind = both
address = 127.0.0.1:27010
page = 50

[master]
address = 127.0.0.1:27011
hostile = huge

[server]
protocol = goldsrc
address = 127.0.1.12:27015
hostile = unfinished
)";

SimConfig ParseGood() {
    SimConfig config;
    std::string error;
    EXPECT_TRUE(ParseSimConfig(kGoodConfig, config, error)) << error;
    return config;
}

TEST(SimConfigText, ReadsEveryKindOfValue) {
    const SimConfig config = ParseGood();
    EXPECT_EQ(99u, config.seed);
    EXPECT_EQ(SimAddressing::Ports, config.addressing);
    ASSERT_EQ(1u, config.regions.size());
    EXPECT_EQ(0x7F000100u, config.regions[0].ip);
    EXPECT_EQ(24, config.regions[0].prefix);
    EXPECT_EQ("DE", config.regions[0].country);

    ASSERT_EQ(3u, config.servers.size());
    const SimServer& source = config.servers[0];
    EXPECT_EQ(SimProtocol::Source, source.protocol);
    EXPECT_EQ(27015, source.address.port);
    EXPECT_EQ("Frontier |One|", source.name);
    EXPECT_EQ(10u, source.delayMinMs);
    EXPECT_EQ(40u, source.delayMaxMs);
    EXPECT_DOUBLE_EQ(0.25, source.drop);
    ASSERT_EQ(2u, source.players.size());
    EXPECT_EQ("Vex", source.players[0].name);
    EXPECT_EQ(12, source.players[0].score);
    EXPECT_FLOAT_EQ(61.5f, source.players[0].seconds);
    EXPECT_EQ("", source.players[1].name);
    ASSERT_EQ(1u, source.commands.size());
    EXPECT_EQ("status", source.commands[0].command);
    EXPECT_EQ("line one\nline two\n", source.commands[0].output);
    ASSERT_EQ(2u, source.rules.size());
    EXPECT_EQ("mp_timelimit", source.rules[0].name);
    EXPECT_EQ("a|b", source.rules[1].value);
    EXPECT_EQ(SimHostile::None, source.hostile);
    EXPECT_EQ(SimHostile::Unfinished, config.servers[2].hostile);

    const SimServer& quake = config.servers[1];
    ASSERT_EQ(1u, quake.players.size());
    EXPECT_EQ(-3, quake.players[0].score);
    EXPECT_EQ(77, quake.players[0].ping);

    ASSERT_EQ(2u, config.masters.size());
    EXPECT_EQ(SimMasterKind::Both, config.masters[0].kind);
    EXPECT_EQ(50u, config.masters[0].page);
    EXPECT_EQ(SimHostile::Huge, config.masters[1].hostile);
}

TEST(SimConfigText, EscapesRoundTrip) {
    const std::string odd = std::string(" lead\\bar|tab\t\x01nl\nend ") + char(0xE9);
    std::string back;
    ASSERT_TRUE(UnescapeValue(EscapeValue(odd), back));
    EXPECT_EQ(odd, back);
    for (const char* bad : {"\\", "\\q", "\\x4", "\\xZZ"})
        EXPECT_FALSE(UnescapeValue(bad, back)) << bad;
}

// Each malformed file, and the words its error must hold.
TEST(SimConfigText, MalformedFilesSayWhatAndWhere) {
    const std::map<std::string, std::string> cases = {
        {"[server]\naddress = 10.0.0.1:27015\n", "line 2: address: address 10.0.0.1:27015 is "
                                                 "outside 127.0.0.0/8"},
        {"[master]\naddress = 192.168.1.1:27010\n", "outside 127.0.0.0/8"},
        {"name = x\n", "line 1: 'name' is outside a block"},
        {"[server]\nnonsense\n", "line 2: expected key = value"},
        {"[server]\ncolour = red\n", "line 2: unknown key 'colour'"},
        {"[servers]\n", "line 1: unknown block [servers]"},
        {"[server]\naddress = 127.0.0.1:1\nmaxplayers = 256\n", "line 3: maxplayers"},
        {"[server]\naddress = 127.0.0.1:1\ndrop = 1.5\n", "line 3: drop"},
        {"[server]\naddress = 127.0.0.1:1\nname = a\\qb\n", "bad escape"},
        {"[server]\naddress = 127.0.0.1:1\nsplit = 10\n", "line 1: [server] block: split"},
        {"[server]\naddress = 127.0.0.1:1\nrcon = tcp\n", "needs a password"},
        {"[server]\nprotocol = quake3\naddress = 127.0.0.1:1\nname = a\"b\n", "Quake III"},
        {"[server]\naddress = 127.0.0.1:1\nbots = 2\n", "more bots than players"},
        {"[server]\naddress = 127.0.0.1:5\n[server]\naddress = 127.0.0.1:5\n", "used twice"},
        {"[server]\nname = no address\n", "outside 127.0.0.0/8"},
        {"[simulator]\nregion = 127.0.1.1/24 DE\n", "first address of its range"},
        {"[simulator]\nregion = 127.0.1.0/24 de\n", "upper-case"},
        {"[simulator]\naddressing = sometimes\n", "expected one of auto, aliases, ports"},
        {"[server]\naddress = 127.0.0.1:1\nrule = novalue\n", "expected name|value"},
        {"[server]\naddress = 127.0.0.1:1\nhostile = huge\n", "for masters"},
        {"[server]\nprotocol = quake3\naddress = 127.0.0.1:1\nhostile = challenges\n",
         "for A2S servers"},
        {"[master]\naddress = 127.0.0.1:1\nhostile = truncated\n", "none, silent, garbage"},
    };
    for (const auto& item : cases) {
        SimConfig config;
        std::string error;
        EXPECT_FALSE(ParseSimConfig(item.first, config, error)) << item.first;
        EXPECT_NE(std::string::npos, error.find(item.second)) << item.first << "\ngave: " << error;
    }
}

TEST(SimConfigText, AcceptsCommentsBlanksAndCrLf) {
    SimConfig config;
    std::string error;
    ASSERT_TRUE(ParseSimConfig("; note\r\n\r\n  [SERVER]  \r\n  Address = 127.0.0.9:0 \r\n"
                               "name = Server #3 # not a comment\r\n",
                               config, error))
        << error;
    ASSERT_EQ(1u, config.servers.size());
    EXPECT_EQ("Server #3 # not a comment", config.servers[0].name);
    EXPECT_EQ(0, config.servers[0].address.port);
}

TEST(DemoConfig, AboutTwoHundredServersInTwelveCountries) {
    const SimConfig config = BuildDemoConfig();
    std::string error;
    ASSERT_TRUE(CheckSimConfig(config, error)) << error;
    EXPECT_GE(config.servers.size(), 180u);
    EXPECT_LE(config.servers.size(), 220u);
    ASSERT_EQ(12u, config.regions.size());

    std::map<uint16_t, size_t> perGame;
    std::set<uint32_t> subnets;
    size_t passwords = 0, challenges = 0, splits = 0, oldInfo = 0, consoles = 0, colours = 0;
    for (const SimServer& server : config.servers) {
        ++perGame[server.gameId];
        subnets.insert(server.address.ip & 0xFFFFFF00);
        passwords += server.password;
        challenges += server.challenge;
        splits += server.split != 0;
        oldInfo += server.oldInfo;
        consoles += server.rcon != SimRcon::Off;
        colours += server.name.find('^') != std::string::npos;
        if (server.gameId == 1028) {
            EXPECT_NE(server.address.port, server.gamePort);
        }
    }
    EXPECT_EQ(4u, perGame.size());
    for (uint16_t game : {1003, 1028, 1005, 1010})
        EXPECT_GE(perGame[game], 40u) << game;
    EXPECT_EQ(12u, subnets.size());
    for (size_t count : {passwords, challenges, splits, oldInfo, consoles})
        EXPECT_GT(count, 0u);
    EXPECT_EQ(perGame[1010], colours);

    ASSERT_EQ(2u, config.masters.size());
    EXPECT_EQ(SimMasterKind::Valve, config.masters[0].kind);
    EXPECT_EQ(SimMasterKind::Quake, config.masters[1].kind);
}

TEST(DemoConfig, SameSeedSameServers) {
    EXPECT_EQ(FormatSimConfig(BuildDemoConfig()), FormatSimConfig(BuildDemoConfig()));
    DemoOptions other;
    other.seed = 77;
    EXPECT_NE(FormatSimConfig(BuildDemoConfig()), FormatSimConfig(BuildDemoConfig(other)));
    DemoOptions free;
    free.anyPorts = true;
    for (const SimServer& server : BuildDemoConfig(free).servers)
        EXPECT_EQ(0, server.address.port);
}

TEST(DemoConfig, OverrideTextNamesEachCountryRange) {
    const std::string text = RegionOverrideText(BuildDemoConfig());
    for (const char* line :
         {"127.0.1.0/24 DE\n", "127.0.4.0/24 US\n", "127.0.6.0/24 JP\n", "127.0.12.0/24 IN\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
}

} // namespace
} // namespace Portico
