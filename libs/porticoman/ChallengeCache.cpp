#include "ChallengeCache.h"

namespace Portico {

using Guard = std::lock_guard<std::recursive_mutex>;

// Callers read the clock before they take the lock, so another thread may have stored a
// slightly later time: a time before thenMs is within the span.
bool ChallengeCache::Within(uint64_t thenMs, uint64_t nowMs, uint64_t spanMs) {
    return nowMs < thenMs || nowMs - thenMs <= spanMs;
}

ChallengeCache::Entry* ChallengeCache::Find(uint64_t server, uint64_t nowMs) {
    const auto found = index.find(server);
    if (found == index.end())
        return nullptr;
    const Entries::iterator entry = found->second;
    if (!Within(entry->touchedMs, nowMs, kEntryLifetimeMs)) {
        entries.erase(entry);
        index.erase(found);
        return nullptr;
    }
    entry->touchedMs = nowMs;
    entries.splice(entries.begin(), entries, entry);
    return &*entry;
}

ChallengeCache::Entry& ChallengeCache::FindOrAdd(uint64_t server, uint64_t nowMs) {
    if (Entry* entry = Find(server, nowMs))
        return *entry;
    if (entries.size() >= kMaxEntries) {
        index.erase(entries.back().server);
        entries.pop_back();
    }
    Entry fresh{};
    fresh.server = server;
    fresh.touchedMs = nowMs;
    entries.push_front(fresh);
    index[server] = entries.begin();
    return entries.front();
}

bool ChallengeCache::OnChallenge(uint64_t server, uint32_t challenge, uint64_t nowMs) {
    const Guard guard(lock);
    Entry& entry = FindOrAdd(server, nowMs);
    // Servers may send challenges twice or unasked: repeats are counted per window so that
    // a server that keeps answering with challenges cannot keep us sending.
    if (!Within(entry.challengeMs, nowMs, kExchangeWindowMs))
        entry.repeats = 0;
    entry.challengeMs = nowMs;
    entry.challenge = challenge;
    entry.challengeKnown = true;
    entry.infoPending = false;
    if (entry.repeats >= kMaxRepeats)
        return false;
    ++entry.repeats;
    const bool playersAwaited =
        entry.playersAsked && Within(entry.playersAskedMs, nowMs, kExchangeWindowMs);
    entry.infoPending = !playersAwaited;
    return true;
}

void ChallengeCache::OnInfoAnswer(uint64_t server, uint64_t nowMs) {
    const Guard guard(lock);
    if (Entry* entry = Find(server, nowMs)) {
        entry->infoPending = false;
        entry->repeats = 0;
    }
}

bool ChallengeCache::OnPlayersAnswer(uint64_t server, uint64_t nowMs) {
    const Guard guard(lock);
    Entry* entry = Find(server, nowMs);
    if (!entry || !entry->playersAsked || !Within(entry->playersAskedMs, nowMs, kExchangeWindowMs))
        return false;
    // Answered: a challenge from now on belongs to the next info request.
    entry->playersAsked = false;
    entry->repeats = 0;
    return true;
}

bool ChallengeCache::TakePendingInfo(uint64_t server, uint32_t& challenge, uint64_t nowMs) {
    const Guard guard(lock);
    Entry* entry = Find(server, nowMs);
    if (!entry || !entry->infoPending || !Within(entry->challengeMs, nowMs, kExchangeWindowMs))
        return false;
    entry->infoPending = false;
    challenge = entry->challenge;
    return true;
}

uint32_t ChallengeCache::AskPlayers(uint64_t server, uint64_t nowMs) {
    const Guard guard(lock);
    Entry& entry = FindOrAdd(server, nowMs);
    entry.playersAsked = true;
    entry.playersAskedMs = nowMs;
    return entry.challengeKnown ? entry.challenge : kNoChallenge;
}

uint32_t ChallengeCache::Size() const {
    const Guard guard(lock);
    return uint32_t(entries.size());
}

} // namespace Portico
