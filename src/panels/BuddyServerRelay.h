// Tells buddies through the host which server the user plays on, and turns the buddies'
// entries the host relays back into buddy-list notifications and server probes. Stateless.
#pragma once

#include "abi/ProtocolInterface.h"
#include "panels/BuddyRelayContext.h"

#include <cstdint>

namespace Portico {

constexpr uint8_t kRelayAllBuddies = 4; // sent: request; received: count + entries
constexpr uint8_t kRelayOneBuddy = 7;   // sent: own server; received: one entry
constexpr uint32_t kRelayAnnounceBytes = 8;
constexpr uint32_t kRelayEntryBytes = 12;

class BuddyServerRelay {
public:
    explicit BuddyServerRelay(BuddyRelayContext& context) : context(context) {}

    bool Request();
    // ip and port of the server the game is on (host byte order); 0 and 0 when none.
    bool Announce(uint32_t ip, uint16_t port);
    // Ignores every type but the two above; reads never pass the end of the payload.
    void Receive(uint8_t type, ByteInStream& payload);

    // The type-7 payload that Announce sends (little-endian).
    static void BuildAnnouncement(uint16_t gameId, uint32_t ip, uint16_t port,
                                  uint8_t out[kRelayAnnounceBytes]);

private:
    struct Entry {
        uint32_t key;
        uint16_t gameId;
        uint32_t ip;
        uint16_t port;
    };
    static Entry ReadEntry(ByteInStream& payload);
    void HandleEntry(const Entry& entry, const char16_t* name);

    BuddyRelayContext& context;
};

} // namespace Portico
