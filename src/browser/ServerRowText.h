// What the server list shows for a record: the texts of its six columns and the colour of its
// player count.
#pragma once

#include "query/ServerRecord.h"

#include <array>
#include <cstdint>
#include <string>

namespace Portico {

enum ServerColumn : int32_t {
    kColumnCountry = 0,
    kColumnName,
    kColumnMap,
    kColumnGameType,
    kColumnPlayers,
    kColumnTime,
    kServerColumns
};

// The record's two country letters; empty when it has none.
std::u16string CountryText(const ServerRecord& record);
// "players/maxPlayers".
std::u16string PlayersText(uint32_t players, uint32_t maxPlayers);
// The round trip as "N ms" once the server answered, else "N/A".
std::u16string TimeText(const ServerRecord& record);
std::array<std::u16string, kServerColumns> RowTexts(const ServerRecord& record);

// Red for a full server (0 of 0 included), green for one with players, else textColour.
uint32_t PlayersColour(uint32_t players, uint32_t maxPlayers, uint32_t textColour);

} // namespace Portico
