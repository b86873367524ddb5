#include "query/AddressSet.h"

namespace Portico {

uint64_t AddressSet::Key(const ServerAddress& address) {
    return uint64_t(address.ip) << 32 | uint32_t(address.port) << 16 | address.gameId;
}

// Fibonacci hashing: consecutive addresses, common in lists, spread over the table.
size_t AddressSet::Home(uint64_t key) const {
    return size_t((key * 0x9E3779B97F4A7C15ull) >> shift);
}

size_t AddressSet::Find(uint64_t key) const {
    const size_t mask = slots.size() - 1;
    size_t slot = Home(key);
    while (slots[slot] != key && slots[slot] != kFree)
        slot = (slot + 1) & mask;
    return slot;
}

void AddressSet::Insert(const ServerAddress& address) {
    const uint64_t key = Key(address);
    if (key == kFree) {
        ++freeKeyCopies;
        return;
    }
    if (2 * (used + 1) > slots.size())
        Grow();
    Place(key);
    ++used;
}

// Copies of one key sit in the same run; a new one goes to its end.
void AddressSet::Place(uint64_t key) {
    const size_t mask = slots.size() - 1;
    size_t slot = Home(key);
    while (slots[slot] != kFree)
        slot = (slot + 1) & mask;
    slots[slot] = key;
}

bool AddressSet::EraseOne(const ServerAddress& address) {
    const uint64_t key = Key(address);
    if (key == kFree) {
        if (freeKeyCopies == 0)
            return false;
        --freeKeyCopies;
        return true;
    }
    if (used == 0)
        return false;
    const size_t slot = Find(key);
    if (slots[slot] != key)
        return false;
    RemoveAt(slot);
    --used;
    return true;
}

bool AddressSet::Contains(const ServerAddress& address) const {
    const uint64_t key = Key(address);
    if (key == kFree)
        return freeKeyCopies != 0;
    return used != 0 && slots[Find(key)] == key;
}

// Backward-shift deletion: later keys of the run move into the hole when their home slot
// allows it, so no tombstones build up under a long queue's churn.
void AddressSet::RemoveAt(size_t hole) {
    const size_t mask = slots.size() - 1;
    for (size_t next = (hole + 1) & mask; slots[next] != kFree; next = (next + 1) & mask) {
        const size_t home = Home(slots[next]);
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            slots[hole] = slots[next];
            hole = next;
        }
    }
    slots[hole] = kFree;
}

void AddressSet::Clear() {
    slots = {};
    used = 0;
    shift = 64;
    freeKeyCopies = 0;
}

void AddressSet::Grow() {
    std::vector<uint64_t> old(slots.size() < 16 ? 16 : 2 * slots.size(), kFree);
    old.swap(slots);
    shift = 64;
    for (size_t n = slots.size(); n > 1; n >>= 1)
        --shift;
    for (const uint64_t key : old)
        if (key != kFree)
            Place(key);
}

} // namespace Portico
