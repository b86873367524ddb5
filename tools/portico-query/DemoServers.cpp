#include "DemoServers.h"

#include "DemoConfig.h"
#include "MasterRequest.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace Portico {

bool DemoServers::Start(std::string& error) {
    DemoOptions options;
    options.anyPorts = true; // never clash with servers or tests already on this machine
    const SimConfig config = BuildDemoConfig(options);
    return PlaceRegions(config, error) && simulator.Start(config, error);
}

SimAddress DemoServers::MasterFor(uint16_t gameId) const {
    return simulator.MasterAddress(gameId == kQuakeGame ? SimMasterKind::Quake
                                                        : SimMasterKind::Valve);
}

std::string DemoServers::FilterFor(uint16_t gameId) const {
    const std::string folder = DemoGameFolder(gameId);
    return folder.empty() ? std::string() : "\\gamedir\\" + folder;
}

// Loopback lies in no country in real data: the override file gives the demo's sub-ranges
// theirs. The region library reads the file named by QUILLON_OVERRIDE when it loads.
bool DemoServers::PlaceRegions(const SimConfig& config, std::string& error) {
    std::error_code failure;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(failure);
    const std::filesystem::path file = folder / "portico-demo-regions.txt";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << RegionOverrideText(config);
    out.close();
    if (failure || !out) {
        error = "cannot write the region override file " + file.string();
        return false;
    }
#if defined(_WIN32)
    _putenv_s("QUILLON_OVERRIDE", file.string().c_str());
#else
    setenv("QUILLON_OVERRIDE", file.string().c_str(), 1);
#endif
    return true;
}

} // namespace Portico
