#include "SimRandom.h"

namespace Portico {

uint64_t SimRandom::Next() {
    std::lock_guard<std::recursive_mutex> guard(lock);
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t SimRandom::Between(uint32_t low, uint32_t high) {
    if (high <= low)
        return low;
    return low + uint32_t(Next() % (uint64_t(high) - low + 1));
}

bool SimRandom::Chance(double chance) {
    if (chance <= 0)
        return false;
    if (chance >= 1)
        return true;
    return double(Next() >> 11) * (1.0 / 9007199254740992.0) < chance;
}

} // namespace Portico
