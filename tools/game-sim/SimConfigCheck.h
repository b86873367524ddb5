// Checks of a simulator configuration, whoever built it: loopback addresses only, bounded
// texts and lists, values the protocols can carry.
#pragma once

#include "SimConfig.h"

#include <string>

namespace Portico {

constexpr size_t kMaxSimServers = 16384;
constexpr size_t kMaxSimMasters = 64;
constexpr size_t kMaxSimText = 1024;
constexpr size_t kMaxSimOutput = 65536;
constexpr size_t kMaxSimCommands = 256;
constexpr size_t kMaxSimPlayers = 255;
constexpr size_t kMaxSimRules = 255;
constexpr uint32_t kMinSimSplit = 64;
constexpr uint32_t kMaxSimSplit = 16384;
constexpr uint32_t kMaxSimDelayMs = 60000;
constexpr uint32_t kMaxSimPage = 231;

// The reason the address cannot be served, or empty.
std::string AddressProblem(const SimAddress& address);
// Problems of one server or master alone, or empty.
std::string ServerProblem(const SimServer& server);
std::string MasterProblem(const SimMaster& master);
std::string RegionProblem(const SimRegion& region);

// The whole configuration, with the numbers and addresses of what is wrong in error.
bool CheckSimConfig(const SimConfig& config, std::string& error);

} // namespace Portico
