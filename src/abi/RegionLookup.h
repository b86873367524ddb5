// The one operation of the region library Quillon (export ordinal 1): an IPv4 address to a
// region number and a country. Both the library and the plug-in are built from this header.
#pragma once

#include <cstdint>

// The callee removes its arguments (stdcall on 32-bit Windows; no effect elsewhere).
#if defined(_WIN32) && !defined(_WIN64)
#define PORTICO_REGION_CALL __stdcall
#else
#define PORTICO_REGION_CALL
#endif

namespace Portico {

// ip in host byte order; out points to kRegionLookupBytes bytes. Returns the region number
// (0 = none, else 1 to 15); out receives the country code's first and second letter (zeros when
// none) and the library's extra byte.
using RegionLookupFn = unsigned char(PORTICO_REGION_CALL*)(uint32_t ip, unsigned char* out);

constexpr int kRegionLookupOrdinal = 1;
constexpr int kRegionLookupBytes = 3;

} // namespace Portico
