// The demo's servers: about 200 servers of the four demo games (1003, 1028, 1005, 1010) in a
// dozen countries, one loopback /24 per country, behind a Valve master and a Quake III master.
// The same seed always gives the same servers.
#pragma once

#include "SimConfig.h"

#include <string>

namespace Portico {

struct DemoOptions {
    uint64_t seed = 4;
    // Every endpoint on any free port instead of the games' usual ports (tests, or a machine
    // where those ports are taken).
    bool anyPorts = false;
};

// Masters: Valve 127.0.0.1:27010 (1003, 1028, 1005; filter \gamedir\harbor, frontier or
// valley), Quake III 127.0.0.1:27950 (1010, protocol 68).
SimConfig BuildDemoConfig(const DemoOptions& options = DemoOptions());

// The game folder a demo game's servers report, for the Valve master's \gamedir\ filter:
// "harbor" (1003), "frontier" (1028), "valley" (1005); empty for any other game.
std::string DemoGameFolder(uint16_t gameId);

// The region override file for config's regions: one "a.b.c.d/prefix CC" line each.
std::string RegionOverrideText(const SimConfig& config);

} // namespace Portico
