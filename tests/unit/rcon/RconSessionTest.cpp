// Conversations with the simulator's consoles of every kind: logins, commands and their
// output, long answers, refusals, servers that go away and servers that never end a packet.
#include "RconTestSupport.h"

#include "rcon/RconNotice.h"
#include "rcon/RconSession.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

using RconTest::ConsoleServers;
using RconTest::Eventually;
using RconTest::kPassword;
using RconTest::LongOutput;
using RconTest::RecordingWindow;
using Sent = RconSession::Sent;

class RconSessionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(servers.Started()) << servers.Error(); }

    RconSession& Open(ConsoleServers::Index index, const std::string& password = kPassword) {
        session.reset(new RconSession(servers.Address(index), servers.Game(index)));
        EXPECT_EQ(RconSession::Begun::Started, session->Begin(password, window));
        return *session;
    }
    bool OutputEndsWith(const std::string& tail) {
        return Eventually([&] {
            const std::string all = window.Output();
            return all.size() >= tail.size() &&
                   all.compare(all.size() - tail.size(), tail.size(), tail) == 0;
        });
    }

    ConsoleServers servers;
    RecordingWindow window;
    std::unique_ptr<RconSession> session;
};

TEST_F(RconSessionTest, SourceLogsInRunsCommandsAndMarksTheEndOfLongOutput) {
    RconSession& console = Open(ConsoleServers::kSource);
    ASSERT_TRUE(window.WaitFor(RconNotice::kConnected));
    // The login's answer: an empty response value, then the answer itself.
    ASSERT_TRUE(Eventually([&] { return window.Has(RconNotice::kOutput, 0); }));
    std::vector<intptr_t> outputs;
    for (const auto& notice : window.Notices())
        if (notice.kind == RconNotice::kOutput)
            outputs.push_back(notice.value);
    EXPECT_EQ((std::vector<intptr_t>{1, 0}), outputs);
    EXPECT_EQ("", window.Output());

    ASSERT_EQ(Sent::Sent, console.SendCommand("cvarlist"));
    const int32_t marker = console.MarkEnd();
    ASSERT_NE(0, marker);
    ASSERT_TRUE(window.WaitFor(RconNotice::kEndOfOutput));
    EXPECT_EQ(LongOutput(), window.Output());
    EXPECT_TRUE(window.Has(RconNotice::kEndOfOutput, marker));
    EXPECT_EQ(Sent::TooLong, console.SendCommand(std::string(SourceRcon::kMaxBody + 1, 'x')));
}

TEST_F(RconSessionTest, SourceWrongPasswordIsRejectedAndNothingFollows) {
    Open(ConsoleServers::kSource, "wrong");
    ASSERT_TRUE(window.WaitFor(RconNotice::kRejected));
    session->Stop(nullptr);
    const auto notices = window.Notices();
    EXPECT_EQ(RconNotice::kRejected, notices.back().kind);
    EXPECT_FALSE(window.Has(RconNotice::kOutput, 0));
}

TEST_F(RconSessionTest, GoldSrcUsesTheChallengeItWasGiven) {
    RconSession& console = Open(ConsoleServers::kGoldSrc);
    ASSERT_TRUE(window.WaitFor(RconNotice::kChallenge));
    EXPECT_TRUE(console.ChallengeKnown());
    EXPECT_NE(0u, console.Challenge());
    ASSERT_EQ(Sent::Sent, console.SendCommand("status"));
    EXPECT_TRUE(OutputEndsWith("hostname: Console\nplayers: 0\n"));
    // Ten datagrams, each its own notification, together the whole text.
    ASSERT_EQ(Sent::Sent, console.SendCommand("cvarlist"));
    EXPECT_TRUE(OutputEndsWith(LongOutput()));
}

TEST_F(RconSessionTest, ServerClosingEndsTheConversation) {
    Open(ConsoleServers::kSource);
    ASSERT_TRUE(window.WaitFor(RconNotice::kConnected));
    servers.Stop();
    ASSERT_TRUE(window.WaitFor(RconNotice::kEnded));
    EXPECT_EQ(Sent::Failed, session->SendCommand("status"));
}

// Both hostile consoles answer the login with a size field no packet may have: the client
// closes at once instead of buffering what comes.
TEST_F(RconSessionTest, OversizedOrEndlessPacketsEndTheConnection) {
    for (auto index : {ConsoleServers::kOversize, ConsoleServers::kEndless}) {
        RecordingWindow hostileWindow;
        RconSession hostile(servers.Address(index), servers.Game(index));
        ASSERT_EQ(RconSession::Begun::Started, hostile.Begin(kPassword, hostileWindow));
        ASSERT_TRUE(hostileWindow.WaitFor(RconNotice::kEnded)) << index;
        EXPECT_TRUE(hostileWindow.Has(RconNotice::kEnded, RconEnd::kProtocolError)) << index;
        EXPECT_FALSE(hostileWindow.Has(RconNotice::kOutput, 0)) << index;
        EXPECT_FALSE(hostileWindow.Has(RconNotice::kOutput, 1)) << index;
    }
}

TEST_F(RconSessionTest, NoConsoleNoPasswordAndNothingAfterStop) {
    RconSession none(servers.Address(ConsoleServers::kSource), nullptr);
    EXPECT_EQ(RconSession::Begun::NoConsole, none.Begin(kPassword, window));
    RconSession empty(servers.Address(ConsoleServers::kSource),
                      servers.Game(ConsoleServers::kSource));
    EXPECT_EQ(RconSession::Begun::NoPassword, empty.Begin("", window));

    RconSession& quake = Open(ConsoleServers::kQuake);
    quake.Stop(nullptr);
    EXPECT_EQ(Sent::NotReady, quake.SendCommand("status"));
    EXPECT_TRUE(window.Notices().empty());
}

} // namespace
} // namespace Portico
