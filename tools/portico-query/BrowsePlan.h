// What portico-query browses: for each game, the servers, masters and listed servers it
// starts from, gathered from the command line (addresses resolved, files read) or from the
// simulated servers of --demo.
#pragma once

#include "QueryOptions.h"
#include "SimulatedServers.h"

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct Endpoint {
    uint32_t ip;
    uint16_t port;
};

struct MasterEndpoint {
    Endpoint address;
    std::string filter;
};

struct GameSources {
    uint16_t game;
    std::vector<Endpoint> servers;       // handed over one by one
    std::vector<MasterEndpoint> masters; // paged
    std::vector<ServerAddress> listed;   // from server-list files

    bool Empty() const { return servers.empty() && masters.empty() && listed.empty(); }
};

class BrowsePlan {
public:
    // Reports what cannot be used on stderr; false when a server list cannot be read.
    bool Gather(const QueryOptions& options);
    // Every demo game (or the one chosen) through its simulated master.
    void AddDemo(const SimulatedServers& demo, const QueryOptions& options);
    // The games with anything to query.
    std::vector<GameSources> Games() const;

private:
    GameSources& For(uint16_t game);
    bool ReadServerList(const std::string& source, GameSources& into);
    bool ReadServerLines(const QueryOptions& options);

    std::vector<GameSources> games;
};

// The games --demo browses.
extern const uint16_t kDemoGames[4];

} // namespace Portico
