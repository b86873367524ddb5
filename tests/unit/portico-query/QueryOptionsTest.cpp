#include "QueryOptions.h"

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
    ASSERT_TRUE(Parse({"--region", "7", "1.2.3.4:5"}, r, error));
    EXPECT_EQ(r.regionMask, 1u << 6);
}

TEST(QueryOptions, BadArgumentsSayWhy) {
    const std::vector<std::vector<std::string>> bad = {
        {},                                  // nothing to query
        {"--bogus"},                         // unknown option
        {"127.0.0.1"},                       // no port
        {"127.0.0.1:70000"},                 // port out of range
        {"--game"},                          // missing value
        {"--game", "x", "1.2.3.4:5"},           // not a number
        {"--region", "16", "1.2.3.4:5"},        // no such region
        {"--region", "D1", "1.2.3.4:5"},        // not a country
        {"--timeout", "-1", "1.2.3.4:5"},       // not above 0
        {"--master", "nohost", "1.2.3.4:5"},    // no port
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
