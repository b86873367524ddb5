// portico-rcon's command line and password sources.
#include "RconOptions.h"
#include "PasswordSource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace Portico {
namespace {

void SetVariable(const char* name, const char* value) {
#if defined(_WIN32)
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

bool Parse(const std::vector<std::string>& args, RconOptions& options, std::string& error) {
    options = RconOptions();
    return ParseRconOptions(args, options, error);
}

TEST(RconOptions, AddressThenCommandsWhichMayLookLikeOptions) {
    RconOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--game", "1005", "--timeout", "0.5", "host.example:27015", "status",
                       "--help", "kick", "Bo"},
                      options, error))
        << error;
    EXPECT_EQ(1005, options.game);
    EXPECT_DOUBLE_EQ(0.5, options.timeoutSeconds);
    EXPECT_EQ("host.example", options.host);
    EXPECT_EQ(27015, options.port);
    EXPECT_EQ((std::vector<std::string>{"status", "--help", "kick", "Bo"}), options.commands);
    EXPECT_FALSE(options.help);

    ASSERT_TRUE(Parse({"--", "127.0.0.1:1"}, options, error));
    EXPECT_TRUE(options.commands.empty());
    ASSERT_TRUE(Parse({"--help"}, options, error));
    EXPECT_TRUE(options.help);
}

TEST(RconOptions, BadArgumentsSayWhat) {
    RconOptions options;
    std::string error;
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--game"},
        {"--game", "0", "h:1"},
        {"--game", "70000", "h:1"},
        {"--timeout", "2s", "h:1"},
        {"--verbose", "h:1"},
        {"--password", "a", "--password-file", "f", "h:1"},
    };
    for (const auto& args : bad) {
        EXPECT_FALSE(Parse(args, options, error)) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(error.empty());
    }
}

TEST(PasswordSource, FileThenCommandLineThenEnvironment) {
    const std::string path = testing::TempDir() + "rcon-password.txt";
    {
        std::ofstream file(path, std::ios::binary);
        file << "from file\r\nsecond line\n";
    }
    RconOptions options;
    options.passwordFile = path;
    std::string password, error;
    ASSERT_TRUE(FindPassword(options, password, error)) << error;
    EXPECT_EQ("from file", password);
    options.passwordFile = path + ".missing";
    EXPECT_FALSE(FindPassword(options, password, error));
    EXPECT_NE(std::string::npos, error.find(".missing"));
    options.passwordFile.clear();
    options.passwordGiven = true;
    options.password = "given";
    ASSERT_TRUE(FindPassword(options, password, error));
    EXPECT_EQ("given", password);
    options.passwordGiven = false;
    SetVariable(kPasswordVariable, "from the environment");
    ASSERT_TRUE(FindPassword(options, password, error));
    EXPECT_EQ("from the environment", password);
    std::remove(path.c_str());
}

} // namespace
} // namespace Portico
