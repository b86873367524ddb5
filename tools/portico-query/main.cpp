// portico-query: the server browser's main job from the command line.
#include "BrowsePlan.h"
#include "GameFacts.h"
#include "QueryOptions.h"
#include "QuerySession.h"
#include "SimulatedServers.h"

#include "DemoConfig.h"
#include "SimConfigText.h"
#include "utils/SocketStartup.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

using namespace Portico;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr uint32_t kProgressEveryMs = 1000;

// One game's browse, by an engine of its own.
struct GameRun {
    GameSources sources;
    std::unique_ptr<QuerySession> session;
    std::vector<ServerResult> results;
    std::atomic<bool> finished{false};
    bool ok = false;
};

// How many servers a game's browse starts from, a master counting as one full page.
uint64_t Weight(const GameSources& sources) {
    constexpr uint64_t kPage = 231;
    return sources.servers.size() + sources.listed.size() + kPage * sources.masters.size();
}

// The games share the rate and the in-flight cap in proportion to their weights.
uint32_t Share(uint32_t total, uint64_t weight, uint64_t allWeights) {
    return std::max<uint32_t>(1, uint32_t(total * weight / std::max<uint64_t>(allWeights, 1)));
}

BrowseSettings SettingsFor(const QueryOptions& options, const GameSources& sources,
                           uint64_t allWeights) {
    BrowseSettings settings;
    settings.game = sources.game;
    settings.regionMask = options.regionMask;
    settings.regionFilterOn = options.regionFilterOn;
    settings.timeoutMs = static_cast<uint32_t>(options.timeoutSeconds * 1000);
    settings.retries = options.retries;
    settings.rate = Share(options.rate, Weight(sources), allWeights);
    settings.inFlight =
        options.inFlight == 0 ? 0 : Share(options.inFlight, Weight(sources), allWeights);
    settings.paging.pagePauseMs = options.pagePauseMs;
    settings.paging.answerMs = settings.timeoutMs;
    settings.paging.timeLimitMs = static_cast<uint64_t>(options.masterSeconds * 1000);
    return settings;
}

// Browses one game the way the browser's refresh does and keeps what it showed.
void Browse(const QueryOptions& options, GameRun& run) {
    QuerySession& session = *run.session;
    if (!session.HasProtocols()) {
        std::fprintf(stderr, "portico-query: the game-protocol library was not found\n");
    } else if (!session.Open()) {
        std::fprintf(stderr, "portico-query: no local UDP port could be opened\n");
    } else {
        for (const Endpoint& server : run.sources.servers)
            session.AddServer(server.ip, server.port, false);
        for (const ServerAddress& server : run.sources.listed)
            session.AddServer(server.ip, server.port, true);
        for (const MasterEndpoint& master : run.sources.masters)
            session.AskMaster(master.address.ip, master.address.port, master.filter);
        session.WaitForAnswers();
        if (options.players)
            session.FetchPlayers();
        run.results = session.Results();
        run.ok = true;
    }
    run.finished = true;
}

std::string AddressText(uint32_t ip, uint16_t port) {
    return std::to_string(ip >> 24) + "." + std::to_string(ip >> 16 & 0xFF) + "." +
           std::to_string(ip >> 8 & 0xFF) + "." + std::to_string(ip & 0xFF) + ":" +
           std::to_string(port);
}

void ShowProgress(const std::vector<std::unique_ptr<GameRun>>& runs, bool final) {
    BrowseProgress total;
    for (const auto& run : runs) {
        const BrowseProgress progress = run->session->Progress();
        total.listed += progress.listed;
        total.tally.queued += progress.tally.queued;
        total.tally.waiting += progress.tally.waiting;
        total.tally.answered += progress.tally.answered;
    }
    if (final)
        std::fprintf(stderr, "portico-query: %u answered, %u unanswered, %u listed by masters\n",
                     total.tally.answered, total.tally.waiting, total.listed);
    else
        std::fprintf(stderr, "portico-query: %u listed, %u queued, %u waiting, %u answered\n",
                     total.listed, total.tally.queued, total.tally.waiting, total.tally.answered);
    std::fflush(stderr);
}

void ReportMasters(const std::vector<std::unique_ptr<GameRun>>& runs) {
    for (const auto& run : runs)
        for (const MasterReport& master : run->session->Masters())
            std::fprintf(stderr, "portico-query: master %s: %u server%s in %u page%s (%s)\n",
                         AddressText(master.ip, master.port).c_str(), master.servers,
                         master.servers == 1 ? "" : "s", master.pages, master.pages == 1 ? "" : "s",
                         master.outcome.c_str());
}

// Every game at once; progress on a terminal while they run, the final counts always.
void BrowseAll(const QueryOptions& options, std::vector<std::unique_ptr<GameRun>>& runs) {
    std::vector<std::thread> browsing;
    for (auto& run : runs)
        browsing.emplace_back([&options, &run] { Browse(options, *run); });
    const bool terminal = isatty(fileno(stderr)) != 0;
    for (uint32_t waited = 0;; waited += 50) {
        const bool all = std::all_of(runs.begin(), runs.end(),
                                     [](const auto& run) { return run->finished.load(); });
        if (all)
            break;
        if (terminal && waited % kProgressEveryMs == 0 && waited != 0)
            ShowProgress(runs, false);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    for (std::thread& thread : browsing)
        thread.join();
    ShowProgress(runs, true);
    ReportMasters(runs);
}

void Print(const QueryOptions& options, const std::vector<std::unique_ptr<GameRun>>& runs) {
    std::vector<ServerResult> all;
    for (const auto& run : runs)
        all.insert(all.end(), run->results.begin(), run->results.end());
    KeepOnePerAddress(all);
    if (options.json) {
        SortByPing(all);
        std::fputs(FormatJson(all, options.players).c_str(), stdout);
        return;
    }
    std::map<uint16_t, std::vector<ServerResult>> byGame;
    for (const ServerResult& result : all)
        byGame[result.record.gameId].push_back(result);
    const bool colour = isatty(fileno(stdout)) != 0;
    for (auto& game : byGame) {
        if (byGame.size() > 1 || options.demo)
            std::printf("== %s (%u)\n", GameFacts::Name(game.first).c_str(), game.first);
        SortByPing(game.second);
        std::fputs(FormatTable(game.second, colour, options.players, PlayerTimeText).c_str(),
                   stdout);
    }
}

bool StartSimulated(const QueryOptions& options, SimulatedServers& simulated) {
    SimConfig config;
    std::string error;
    if (options.demo) {
        DemoOptions demo;
        demo.anyPorts = true; // never clash with servers or tests already on this machine
        config = BuildDemoConfig(demo);
    } else if (!LoadSimConfig(options.simFile, config, error)) {
        std::fprintf(stderr, "portico-query: %s\n", error.c_str());
        return false;
    }
    if (!simulated.Start(config, error)) {
        std::fprintf(stderr, "portico-query: the simulated servers did not start: %s\n",
                     error.c_str());
        return false;
    }
    return true;
}

int Run(const QueryOptions& options) {
    std::unique_ptr<SimulatedServers> simulated;
    if (options.demo || !options.simFile.empty()) {
        simulated.reset(new SimulatedServers);
        if (!StartSimulated(options, *simulated))
            return kExitFailure;
    }
    BrowsePlan plan;
    if (!plan.Gather(options))
        return kExitFailure;
    if (options.demo)
        plan.AddDemo(*simulated, options);
    const std::vector<GameSources> games = plan.Games();
    if (games.empty()) {
        std::fprintf(stderr, "portico-query: nothing could be queried\n");
        return kExitFailure;
    }
    uint64_t allWeights = 0;
    for (const GameSources& sources : games)
        allWeights += Weight(sources);
    std::vector<std::unique_ptr<GameRun>> runs;
    for (const GameSources& sources : games) {
        runs.emplace_back(new GameRun);
        runs.back()->sources = sources;
        runs.back()->session.reset(new QuerySession(SettingsFor(options, sources, allWeights)));
    }
    BrowseAll(options, runs);
    for (const auto& run : runs)
        if (!run->ok)
            return kExitFailure;
    Print(options, runs);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QueryOptions options;
    std::string error;
    if (!ParseQueryOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "portico-query: %s\n%s", error.c_str(), kQueryUsage);
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(kQueryUsage, stdout);
        return 0;
    }
    Utils::SocketStartup sockets;
    return Run(options);
}
