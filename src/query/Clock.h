// The engine's one clock: milliseconds of a monotonic counter.
#pragma once

#include <cstdint>

namespace Portico {

uint64_t NowMs();

} // namespace Portico
