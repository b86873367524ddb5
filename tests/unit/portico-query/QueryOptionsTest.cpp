#include "QueryOptions.h"
#include "ServerLines.h"

#include <gtest/gtest.h>

using namespace Portico;

namespace {

bool Parse(std::vector<std::string> args, QueryOptions& options, std::string& error) {
    return ParseQueryOptions(args, options, error);
}

} // namespace

TEST(QueryOptions, ServersMastersAndFilters) {
    QueryOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"127.0.0.1:27015", "--master", "localhost:27950", "--game", "1010",
                       "--region", "de", "--timeout", "1.5", "--players", "--json"},
                      o, error))
        << error;
    ASSERT_EQ(o.servers.size(), 1u);
    EXPECT_EQ(o.servers[0].host, "127.0.0.1");
    EXPECT_EQ(o.servers[0].port, 27015);
    EXPECT_EQ(o.masters[0].host, "localhost");
    EXPECT_EQ(o.game, 1010);
    EXPECT_EQ(o.regionMask, uint32_t('D' << 8 | 'E') << 16);
    EXPECT_TRUE(o.regionFilterOn);
    EXPECT_DOUBLE_EQ(o.timeoutSeconds, 1.5);
    EXPECT_TRUE(o.players && o.json);

    QueryOptions r;
    ASSERT_TRUE(Parse({"--region", "7", "127.0.0.4:5"}, r, error));
    EXPECT_EQ(r.regionMask, 1u << 6);
    EXPECT_FALSE(r.filterGiven);
    EXPECT_EQ(r.rate, 500u);
}

TEST(QueryOptions, PacingPagingAndSources) {
    QueryOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--master", "m:1", "--filter", "", "--rate", "4000", "--in-flight", "0",
                       "--page-pause", "50", "--master-time", "5", "--list", "servers.txt", "--sim",
                       "sim.cfg", "--retries", "0"},
                      o, error))
        << error;
    EXPECT_TRUE(o.filterGiven);
    EXPECT_EQ(o.filter, "");
    EXPECT_EQ(o.rate, 4000u);
    EXPECT_EQ(o.inFlight, 0u);
    EXPECT_EQ(o.pagePauseMs, 50u);
    EXPECT_DOUBLE_EQ(o.masterSeconds, 5);
    EXPECT_EQ(o.listFile, "servers.txt");
    EXPECT_EQ(o.simFile, "sim.cfg");
    EXPECT_EQ(o.retries, 0u);
    QueryOptions list;
    EXPECT_TRUE(Parse({"--list", "servers.txt"}, list, error)) << error; // a source of its own
}

TEST(QueryOptions, BadArgumentsSayWhy) {
    const std::vector<std::vector<std::string>> bad = {
        {},                                       // nothing to query
        {"--bogus"},                              // unknown option
        {"127.0.0.1"},                            // no port
        {"127.0.0.1:70000"},                      // port out of range
        {"--game"},                               // missing value
        {"--game", "x", "127.0.0.4:5"},           // not a number
        {"--region", "16", "127.0.0.4:5"},        // no such region
        {"--region", "D1", "127.0.0.4:5"},        // not a country
        {"--timeout", "-1", "127.0.0.4:5"},       // not above 0
        {"--master", "nohost", "127.0.0.4:5"},    // no port
        {"--retries", "11", "127.0.0.4:5"},       // above 10
        {"--rate", "0", "127.0.0.4:5"},           // below 1
        {"--in-flight", "-1", "127.0.0.4:5"},     // not a number
        {"--page-pause", "60001", "127.0.0.4:5"}, // above a minute
        {"--master-time", "0", "127.0.0.4:5"},    // not above 0
        {"--demo", "--sim", "x.cfg"},             // two sets of simulated servers
    };
    for (const auto& args : bad) {
        QueryOptions o;
        std::string error;
        EXPECT_FALSE(Parse(args, o, error)) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(error.empty());
    }
    QueryOptions help;
    std::string error;
    EXPECT_TRUE(Parse({"--help"}, help, error));
    EXPECT_TRUE(help.help);
}

TEST(ServerLines, TypesOfQstatListsOrGameIds) {
    std::vector<ServerLine> lines;
    std::string error;
    ASSERT_TRUE(ParseServerLines("# a list\n127.0.0.1:1\na2s 127.0.0.2:2\nQ3S 127.0.0.3:3\n\n"
                                 "hla2s 127.0.0.4:4\n1028 host.invalid:5\r\n",
                                 1005, lines, error))
        << error;
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].game, 1005); // no type: the default game
    EXPECT_EQ(lines[1].game, 1005); // a2s: the default game, an A2S game
    EXPECT_EQ(lines[2].game, 1010);
    EXPECT_EQ(lines[3].game, 1005);
    EXPECT_EQ(lines[4].game, 1028);
    EXPECT_EQ(lines[4].address.host, "host.invalid");
    EXPECT_EQ(lines[4].address.port, 5);
    ASSERT_TRUE(ParseServerLines("a2s 127.0.0.2:2\n", 1010, lines, error));
    EXPECT_EQ(lines[0].game, 1003); // a2s while browsing a Quake game: the first A2S game

    for (const char* bad : {"qws 127.0.0.4:5\n", "1234 127.0.0.4:5\n", "a2s 127.0.0.4\n"}) {
        EXPECT_FALSE(ParseServerLines(std::string("127.0.0.1:1\n") + bad, 1003, lines, error));
        EXPECT_EQ(error.find("line 2: "), 0u) << error;
    }
}
