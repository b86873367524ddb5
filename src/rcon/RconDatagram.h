// The datagrams of the UDP remote console, framed around the game's own texts: FF FF FF FF,
// then the text and its NUL.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <string>

namespace Portico {

// The challenge request; false (nothing written) when the game needs no challenge.
bool BuildRconChallengeRequest(const GameProtocol& game, ByteOutStream& out);
// The game's prefix built from password and challenge, then the command.
void BuildRconCommand(const GameProtocol& game, const std::string& password, uint32_t challenge,
                      const std::string& command, ByteOutStream& out);

} // namespace Portico
