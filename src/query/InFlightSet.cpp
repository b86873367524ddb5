#include "query/InFlightSet.h"

namespace Portico {

void InFlightSet::Add(const ServerAddress& address, uint64_t nowMs) {
    since[address] = nowMs;
    order.emplace_back(nowMs, address);
}

// Sends leave the order when they are old enough; an awaited one goes with its latest send,
// not with an earlier one to the same address.
uint32_t InFlightSet::Count(uint64_t nowMs) {
    while (!order.empty() && order.front().first + holdMs <= nowMs) {
        auto found = since.find(order.front().second);
        if (found != since.end() && found->second == order.front().first)
            since.erase(found);
        order.pop_front();
    }
    return uint32_t(since.size());
}

void InFlightSet::Clear() {
    since.clear();
    order.clear();
}

} // namespace Portico
