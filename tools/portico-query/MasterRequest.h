// The first page request to a master server for a game: the Valve master query for the
// A2S games (filter: for example \gamedir\name, or empty for every game), getservers for the
// Quake III-engine game.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <string>

namespace Portico {

constexpr uint16_t kQuakeGame = 1010;

void BuildMasterRequest(uint16_t gameId, const std::string& filter, ByteOutStream& out);

} // namespace Portico
