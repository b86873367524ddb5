// The game-sim command line.
#include "GameSimOptions.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

bool Parse(const std::vector<std::string>& args, GameSimOptions& options, std::string& error) {
    options = GameSimOptions();
    return ParseGameSimOptions(args, options, error);
}

TEST(GameSimOptions, ConfigOrDemoWithOptions) {
    GameSimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--config", "servers.txt", "--seconds", "30", "--ports"}, options, error))
        << error;
    EXPECT_EQ("servers.txt", options.configFile);
    EXPECT_EQ(30u, options.seconds);
    EXPECT_TRUE(options.forcePorts);
    ASSERT_TRUE(
        Parse({"--demo", "--seed", "9", "--any-ports", "--overrides", "o.txt"}, options, error))
        << error;
    EXPECT_TRUE(options.demo);
    EXPECT_EQ(9u, options.seed);
    EXPECT_TRUE(options.anyPorts);
    EXPECT_EQ("o.txt", options.overridesFile);
    EXPECT_TRUE(Parse({"--help"}, options, error));
}

TEST(GameSimOptions, BadCommandLines) {
    GameSimOptions options;
    std::string error;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--demo", "--config", "x"},
                                               {"--config"},
                                               {"--demo", "--seconds", "0"},
                                               {"--demo", "--seconds", "x"},
                                               {"--demo", "--seed", "0"},
                                               {"--demo", "--bogus"}}) {
        EXPECT_FALSE(Parse(args, options, error));
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace Portico
