#include "MasterPager.h"

#include "GameFacts.h"
#include "MasterProtocol.h"

namespace Portico {

MasterPager::MasterPager(uint16_t gameId, const std::string& filter, const PagingLimits& limits)
    : gameId(gameId), filter(filter), limits(limits), paged(!GameFacts::QuakeMaster(gameId)) {}

bool MasterPager::Due(uint64_t nowMs, ByteOutStream& request) {
    if (Done())
        return false;
    if (!started) {
        started = true;
        startMs = nowMs;
        return Send(nowMs, request);
    }
    if (nowMs - startMs >= limits.timeLimitMs) {
        Finish("time limit");
        return false;
    }
    if (!paged && heard && nowMs - heardMs >= kQuietMs) {
        Finish("end of list");
        return false;
    }
    if (awaiting && nowMs - sentMs >= limits.answerMs) {
        if (retried) {
            Finish(repeated ? "the master repeats its page" : "no answer");
            return false;
        }
        retried = true;
        return Send(nowMs, request);
    }
    if (!awaiting && nextMs != 0 && nowMs >= nextMs)
        return Send(nowMs, request);
    return false;
}

bool MasterPager::Send(uint64_t nowMs, ByteOutStream& request) {
    BuildMasterRequest(gameId, seed, filter, request);
    sentMs = nowMs;
    nextMs = 0;
    awaiting = true;
    return true;
}

// A Valve master that answers a page with the same last address as before would be asked
// for that page for ever.
void MasterPager::Arrived(const ServerAddress* list, uint32_t count, bool ended, uint64_t nowMs) {
    // A Valve master answers one datagram per request: one nobody waits for is a late copy
    // of a page asked twice, or more than was asked.
    if (Done() || !started || (paged && !awaiting))
        return;
    // The same page again: a late copy of one asked twice, or a master stuck on it, which
    // then runs out of answers.
    if (paged && pages != 0 && count != 0 && list[count - 1].ip == seed.ip &&
        list[count - 1].port == seed.port) {
        repeated = true;
        return;
    }
    heard = true;
    heardMs = nowMs;
    awaiting = false;
    retried = false;
    repeated = false;
    if (paged && count == 0) {
        Finish(ended ? "end of list" : "an answer that is not a list");
        return;
    }
    if (count == 0)
        return;
    servers += count;
    ++pages;
    if (servers >= limits.maxServers) {
        Finish("server limit");
        return;
    }
    if (ended) {
        Finish("end of list");
        return;
    }
    if (!paged)
        return;
    seed = list[count - 1];
    nextMs = nowMs + limits.pagePauseMs;
}

} // namespace Portico
