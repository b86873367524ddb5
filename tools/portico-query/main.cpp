// portico-query: the server browser's main job from the command line.
#include "QueryOptions.h"
#include "QuerySession.h"

#include "serverlist/ServerListSource.h"
#include "utils/ResolveHost.h"
#include "utils/SocketStartup.h"

#include <cstdio>
#include <string>
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

// Resolves every host:port; unresolvable ones are reported and left out.
std::vector<std::pair<uint32_t, uint16_t>> Resolve(const std::vector<HostPort>& list) {
    std::vector<std::pair<uint32_t, uint16_t>> out;
    for (const HostPort& item : list) {
        const uint32_t ip = Utils::ResolveHost(item.host.c_str());
        if (ip == Utils::kNoAddress)
            std::fprintf(stderr, "portico-query: cannot resolve %s\n", item.host.c_str());
        else
            out.emplace_back(ip, item.port);
    }
    return out;
}

// The servers of a packed list file or URL; false (reported) when it cannot be read.
bool AddServerList(QuerySession& session, const std::string& source) {
    std::vector<ServerAddress> list;
    if (!LoadServerList(source, list)) {
        std::fprintf(stderr, "portico-query: cannot read the server list %s\n", source.c_str());
        return false;
    }
    for (const ServerAddress& server : list)
        session.AddServer(server.ip, server.port, true);
    return true;
}

int Run(const QueryOptions& options) {
    QuerySession session(options.game, options.regionMask, options.regionFilterOn);
    if (!session.HasProtocols()) {
        std::fprintf(stderr, "portico-query: the game-protocol library was not found\n");
        return kExitFailure;
    }
    if (!session.Open()) {
        std::fprintf(stderr, "portico-query: no local UDP port could be opened\n");
        return kExitFailure;
    }
    const auto servers = Resolve(options.servers);
    const auto masters = Resolve(options.masters);
    bool listsRead = true;
    for (const std::string& source : {options.fslFile, options.fslUrl}) {
        if (!source.empty())
            listsRead = AddServerList(session, source) && listsRead;
    }
    if (!listsRead || (servers.empty() && masters.empty() && options.fslFile.empty() &&
                       options.fslUrl.empty()))
        return kExitFailure;
    for (const auto& server : servers)
        session.AddServer(server.first, server.second, false);
    for (const auto& master : masters)
        session.AskMaster(master.first, master.second);

    const uint32_t timeoutMs = static_cast<uint32_t>(options.timeoutSeconds * 1000);
    session.WaitForAnswers(timeoutMs, stderr);
    if (options.players)
        session.FetchPlayers(timeoutMs);

    std::vector<ServerResult> results = session.Results();
    SortByPing(results);
    const PlayerTimeFormatter formatTime = [&](uint16_t game, uint32_t time) {
        return session.FormatPlayerTime(game, time);
    };
    const std::string text =
        options.json ? FormatJson(results, options.players, formatTime)
                     : FormatTable(results, isatty(fileno(stdout)) != 0, options.players,
                                   formatTime);
    std::fputs(text.c_str(), stdout);
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
