// Pages through one master server's list. A Valve master is asked page by page, each request
// seeded with the last address of the page before, one request at a time and a pause between
// pages, until an empty page; a Quake III master answers one request with its whole list.
// Paging also ends at a bound on servers, at a time limit, and when the master gives no new page
// (after one more try). Not thread-safe: its owner locks.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <string>

namespace Portico {

struct PagingLimits {
    uint32_t pagePauseMs = 2000; // a Valve master answers a client about 30 pages a minute
    uint32_t answerMs = 3000;    // how long a request waits for its answer
    uint64_t timeLimitMs = 60000;
    uint32_t maxServers = 1000000;
};

class MasterPager {
public:
    // Quiet time after which a Quake III master's answer is taken as complete.
    static constexpr uint32_t kQuietMs = 500;

    MasterPager(uint16_t gameId, const std::string& filter, const PagingLimits& limits);

    // Fills request and returns true when one is to be sent at nowMs.
    bool Due(uint64_t nowMs, ByteOutStream& request);
    // A datagram from the master, with the servers it lists; ended: it says the list ends
    // there. An empty page ends a Valve master's list too.
    void Arrived(const ServerAddress* servers, uint32_t count, bool ended, uint64_t nowMs);

    bool Done() const { return !outcome.empty(); }
    // Why paging ended, for people to read; empty while it goes on.
    const std::string& Outcome() const { return outcome; }
    uint32_t Servers() const { return servers; }
    uint32_t Pages() const { return pages; }

private:
    void Finish(const char* why) { outcome = why; }
    bool Send(uint64_t nowMs, ByteOutStream& request);

    const uint16_t gameId;
    const std::string filter;
    const PagingLimits limits;
    const bool paged; // a Valve master
    ServerAddress seed{0, 0, 0};
    uint64_t startMs = 0;
    uint64_t sentMs = 0;
    uint64_t nextMs = 0; // when the next request is due; 0 when none is
    uint64_t heardMs = 0;
    bool started = false;
    bool heard = false;
    bool awaiting = false;
    bool retried = false;
    bool repeated = false; // the last page came again
    uint32_t servers = 0;
    uint32_t pages = 0;
    std::string outcome;
};

} // namespace Portico
