// Answers of a simulated Valve A2S server, laid out as the public server-query description
// gives them.
#pragma once

#include "SimBytes.h"
#include "SimConfig.h"

#include <vector>

namespace Portico {

// 'A': the challenge a request must repeat.
SimBytes EncodeA2sChallenge(uint32_t challenge);
// 'I': the Source layout, with the extra data the server's fields ask for.
SimBytes EncodeSourceInfo(const SimServer& server);
// 'm': the obsolete GoldSrc layout; bound is the address the server answers from.
SimBytes EncodeGoldSrcInfo(const SimServer& server, const SimAddress& bound);
// 'D': the player list (at most 255 players).
SimBytes EncodeA2sPlayers(const std::vector<SimPlayer>& players);
// 'E': the rules, as a count and name, value pairs.
SimBytes EncodeA2sRules(const std::vector<SimRule>& rules);

} // namespace Portico
