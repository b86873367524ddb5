// Whole browses in this process: the simulator's demo servers, the engine and both libraries.
#include "DemoConfig.h"
#include "GameServerSimulator.h"
#include "QuerySession.h"

#include "utils/SocketStartup.h"

#include <gtest/gtest.h>

using namespace Portico;

namespace {

// A master of 156 servers whose answers come 2 to 45 ms after their request: the last ones
// are still under way when the queue runs dry.
TEST(Browse, EveryServerOfAMasterIsCountedRunAfterRun) {
    Utils::SocketStartup startup;
    DemoOptions demo;
    demo.anyPorts = true;
    GameServerSimulator simulator;
    std::string error;
    ASSERT_TRUE(simulator.Start(BuildDemoConfig(demo), error)) << error;
    const SimAddress master = simulator.MasterAddress(SimMasterKind::Valve);

    BrowseSettings settings;
    settings.rate = 2000;
    settings.paging.pagePauseMs = 0;
    for (int run = 0; run < 20; ++run) {
        QuerySession session(settings);
        ASSERT_TRUE(session.HasProtocols() && session.Open());
        session.AskMaster(master.ip, master.port, ""); // every game of the master
        session.WaitForAnswers();
        size_t answered = 0;
        for (const ServerResult& result : session.Results())
            answered += result.record.status == kStatusReplied;
        EXPECT_EQ(answered, 156u) << "run " << run;
        const std::vector<MasterReport> masters = session.Masters();
        ASSERT_EQ(masters.size(), 1u);
        EXPECT_EQ(masters[0].servers, 156u);
        EXPECT_EQ(masters[0].outcome, "end of list");
        const BrowseProgress progress = session.Progress();
        EXPECT_EQ(progress.tally.answered, 156u);
        EXPECT_EQ(progress.tally.waiting + progress.tally.queued, 0u);
    }
}

// A silent server is asked once and twice more; one that answers, once.
TEST(Browse, UnansweredServersAreAskedAgainWithinTheirTimeout) {
    Utils::SocketStartup startup;
    SimConfig config;
    config.addressing = SimAddressing::Ports;
    for (SimHostile hostile : {SimHostile::Silent, SimHostile::None}) {
        SimServer server;
        server.address = SimAddress{0x7F000001, 0};
        server.name = "retried";
        server.hostile = hostile;
        config.servers.push_back(server);
    }
    GameServerSimulator simulator;
    std::string error;
    ASSERT_TRUE(simulator.Start(config, error)) << error;
    BrowseSettings settings;
    settings.timeoutMs = 600;
    settings.retries = 2;
    QuerySession session(settings);
    ASSERT_TRUE(session.HasProtocols() && session.Open());
    for (const SimAddress& server : simulator.ServerAddresses())
        session.AddServer(server.ip, server.port, false);
    session.WaitForAnswers();
    EXPECT_EQ(simulator.ServerStats(0).requests, 3u);
    EXPECT_EQ(simulator.ServerStats(1).requests, 1u);
    EXPECT_EQ(session.Progress().tally.answered, 1u);
}

TEST(Browse, PacingFollowsTheRate) {
    BrowseSettings settings;
    settings.rate = 500;
    QueryPacing pacing = ToolPacing(settings);
    EXPECT_EQ(pacing.burstSize * 1000 / pacing.burstPauseMs, 500u);
    EXPECT_EQ(pacing.inFlightMs, settings.timeoutMs / 3); // a third each, two retries
    settings.rate = 150;
    pacing = ToolPacing(settings);
    EXPECT_NEAR(pacing.burstSize * 1000.0 / pacing.burstPauseMs, 150, 5);
    settings.rate = 7;
    pacing = ToolPacing(settings);
    EXPECT_EQ(pacing.burstSize, 1u);
    EXPECT_EQ(pacing.burstPauseMs, 142u);
}

} // namespace
