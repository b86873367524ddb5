// Decoder of the Quake III-engine status answer: after "statusResponse" come a line feed, the
// info string (\key\value pairs) and one line per player, `score ping "name"`.
#pragma once

#include "abi/ProtocolInterface.h"

#include <string_view>

namespace Portico {

class QuakeStatusParser {
public:
    static constexpr uint32_t kMaxPlayers = 255;

    // text: the bytes after "statusResponse". Server names keep their ^ colour codes.
    // players receives the player lines (time = ping in ms) unless it is null.
    static bool Parse(std::string_view text, uint16_t queryPort, ServerInfo& info,
                      Utils::ArrayT<PlayerEntry>* players);
    // The short mode text for a g_gametype value.
    static std::string_view GameTypeText(std::string_view value);
};

} // namespace Portico
