// The requests of a scheduler that await their answer: each holds its place until it is
// answered or a fixed time has passed, so that a tool can cap how many are out at once.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <deque>
#include <map>
#include <utility>

namespace Portico {

class InFlightSet {
public:
    explicit InFlightSet(uint64_t holdMs) : holdMs(holdMs) {}

    // A request to address left at nowMs (a second one restarts its time).
    void Add(const ServerAddress& address, uint64_t nowMs);
    // Its answer arrived.
    void Remove(const ServerAddress& address) { since.erase(address); }
    // Requests neither answered nor older than holdMs.
    uint32_t Count(uint64_t nowMs);
    void Clear();

private:
    const uint64_t holdMs;
    std::map<ServerAddress, uint64_t> since;              // sending time of each awaited one
    std::deque<std::pair<uint64_t, ServerAddress>> order; // every send, oldest first
};

} // namespace Portico
