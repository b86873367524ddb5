// A multiset of server addresses in one open-addressing table: a membership test costs one
// or two cache misses where a node-based set costs one per level, which decides how fast a
// master list of a million servers queues.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Portico {

class AddressSet {
public:
    void Insert(const ServerAddress& address);
    // Removes one copy; false when there was none.
    bool EraseOne(const ServerAddress& address);
    bool Contains(const ServerAddress& address) const;
    void Clear();

private:
    // One key value marks a free slot; copies of that address are only counted.
    static constexpr uint64_t kFree = ~uint64_t(0);

    static uint64_t Key(const ServerAddress& address);
    size_t Home(uint64_t key) const;
    size_t Find(uint64_t key) const; // the key's slot, or the free slot that ends its run
    void Place(uint64_t key);
    void RemoveAt(size_t hole);
    void Grow();

    std::vector<uint64_t> slots; // linear probing, at most half full; size a power of two
    size_t used = 0;
    uint32_t shift = 64; // 64 - log2(slots.size())
    uint32_t freeKeyCopies = 0;
};

} // namespace Portico
