// The address a join starts the game with, and the join itself: the one road by which the
// browser, the chat-room panel and the buddy list start a game on a server.
#pragma once

#include "browser/BrowserHost.h"
#include "query/ServerRecord.h"

#include <cstdint>

namespace Portico {

// Game 1028 joins on the port its servers announce for play.
constexpr uint32_t kConnectPortGame = 1028;

// The record's address; for game 1028 with the announced game port, unless the server
// announced none (0), which keeps the query port.
ServerAddress JoinTarget(const ServerRecord& record, uint32_t currentGame);

// Asks for the password when the server needs one, then launches the game on target. False
// when the user cancelled the password: nothing is launched then.
bool JoinServer(BrowserHost& host, const ServerAddress& target, bool needPass);

} // namespace Portico
