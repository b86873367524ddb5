#include "SimulatedServers.h"

#include "DemoConfig.h"
#include "GameFacts.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace Portico {

bool SimulatedServers::Start(const SimConfig& config, std::string& error) {
    return PlaceRegions(config, error) && simulator.Start(config, error);
}

SimAddress SimulatedServers::MasterFor(uint16_t gameId) const {
    return simulator.MasterAddress(GameFacts::QuakeMaster(gameId) ? SimMasterKind::Quake
                                                                  : SimMasterKind::Valve);
}

// Loopback lies in no country in real data: the override file gives the configuration's
// ranges theirs. The region library reads the file named by QUILLON_OVERRIDE when it loads.
bool SimulatedServers::PlaceRegions(const SimConfig& config, std::string& error) {
    if (config.regions.empty())
        return true;
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
