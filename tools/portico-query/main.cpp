// portico-query: the server browser's main job from the command line.
#include "DemoServers.h"
#include "QueryOptions.h"
#include "QuerySession.h"

#include "serverlist/ServerListSource.h"
#include "utils/ResolveHost.h"
#include "utils/SocketStartup.h"

#include <cstdio>
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
const uint16_t kDemoGames[] = {1003, 1028, 1005, 1010};

struct Endpoint {
    uint32_t ip;
    uint16_t port;
    std::string filter; // master filter
};

// What one game's browse starts from.
struct Sources {
    std::vector<Endpoint> servers;
    std::vector<Endpoint> masters;
    std::vector<ServerAddress> listed; // from server-list files
};

struct GameRun {
    uint16_t game;
    std::string name;
    std::vector<ServerResult> results;
    bool ok = false;
};

// Resolves every host:port; unresolvable ones are reported and left out.
std::vector<Endpoint> Resolve(const std::vector<HostPort>& list) {
    std::vector<Endpoint> out;
    for (const HostPort& item : list) {
        const uint32_t ip = Utils::ResolveHost(item.host.c_str());
        if (ip == Utils::kNoAddress)
            std::fprintf(stderr, "portico-query: cannot resolve %s\n", item.host.c_str());
        else
            out.push_back({ip, item.port, {}});
    }
    return out;
}

bool ReadServerLists(const QueryOptions& options, std::vector<ServerAddress>& listed) {
    for (const std::string& source : {options.fslFile, options.fslUrl}) {
        const ServerListProblem problem =
            source.empty() ? ServerListProblem::kNone : LoadServerList(source, listed);
        if (problem != ServerListProblem::kNone) {
            std::fprintf(stderr, "portico-query: cannot use the server list %s: %s\n",
                         source.c_str(), Describe(problem));
            return false;
        }
    }
    return true;
}

// Browses one game the way the browser's refresh does and keeps what it showed.
void Browse(const QueryOptions& options, const Sources& sources, GameRun& run, bool progress) {
    QuerySession session(run.game, options.regionMask, options.regionFilterOn);
    run.name = session.GameName();
    if (!session.HasProtocols()) {
        std::fprintf(stderr, "portico-query: the game-protocol library was not found\n");
        return;
    }
    if (!session.Open()) {
        std::fprintf(stderr, "portico-query: no local UDP port could be opened\n");
        return;
    }
    for (const Endpoint& server : sources.servers)
        session.AddServer(server.ip, server.port, false);
    for (const ServerAddress& server : sources.listed)
        session.AddServer(server.ip, server.port, true);
    for (const Endpoint& master : sources.masters)
        session.AskMaster(master.ip, master.port, master.filter);
    const uint32_t timeoutMs = static_cast<uint32_t>(options.timeoutSeconds * 1000);
    session.WaitForAnswers(timeoutMs, progress ? stderr : nullptr);
    if (options.players)
        session.FetchPlayers(timeoutMs);
    run.results = session.Results();
    SortByPing(run.results);
    run.ok = true;
}

void Print(const QueryOptions& options, const std::vector<GameRun>& runs) {
    // Player times are the game's own text; a session's library is the process's.
    QuerySession formatter(0, 0, false);
    const PlayerTimeFormatter formatTime = [&](uint16_t game, uint32_t time) {
        return formatter.FormatPlayerTime(game, time);
    };
    const bool colour = isatty(fileno(stdout)) != 0;
    for (const GameRun& run : runs) {
        if (runs.size() > 1 && !options.json)
            std::printf("== %s (%u)\n", run.name.c_str(), run.game);
        const std::string text = options.json
                                     ? FormatJson(run.results, options.players, formatTime)
                                     : FormatTable(run.results, colour, options.players, formatTime);
        std::fputs(text.c_str(), stdout);
    }
}

// The demo's simulated servers of one game, through its master.
Sources DemoSources(const DemoServers& demo, uint16_t game) {
    const SimAddress master = demo.MasterFor(game);
    return Sources{{}, {{master.ip, master.port, demo.FilterFor(game)}}, {}};
}

int Run(const QueryOptions& options) {
    std::unique_ptr<DemoServers> demo;
    std::vector<GameRun> runs;
    if (options.demo) {
        demo.reset(new DemoServers);
        std::string error;
        if (!demo->Start(error)) {
            std::fprintf(stderr, "portico-query: the demo servers did not start: %s\n",
                         error.c_str());
            return kExitFailure;
        }
        for (uint16_t game : kDemoGames) {
            if (!options.gameGiven || game == options.game)
                runs.push_back(GameRun{game, {}, {}, false});
        }
    } else {
        runs.push_back(GameRun{options.game, {}, {}, false});
    }
    Sources given{Resolve(options.servers), Resolve(options.masters), {}};
    if (!ReadServerLists(options, given.listed))
        return kExitFailure;

    // Every game is browsed at once, each by an engine of its own.
    std::vector<std::thread> browsing;
    for (size_t i = 0; i < runs.size(); ++i) {
        const Sources sources = demo ? DemoSources(*demo, runs[i].game) : given;
        browsing.emplace_back([&options, sources, &runs, i] { Browse(options, sources, runs[i], i == 0); });
    }
    for (std::thread& thread : browsing)
        thread.join();
    for (const GameRun& run : runs) {
        if (!run.ok)
            return kExitFailure;
    }
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
