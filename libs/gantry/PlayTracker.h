// Which server a game plays on, learnt from where it sends its datagrams. The command line's
// server holds at first. A server that the game sends to steadily (a game's traffic, not a
// server browser's few queries) takes over; the server the game stopped sending to for a
// while has been left. Not locked: the hook's caller serialises the calls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Portico {

struct PlayServer {
    uint32_t ip = 0; // host byte order; 0 when on no server
    uint16_t port = 0;

    bool operator==(const PlayServer& other) const { return ip == other.ip && port == other.port; }
    bool operator!=(const PlayServer& other) const { return !(*this == other); }
};

class PlayTracker {
public:
    // Datagrams to one server in a row, none further apart than the gap, that make it the
    // game's server: a game's traffic, where a server browser sends a few queries per server.
    static constexpr uint32_t kSteadySends = 20;
    static constexpr uint64_t kSteadyGapMs = 250;
    // A steady server takes over only from a server the game has not sent to for this long: a
    // game that talks to two servers at once (a voice server beside its game server) stays on
    // the one it played on first instead of flipping between them.
    static constexpr uint64_t kSwitchQuietMs = 1000;
    // A server the game has sent to and then not for this long has been left.
    static constexpr uint64_t kQuietMs = 20000;
    // Addresses counted at once; the one sent to longest ago makes room.
    static constexpr size_t kTracked = 16;

    // start: the command line's server, or none. A server named there is the first change.
    explicit PlayTracker(PlayServer start);

    // A datagram the game sent. Broadcast, multicast, address 0 and port 0 are no servers.
    void OnSend(PlayServer to, uint64_t nowMs);
    // The game's server when it changed since the last call, none when the game left it;
    // false when nothing changed.
    bool TakeChange(uint64_t nowMs, PlayServer& server);

private:
    struct Count {
        PlayServer server;
        uint64_t lastSendMs = 0;
        uint32_t sends = 0;
    };

    Count& CountOf(PlayServer to, uint64_t nowMs);
    bool CurrentIsActive(uint64_t nowMs) const;

    std::array<Count, kTracked> counts{};
    PlayServer current;
    bool changed = false;
    // Set once the game sent to the current server: a server only named on the command line,
    // never talked to, is not left by silence.
    bool heard = false;
    uint64_t lastHeardMs = 0;
};

} // namespace Portico
