#include "query/Clock.h"

#include <chrono>

namespace Portico {

// steady_clock is the performance counter on Windows and CLOCK_MONOTONIC elsewhere.
uint64_t NowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace Portico
