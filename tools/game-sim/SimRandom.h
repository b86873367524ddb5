// The simulator's seeded generator (splitmix64): the same seed gives the same draws on every
// platform. Safe for several threads.
#pragma once

#include <cstdint>
#include <mutex>

namespace Portico {

class SimRandom {
public:
    explicit SimRandom(uint64_t seed) : state(seed) {}

    uint64_t Next();
    // A number from low to high, both included (low when high < low).
    uint32_t Between(uint32_t low, uint32_t high);
    // True with the given chance (0 never, 1 always).
    bool Chance(double chance);

private:
    std::recursive_mutex lock; // guards state
    uint64_t state;
};

} // namespace Portico
