// Answers of a simulated Quake III server: getstatus and getinfo.
#pragma once

#include "SimBytes.h"
#include "SimConfig.h"

namespace Portico {

// "statusResponse", the info string, then one "score ping \"name\"" line per player. challenge
// is echoed in the info string when not empty.
SimBytes EncodeQuakeStatus(const SimServer& server, const std::string& challenge);
// "infoResponse" and the short info string.
SimBytes EncodeQuakeInfo(const SimServer& server, const std::string& challenge);

} // namespace Portico
