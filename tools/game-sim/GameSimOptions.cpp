#include "GameSimOptions.h"

#include "utils/OptionReader.h"
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

namespace {

bool ReadValue(const std::string& name, const std::string& value, GameSimOptions& options,
               std::string& error) {
    uint64_t number = 0;
    if (name == "--config") {
        options.configFile = value;
    } else if (name == "--overrides") {
        options.overridesFile = value;
    } else if (name == "--seed") {
        if (!Utils::ParseDecimal(value, options.seed) || options.seed == 0) {
            error = "--seed needs a number above 0";
            return false;
        }
    } else {
        if (!Utils::ParseDecimal(value, number, uint64_t(86400 * 7)) || number == 0) {
            error = "--seconds needs a number from 1 to 604800";
            return false;
        }
        options.seconds = uint32_t(number);
    }
    return true;
}

} // namespace

bool ParseGameSimOptions(const std::vector<std::string>& args, GameSimOptions& options,
                         std::string& error) {
    Utils::OptionReader reader(args, {{"--help", false, "-h"},
                                      {"--demo"},
                                      {"--any-ports"},
                                      {"--ports"},
                                      {"--print-config"},
                                      {"--config", true},
                                      {"--overrides", true},
                                      {"--seed", true},
                                      {"--seconds", true}});
    Utils::OptionReader::Item item;
    while (reader.Next(item)) {
        if (item.kind == Utils::OptionReader::Kind::Error) {
            error = item.value;
            return false;
        }
        if (item.kind == Utils::OptionReader::Kind::Operand) {
            error = "unexpected argument: " + item.name;
            return false;
        }
        if (item.name == "--help")
            options.help = true;
        else if (item.name == "--demo")
            options.demo = true;
        else if (item.name == "--any-ports")
            options.anyPorts = true;
        else if (item.name == "--ports")
            options.forcePorts = true;
        else if (item.name == "--print-config")
            options.printConfig = true;
        else if (!ReadValue(item.name, item.value, options, error))
            return false;
    }
    if (!options.help && options.demo == !options.configFile.empty()) {
        error = "give either --config FILE or --demo";
        return false;
    }
    return true;
}

} // namespace Portico
