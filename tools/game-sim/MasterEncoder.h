// Answers of simulated master servers: the Valve master list and Quake III getserversResponse.
#pragma once

#include "SimBytes.h"
#include "SimConfig.h"

#include <vector>

namespace Portico {

// Entries per Valve reply when the master's page is 0: 6 + 6 x 231 bytes stay under 1400.
constexpr size_t kValvePageEntries = 231;
// Entries per Quake III reply when the master's page is 0.
constexpr size_t kQuakePageEntries = 190;

// FF FF FF FF 66 0A, then at most page entries of list from first; the entry 0.0.0.0:0 follows
// when they reach the end of the list.
SimBytes EncodeValveMasterPage(const std::vector<SimAddress>& list, size_t first, size_t page);
// The whole list in replies of at most page entries, each "getserversResponse", the entries
// ('\' + address + port) and "\EOT" with three NULs.
std::vector<SimBytes> EncodeQuakeMasterReplies(const std::vector<SimAddress>& list, size_t page);

} // namespace Portico
