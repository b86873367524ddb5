// Simulated game servers started inside portico-query (--demo, --sim): the game-server
// simulator on loopback, with the region override that places its ranges in their countries.
#pragma once

#include "GameServerSimulator.h"

#include <cstdint>
#include <string>

namespace Portico {

class SimulatedServers {
public:
    // Writes the configuration's region override and points the region library at it (call
    // before the region library is first used), then starts the servers.
    bool Start(const SimConfig& config, std::string& error);
    // The first master that lists a game's servers (port 0 when there is none).
    SimAddress MasterFor(uint16_t gameId) const;

private:
    bool PlaceRegions(const SimConfig& config, std::string& error);

    GameServerSimulator simulator;
};

} // namespace Portico
