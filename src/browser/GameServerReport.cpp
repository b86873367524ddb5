#include "browser/GameServerReport.h"

#include <cstring>

namespace Portico {
namespace {

// The value's bytes as they lie in memory, read most significant first.
template <typename T> T FromNetwork(T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    T host = 0;
    for (unsigned char byte : bytes)
        host = T(host << 8 | byte);
    return host;
}

} // namespace

GameServerReport::Outcome GameServerReport::Take(uint32_t gameId, uintptr_t wParam,
                                                 intptr_t lParam) {
    Outcome outcome;
    if (wParam != 0) {
        outcome.ip = FromNetwork(uint32_t(lParam));
        outcome.port = FromNetwork(uint16_t(wParam));
    }
    if (gameId == lastGame && outcome.ip == lastIp && outcome.port == lastPort)
        return outcome;
    lastGame = gameId;
    lastIp = outcome.ip;
    lastPort = outcome.port;
    outcome.changed = true;
    // The message carries a 32-bit parameter: its sign is that of its low 32 bits.
    const int32_t status = int32_t(uint32_t(lParam));
    if (outcome.ip == 0 && status > 0) {
        outcome.statusOnly = true;
        outcome.status = status;
    }
    return outcome;
}

} // namespace Portico
