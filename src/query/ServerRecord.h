// The one description of a game server that the whole system passes around. Plain data:
// every holder copies it whole.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstddef>
#include <cstdint>

namespace Portico {

enum RecordStatus : uint8_t { kStatusMade = 0, kStatusSent = 1, kStatusReplied = 2 };

struct ServerRecord {
    uint32_t ip;
    uint16_t port;
    uint16_t gameId;
    uint64_t time;  // sending time (NowMs) while sent; round trip (>= 1) once replied
    uint8_t status; // RecordStatus
    uint8_t regionMatched;
    uint8_t direct;
    uint8_t regionIndex;
    char countryCode[2];
    uint8_t regionExtra;
    ServerInfo info;

    ServerAddress Address() const { return ServerAddress{ip, port, gameId}; }
    uint16_t Country() const {
        return static_cast<uint16_t>(uint8_t(countryCode[0]) << 8 | uint8_t(countryCode[1]));
    }
};
static_assert(sizeof(ServerRecord) == 480, "ServerRecord is a fixed 480-byte record");
static_assert(offsetof(ServerRecord, time) == 8, "ServerRecord layout");
static_assert(offsetof(ServerRecord, status) == 16, "ServerRecord layout");
static_assert(offsetof(ServerRecord, direct) == 18, "ServerRecord layout");
static_assert(offsetof(ServerRecord, countryCode) == 20, "ServerRecord layout");
static_assert(offsetof(ServerRecord, info) == 24, "ServerRecord layout");

} // namespace Portico
