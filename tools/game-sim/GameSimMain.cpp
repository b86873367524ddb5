// game-sim: serves simulated game servers on loopback until standard input closes or for a
// number of seconds.
#include "DemoConfig.h"
#include "GameServerSimulator.h"
#include "GameSimOptions.h"
#include "SimConfigText.h"
#include "utils/SocketStartup.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <thread>

namespace {

bool LoadConfig(const Portico::GameSimOptions& options, Portico::SimConfig& config,
                std::string& error) {
    if (options.demo) {
        Portico::DemoOptions demo;
        if (options.seed != 0)
            demo.seed = options.seed;
        demo.anyPorts = options.anyPorts;
        config = Portico::BuildDemoConfig(demo);
    } else if (!Portico::LoadSimConfig(options.configFile, config, error)) {
        return false;
    }
    if (options.forcePorts)
        config.addressing = Portico::SimAddressing::Ports;
    return true;
}

bool WriteOverrides(const std::string& path, const Portico::SimConfig& config) {
    std::ofstream file(path, std::ios::binary);
    file << Portico::RegionOverrideText(config);
    return bool(file);
}

void Serve(uint32_t seconds) {
    if (seconds != 0) {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        return;
    }
    char c;
    while (std::cin.get(c)) {
    }
}

} // namespace

int main(int argc, char** argv) {
    Portico::GameSimOptions options;
    std::string error;
    if (!Portico::ParseGameSimOptions(std::vector<std::string>(argv + 1, argv + argc), options,
                                      error)) {
        std::fprintf(stderr, "game-sim: %s\n\n%s", error.c_str(), Portico::kGameSimUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(Portico::kGameSimUsage, stdout);
        return 0;
    }
    Portico::SimConfig config;
    if (!LoadConfig(options, config, error)) {
        std::fprintf(stderr, "game-sim: %s\n", error.c_str());
        return 1;
    }
    if (options.printConfig) {
        std::fputs(Portico::FormatSimConfig(config).c_str(), stdout);
        return 0;
    }
    if (!options.overridesFile.empty() && !WriteOverrides(options.overridesFile, config)) {
        std::fprintf(stderr, "game-sim: cannot write %s\n", options.overridesFile.c_str());
        return 1;
    }
    const Utils::SocketStartup startup;
    Portico::GameServerSimulator simulator;
    if (!simulator.Start(config, error)) {
        std::fprintf(stderr, "game-sim: %s\n", error.c_str());
        return 1;
    }
    std::fputs(Portico::DescribeSimulator(simulator).c_str(), stdout);
    if (options.demo)
        std::fputs(Portico::RegionOverrideText(config).c_str(), stdout);
    std::fflush(stdout);
    Serve(options.seconds);
    simulator.Stop();
    return 0;
}
