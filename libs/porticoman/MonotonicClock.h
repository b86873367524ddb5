// Milliseconds of a clock that never goes back, for the expiry of the library's caches.
#pragma once

#include <cstdint>

namespace Portico {

uint64_t MonotonicMs();

} // namespace Portico
