#include "GameSimOptions.h"

#include "utils/ParseNumber.h"

namespace Portico {

const char* const kGameSimUsage =
    "usage: game-sim (--config FILE | --demo) [options]\n"
    "Simulated game servers (Source, GoldSrc, Quake III), master servers and remote consoles\n"
    "on loopback addresses (127.0.0.0/8 only), from one process.\n"
    "\n"
    "  --config FILE     serve the servers of FILE (format: tools/game-sim/README.md)\n"
    "  --demo            serve the demo: about 200 servers of games 1003, 1028, 1005 and\n"
    "                    1010 in twelve countries, a Valve and a Quake III master\n"
    "  --seed N          the demo's seed (the same seed, the same servers)\n"
    "  --any-ports       the demo on free ports instead of the games' usual ones\n"
    "  --ports           every endpoint on 127.0.0.1 with its own port, even where the\n"
    "                    platform serves 127.x.y.z addresses\n"
    "  --overrides FILE  write the region override lines (127.0.N.0/24 CC) to FILE\n"
    "  --print-config    print the configuration text and exit without serving\n"
    "  --seconds N       serve N seconds; without it, serve until standard input closes\n"
    "  --help            this text\n";

bool ParseGameSimOptions(const std::vector<std::string>& args, GameSimOptions& options,
                         std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        uint64_t number = 0;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--any-ports") {
            options.anyPorts = true;
        } else if (arg == "--ports") {
            options.forcePorts = true;
        } else if (arg == "--print-config") {
            options.printConfig = true;
        } else if (arg == "--config" && hasValue) {
            options.configFile = args[++i];
        } else if (arg == "--overrides" && hasValue) {
            options.overridesFile = args[++i];
        } else if (arg == "--seed" && hasValue) {
            if (!Utils::ParseDecimal(args[++i], options.seed) || options.seed == 0) {
                error = "--seed needs a number above 0";
                return false;
            }
        } else if (arg == "--seconds" && hasValue) {
            if (!Utils::ParseDecimal(args[++i], number, uint64_t(86400 * 7)) || number == 0) {
                error = "--seconds needs a number from 1 to 604800";
                return false;
            }
            options.seconds = uint32_t(number);
        } else {
            error = "unknown or incomplete argument: " + arg;
            return false;
        }
    }
    if (!options.help && options.demo == !options.configFile.empty()) {
        error = "give either --config FILE or --demo";
        return false;
    }
    return true;
}

} // namespace Portico
