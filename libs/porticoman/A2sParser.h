// Decoders of the Valve A2S answers. Each reads the bytes after the answer's type byte and
// fails, leaving its output alone, when the answer is short or malformed; the optional tails
// of real servers' answers (extra data, players beyond the datagram) are taken as far as whole.
#pragma once

#include "PacketReader.h"
#include "abi/ProtocolInterface.h"

#include <string_view>

namespace Portico {

class A2sParser {
public:
    // 'I', the Source layout; also sent by current GoldSrc servers. connectPort is the game
    // port of the extra data when the answer has one, the queried port otherwise. folder, when
    // given, receives the game folder (it points into the reader's bytes).
    static bool ParseInfo(PacketReader& reader, uint16_t queryPort, ServerInfo& info,
                          std::string_view* folder = nullptr);
    // 'm', the obsolete GoldSrc layout.
    static bool ParseGoldSrcInfo(PacketReader& reader, uint16_t queryPort, ServerInfo& info,
                                 std::string_view* folder = nullptr);
    // 'D'. Players without a name (still connecting) are left out; time is in seconds. A list
    // shorter than its count gives its whole entries.
    static bool ParsePlayers(PacketReader& reader, Utils::ArrayT<PlayerEntry>& players);
    // 'A', the challenge to repeat the request with.
    static bool ParseChallenge(PacketReader& reader, uint32_t& challenge);
};

} // namespace Portico
