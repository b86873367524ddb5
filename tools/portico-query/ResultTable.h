// What portico-query prints: servers sorted by ping, as a table or as JSON.
#pragma once

#include "query/ServerRecord.h"

#include <functional>
#include <string>
#include <vector>

namespace Portico {

struct ServerResult {
    ServerRecord record;
    std::vector<PlayerEntry> players;
};

// Text of a player's time value for a game (the game's own formatting).
using PlayerTimeFormatter = std::function<std::string(uint16_t gameId, uint32_t time)>;

// Answered servers first, fastest first; unanswered ones keep their order at the end.
void SortByPing(std::vector<ServerResult>& results);
// Keeps one result per address (ip and port), an answered one where there is one.
void KeepOnePerAddress(std::vector<ServerResult>& results);
// colour: show the names' colour codes as terminal colours (else they are stripped).
std::string FormatTable(const std::vector<ServerResult>& results, bool colour, bool withPlayers,
                        const PlayerTimeFormatter& formatTime);
// One JSON array; a player's time value is named for what it holds in the server's game
// ("seconds" played, or "ping").
std::string FormatJson(const std::vector<ServerResult>& results, bool withPlayers);

} // namespace Portico
