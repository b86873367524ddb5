// portico-rcon as a user runs it, against the simulator's consoles: commands and their output,
// long answers, refused passwords, the prompt, servers that go away or never end a packet.
#include "RconTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace Portico {
namespace {

using RconTest::ConsoleServers;
using RconTest::Eventually;
using RconTest::LongOutput;

const std::string kStatus = "hostname: Console\nplayers: 0\n";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class PorticoRcon : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(servers.Started()) << servers.Error(); }

    std::string Target(ConsoleServers::Index index) {
        const ServerAddress at = servers.Address(index);
        return "--game " + std::to_string(at.gameId) + " 127.0.0.1:" + std::to_string(at.port);
    }
    // The program's command line with its output to files, the password in the environment.
    std::string Command(const std::string& arguments, const std::string& password) {
        return "PORTICO_RCON_PASSWORD='" + password + "' " PORTICO_RCON_PROGRAM " --timeout 10 " +
               arguments + " >" + outPath + " 2>" + errPath;
    }
    Outcome Finish(int status) {
        Outcome run;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFile(outPath);
        run.err = ReadFile(errPath);
        return run;
    }
    Outcome Rcon(const std::string& arguments, const std::string& password = RconTest::kPassword) {
        return Finish(std::system((Command(arguments, password) + " </dev/null").c_str()));
    }

    ConsoleServers servers;
    const std::string outPath = testing::TempDir() + "portico-rcon.out";
    const std::string errPath = testing::TempDir() + "portico-rcon.err";
};

TEST_F(PorticoRcon, EveryConsoleRunsCommandsWithLongOutputWhole) {
    for (auto index : {ConsoleServers::kSource, ConsoleServers::kGoldSrc, ConsoleServers::kQuake}) {
        const Outcome run = Rcon(Target(index) + " status cvarlist 'echo a b'");
        EXPECT_EQ(0, run.status) << index << run.err;
        EXPECT_EQ(kStatus + LongOutput() + "a b\n", run.out) << index;
        EXPECT_EQ("", run.err) << index;
    }
}

TEST_F(PorticoRcon, AWrongPasswordExitsWithOne) {
    for (auto index : {ConsoleServers::kSource, ConsoleServers::kGoldSrc, ConsoleServers::kQuake}) {
        const Outcome run = Rcon(Target(index) + " status", "wrong");
        EXPECT_EQ(1, run.status) << index;
        EXPECT_NE(std::string::npos, run.err.find("refused the password")) << index << run.err;
        EXPECT_EQ(std::string::npos, run.out.find("hostname")) << index;
    }
}

TEST_F(PorticoRcon, ThePromptReadsCommandsUntilTheInputEnds) {
    std::ofstream(testing::TempDir() + "portico-rcon.in") << "status\n\necho typed\n";
    const std::string command = Command(Target(ConsoleServers::kSource), RconTest::kPassword) +
                                " <" + testing::TempDir() + "portico-rcon.in";
    const Outcome run = Finish(std::system(command.c_str()));
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(kStatus + "typed\n", run.out);
}

TEST_F(PorticoRcon, AServerThatGoesAwayOrNeverEndsAPacketExitsWithOne) {
    FILE* input = popen(Command(Target(ConsoleServers::kSource), RconTest::kPassword).c_str(), "w");
    ASSERT_NE(nullptr, input);
    std::fputs("status\n", input);
    std::fflush(input);
    EXPECT_TRUE(Eventually([&] { return ReadFile(outPath) == kStatus; }));
    servers.Stop();
    std::fputs("status\n", input);
    std::fflush(input);
    const Outcome gone = Finish(pclose(input));
    EXPECT_EQ(1, gone.status);
    EXPECT_NE(std::string::npos, gone.err.find("closed the connection")) << gone.err;

    ConsoleServers hostile;
    ASSERT_TRUE(hostile.Started());
    const ServerAddress endless = hostile.Address(ConsoleServers::kEndless);
    const Outcome run = Rcon("127.0.0.1:" + std::to_string(endless.port) + " status");
    EXPECT_EQ(1, run.status);
    EXPECT_NE(std::string::npos, run.err.find("larger than the protocol allows")) << run.err;
}

TEST_F(PorticoRcon, BadArgumentsExitWithTwoAndNoServerWithOne) {
    EXPECT_EQ(2, Rcon("").status);
    EXPECT_EQ(2, Rcon("--game 4242 127.0.0.1:27015 status").status);
    const Outcome empty = Rcon(Target(ConsoleServers::kQuake) + " status", "");
    EXPECT_EQ(2, empty.status);
    const Outcome help = Rcon("--help");
    EXPECT_EQ(0, help.status);
    EXPECT_NE(std::string::npos, help.out.find("PORTICO_RCON_PASSWORD"));

    const std::string target = Target(ConsoleServers::kSource);
    servers.Stop();
    const Outcome closed = Rcon(target + " status");
    EXPECT_EQ(1, closed.status);
    EXPECT_NE(std::string::npos, closed.err.find("cannot connect")) << closed.err;
}

} // namespace
} // namespace Portico
