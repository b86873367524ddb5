// Datagram remote-console answers: GoldSrc ("challenge rcon", 'l' output) and Quake III
// ("print" output).
#pragma once

#include "SimBytes.h"

#include <vector>

namespace Portico {

// Output text per datagram, as the servers cut it.
constexpr size_t kRconDatagramText = 1000;

// FF FF FF FF "challenge rcon <n>" LF NUL.
SimBytes EncodeRconChallenge(uint32_t challenge);
// FF FF FF FF 'l' + text + NUL per piece.
std::vector<SimBytes> EncodeGoldSrcOutput(const std::string& text);
// FF FF FF FF "print" LF + text per piece.
std::vector<SimBytes> EncodeQuakeOutput(const std::string& text);

} // namespace Portico
