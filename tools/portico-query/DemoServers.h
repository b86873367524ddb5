// What --demo browses: simulated servers of the four demo games on loopback sub-ranges in a
// dozen countries, behind a Valve and a Quake III master, with the region override that
// places those sub-ranges in their countries.
#pragma once

#include "GameServerSimulator.h"

#include <cstdint>
#include <string>

namespace Portico {

class DemoServers {
public:
    // Writes the region override and points the region library at it; call before the
    // region library is first used.
    bool Start(std::string& error);
    // The master that lists a game's servers, and the filter that asks for that game only.
    SimAddress MasterFor(uint16_t gameId) const;
    std::string FilterFor(uint16_t gameId) const;

private:
    bool PlaceRegions(const SimConfig& config, std::string& error);

    GameServerSimulator simulator;
};

} // namespace Portico
