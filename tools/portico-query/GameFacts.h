// What portico-query needs to know of each game, from the protocol library's game table: its
// name, how its master is asked, and what its player time value holds.
#pragma once

#include <cstdint>
#include <string>

namespace Portico {

class GameFacts {
public:
    static bool Known(uint16_t game);
    // "1003 (Harbor Assault), 1028 (Frontier Ops), ..." for messages.
    static std::string KnownList();
    // The game's own name, or its number when it is unknown.
    static std::string Name(uint16_t game);
    // Its master lists servers in one answer to getservers instead of pages by seed.
    static bool QuakeMaster(uint16_t game);
    // The master filter that asks for this game only: \gamedir\ and its folder, or empty.
    static std::string MasterFilter(uint16_t game);
    // The protocol number a Quake III master lists the game's servers under (0: none).
    static uint16_t ListProtocol(uint16_t game);
    // The JSON name of a player's time value: "seconds" played, "ping", or "time".
    static const char* PlayerTimeKey(uint16_t game);
    // The game a server type of a qstat server list stands for: a2s (Source and current
    // GoldSrc servers: the given A2S game, else the first), hla2s (GoldSrc), q3s (Quake III);
    // a game number stands for itself. 0 for anything else.
    static uint16_t OfServerType(const std::string& type, uint16_t a2sGame);
};

} // namespace Portico
