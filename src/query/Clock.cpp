#include "query/Clock.h"

#include <chrono>

namespace Portico {

// steady_clock is the performance counter on Windows and CLOCK_MONOTONIC elsewhere.
uint64_t NowUs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

uint64_t NowMs() {
    return NowUs() / 1000;
}

} // namespace Portico
