// What portico-query says to master servers and reads of their answers beyond the servers
// the protocol library hands back: the request for a game's list (the Valve master query for
// one page after a seed, filter for example \gamedir\name or empty for every game; getservers
// with the game's protocol number for a Quake III master), and the end of a Valve list.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <string>

namespace Portico {

// seed: the last address of the previous page (ip and port 0 for the first page).
void BuildMasterRequest(uint16_t gameId, const ServerAddress& seed, const std::string& filter,
                        ByteOutStream& out);
// True for a Valve master page whose last entry is 0.0.0.0:0, the end of the list.
bool EndsValveList(const unsigned char* datagram, uint32_t size);

} // namespace Portico
