// The address a join starts the game with.
#pragma once

#include "query/ServerRecord.h"

#include <cstdint>

namespace Portico {

// Game 1028 joins on the port its servers announce for play.
constexpr uint32_t kConnectPortGame = 1028;

// The record's address; for game 1028 with the announced game port, unless the server
// announced none (0), which keeps the query port.
ServerAddress JoinTarget(const ServerRecord& record, uint32_t currentGame);

} // namespace Portico
