#include "BrowsePlan.h"

#include "GameFacts.h"
#include "ServerLines.h"

#include "serverlist/ServerListSource.h"
#include "utils/ResolveHost.h"

#include <cstdio>

namespace Portico {

const uint16_t kDemoGames[4] = {1003, 1028, 1005, 1010};

namespace {

// Unresolvable hosts are reported and left out; text that is no address is never looked up.
bool Resolve(const HostPort& item, Endpoint& out) {
    const uint32_t ip = Utils::ResolveHost(item.host.c_str());
    if (ip == Utils::kNoAddress) {
        const bool ipv6 = item.host.find_first_of("[:") != std::string::npos;
        std::fprintf(stderr, "portico-query: cannot resolve %s%s\n", item.host.c_str(),
                     ipv6 ? " (IPv6 is not supported)" : "");
        return false;
    }
    out = Endpoint{ip, item.port};
    return true;
}

} // namespace

bool BrowsePlan::Gather(const QueryOptions& options) {
    GameSources& chosen = For(options.game);
    Endpoint endpoint;
    for (const HostPort& server : options.servers)
        if (Resolve(server, endpoint))
            chosen.servers.push_back(endpoint);
    const std::string filter =
        options.filterGiven ? options.filter : GameFacts::MasterFilter(options.game);
    for (const HostPort& master : options.masters)
        if (Resolve(master, endpoint))
            chosen.masters.push_back(MasterEndpoint{endpoint, filter});
    return ReadServerList(options.fslFile, chosen) && ReadServerList(options.fslUrl, chosen) &&
           ReadServerLines(options);
}

void BrowsePlan::AddDemo(const SimulatedServers& demo, const QueryOptions& options) {
    for (uint16_t game : kDemoGames) {
        if (options.gameGiven && game != options.game)
            continue;
        const SimAddress master = demo.MasterFor(game);
        const std::string filter =
            options.filterGiven ? options.filter : GameFacts::MasterFilter(game);
        For(game).masters.push_back(MasterEndpoint{{master.ip, master.port}, filter});
    }
}

std::vector<GameSources> BrowsePlan::Games() const {
    std::vector<GameSources> used;
    for (const GameSources& game : games)
        if (!game.Empty())
            used.push_back(game);
    return used;
}

GameSources& BrowsePlan::For(uint16_t game) {
    for (GameSources& sources : games)
        if (sources.game == game)
            return sources;
    games.push_back(GameSources{game, {}, {}, {}});
    return games.back();
}

bool BrowsePlan::ReadServerList(const std::string& source, GameSources& into) {
    if (source.empty())
        return true;
    std::vector<ServerAddress> servers;
    const ServerListProblem problem = LoadServerList(source, servers);
    if (problem != ServerListProblem::kNone) {
        std::fprintf(stderr, "portico-query: cannot use the server list %s: %s\n", source.c_str(),
                     Describe(problem));
        return false;
    }
    into.listed.insert(into.listed.end(), servers.begin(), servers.end());
    return true;
}

bool BrowsePlan::ReadServerLines(const QueryOptions& options) {
    if (options.listFile.empty())
        return true;
    std::vector<ServerLine> lines;
    std::string error;
    if (!LoadServerLines(options.listFile, options.game, lines, error)) {
        std::fprintf(stderr, "portico-query: cannot use the list %s: %s\n",
                     options.listFile.c_str(), error.c_str());
        return false;
    }
    Endpoint endpoint;
    for (const ServerLine& line : lines)
        if (Resolve(line.address, endpoint))
            For(line.game).servers.push_back(endpoint);
    return true;
}

} // namespace Portico
