// How close the shown ping is to the true round trip: simulated servers answer after a fixed
// delay; the median shown ping should be within 2 ms above it.
#include "GameServerSimulator.h"
#include "QuerySession.h"

#include "utils/SocketStartup.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

using namespace Portico;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr int kServers = 40;

SimConfig ServersWithDelay(uint32_t delayMs) {
    SimConfig config;
    config.addressing = SimAddressing::Ports;
    for (int i = 0; i < kServers; ++i) {
        SimServer server;
        server.address = SimAddress{kLoopback, 0};
        server.gameId = 1003;
        server.name = "Ping " + std::to_string(i);
        server.map = "harbor_docks";
        server.folder = "harbor";
        server.delayMinMs = server.delayMaxMs = delayMs;
        config.servers.push_back(server);
    }
    return config;
}

} // namespace

static void PingAccuracy(benchmark::State& state) {
    Utils::SocketStartup startup;
    const uint32_t delay = static_cast<uint32_t>(state.range(0));
    GameServerSimulator simulator;
    std::string error;
    if (!simulator.Start(ServersWithDelay(delay), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<double> excess;
    for (auto _ : state) {
        BrowseSettings settings;
        settings.timeoutMs = 2000;
        QuerySession session(settings);
        if (!session.Open() || !session.HasProtocols()) {
            state.SkipWithError("no query socket or no protocol library");
            return;
        }
        for (const SimAddress& server : simulator.ServerAddresses())
            session.AddServer(server.ip, server.port, false);
        session.WaitForAnswers();
        for (const ServerResult& result : session.Results()) {
            if (result.record.status == kStatusReplied)
                excess.push_back(double(result.record.time) - delay);
        }
    }
    if (excess.empty()) {
        state.SkipWithError("no server answered");
        return;
    }
    std::nth_element(excess.begin(), excess.begin() + excess.size() / 2, excess.end());
    state.counters["median_excess_ms"] = excess[excess.size() / 2];
    state.counters["answers"] = double(excess.size());
}
BENCHMARK(PingAccuracy)->Arg(0)->Arg(20)->Arg(80)->Iterations(3)->Unit(benchmark::kMillisecond);
