// Where the chat-room panel gets the room's server list: the server-list cache in the plug-in,
// a test's own lists elsewhere.
#pragma once

#include "abi/ProtocolInterface.h"

#include <vector>

namespace Portico {

class RoomServerSource {
public:
    // The addresses (game id 0) of the current room's area; empty when they cannot be had.
    // Runs on a worker thread.
    virtual std::vector<ServerAddress> FetchRoomServers() = 0;
    // The list that the last fetch reached, read on the window thread.
    virtual std::vector<ServerAddress> CurrentServers() = 0;

protected:
    ~RoomServerSource() = default;
};

} // namespace Portico
