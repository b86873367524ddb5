// Command line of game-sim.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct GameSimOptions {
    bool help = false;
    bool demo = false;
    std::string configFile;
    uint64_t seed = 0;       // demo seed; 0 = the demo's own
    bool anyPorts = false;   // demo on free ports
    bool forcePorts = false; // 127.0.0.1 and own ports even where aliases work
    uint32_t seconds = 0;    // 0 = until standard input closes
    std::string overridesFile;
    bool printConfig = false;
};

// Parses argv[1..]. False with a message in error for bad arguments.
bool ParseGameSimOptions(const std::vector<std::string>& args, GameSimOptions& options,
                         std::string& error);
extern const char* const kGameSimUsage;

} // namespace Portico
