// The scheduler's main queue: insertion at any position and removal from the front, both far
// below linear time, and a membership test, so that a master list of a hundred thousand
// servers queues without stalling the thread that adds it.
#pragma once

#include "query/ProtocolInterface.h"

#include <cstdint>
#include <deque>
#include <set>
#include <vector>

namespace Portico {

class ServerQueue {
public:
    uint32_t Size() const { return count; }
    bool Empty() const { return count == 0; }
    bool Contains(const ServerAddress& address) const { return members.count(address) != 0; }

    // Inserts before position (0..Size()); position Size() appends. No duplicate check.
    void InsertAt(uint32_t position, const ServerAddress& address);
    // Precondition: not empty.
    ServerAddress PopFront();
    void Clear();
    std::vector<ServerAddress> Snapshot() const;

private:
    using Block = std::deque<ServerAddress>;
    static constexpr uint32_t kBlockSize = 512;

    std::vector<Block> blocks; // concatenated in order; none is empty
    std::multiset<ServerAddress> members;
    uint32_t count = 0;
};

} // namespace Portico
