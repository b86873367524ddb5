// Per-server state of the challenge exchanges: the last challenge a server handed out,
// whether an info request waits to be repeated with it, when its players were last asked,
// and how often it has asked for a repeat lately. Bounded (the least recently used server
// goes first), entries expire, safe for calls from several threads. Times are milliseconds
// of a monotonic clock, passed in by the caller.
#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <unordered_map>

namespace Portico {

class ChallengeCache {
public:
    static constexpr uint32_t kMaxEntries = 4096;
    static constexpr uint64_t kEntryLifetimeMs = 60000;
    // How long a sent request counts as awaiting its answer.
    static constexpr uint64_t kExchangeWindowMs = 5000;
    // Challenges per server within the window that are answered with a repeat.
    static constexpr uint32_t kMaxRepeats = 3;
    // Sent in place of a challenge to ask for one.
    static constexpr uint32_t kNoChallenge = 0xFFFFFFFF;

    static uint64_t Key(uint32_t ip, uint16_t port) { return uint64_t(ip) << 16 | port; }

    // The server answered with a challenge. True when the pending request is to be repeated
    // with it: the players request when one is awaited, otherwise the info request.
    bool OnChallenge(uint64_t server, uint32_t challenge, uint64_t nowMs);
    void OnInfoAnswer(uint64_t server, uint64_t nowMs);
    // True when the server's players were asked within the window.
    bool OnPlayersAnswer(uint64_t server, uint64_t nowMs);
    // True, with the challenge, when an info request waits to be repeated; the wait ends.
    bool TakePendingInfo(uint64_t server, uint32_t& challenge, uint64_t nowMs);
    // Notes that the players are asked now; the challenge to send, kNoChallenge when none.
    uint32_t AskPlayers(uint64_t server, uint64_t nowMs);

    uint32_t Size() const;

private:
    struct Entry {
        uint64_t server;
        uint64_t touchedMs;
        uint64_t challengeMs;
        uint64_t playersAskedMs;
        uint32_t challenge;
        uint8_t repeats;
        bool challengeKnown;
        bool infoPending;
        bool playersAsked;
    };
    using Entries = std::list<Entry>;

    Entry* Find(uint64_t server, uint64_t nowMs);
    Entry& FindOrAdd(uint64_t server, uint64_t nowMs);
    static bool Within(uint64_t thenMs, uint64_t nowMs, uint64_t spanMs);

    mutable std::recursive_mutex lock; // guards entries and index
    Entries entries;                   // most recently used first
    std::unordered_map<uint64_t, Entries::iterator> index;
};

} // namespace Portico
