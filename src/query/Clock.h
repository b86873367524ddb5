// The engine's one clock: milliseconds of a monotonic counter.
#pragma once

#include <cstdint>

namespace Portico {

uint64_t NowMs();
// The same clock in microseconds (NowMs is this divided by 1000).
uint64_t NowUs();

} // namespace Portico
