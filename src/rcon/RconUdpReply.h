// What a datagram to the remote console's UDP socket says: a challenge ("challenge rcon <n>"),
// output ('l' + text of GoldSrc servers, "print\n" + text of Quake III servers) or nothing
// the console reads.
#pragma once

#include "utils/InStreamT.h"

#include <cstdint>
#include <string>

namespace Portico {

struct RconUdpReply {
    enum class Kind { Ignored, Challenge, Output };
    Kind kind = Kind::Ignored;
    uint32_t challenge = 0;
    std::string text; // output, without its marker
};

RconUdpReply ReadRconUdpReply(Utils::InStreamT<unsigned char>& datagram);

// The decimal number at the start of text after white space: 0 without digits, 4294967295
// when it does not fit in 32 bits.
uint32_t ReadChallengeNumber(const std::string& text);

} // namespace Portico
