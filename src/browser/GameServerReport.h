// The game's report of the server it is on (message 0x2099): wParam's low 16 bits the port
// and lParam the IPv4 address, both in network byte order; wParam 0 = on no server, with a
// game status in lParam. A report that repeats the last (game, ip, port) changes nothing.
#pragma once

#include <cstdint>

namespace Portico {

class GameServerReport {
public:
    struct Outcome {
        bool changed = false;    // false: the same as the last report, nothing to do
        bool statusOnly = false; // on no server with a status for the host: status holds it
        int32_t status = 0;
        uint32_t ip = 0; // host order; 0 = on no server
        uint16_t port = 0;
    };

    Outcome Take(uint32_t gameId, uintptr_t wParam, intptr_t lParam);

private:
    uint32_t lastGame = 0, lastIp = 0;
    uint16_t lastPort = 0;
};

} // namespace Portico
