// The region library Quillon: IPv4 address → region and country.
//
// RegionLookup (export ordinal 1 only on Windows; by name elsewhere) takes an address in host
// byte order and a 3-byte buffer, and returns the region number: 0 when the address has no
// country or its country has no region, else 1 to 15 (the browser's regions). The buffer
// receives:
//   out[0], out[1]  the country code, first letter first (two zero bytes: no country)
//   out[2]          where the country came from (QuillonSource below)
// The callee removes its arguments (stdcall on 32-bit Windows). Safe for concurrent calls; the
// data is loaded on the first call and no call allocates afterwards.
#pragma once

#include "abi/RegionLookup.h"

#include <cstdint>

#if defined(_WIN32)
#define QUILLON_EXPORT // exported by ordinal through Quillon.def
#else
#define QUILLON_EXPORT __attribute__((visibility("default")))
#endif

// The third output byte.
enum QuillonSource : uint8_t {
    kQuillonNoCountry = 0,    // neither the override file nor the data knows the address
    kQuillonFromData = 1,     // the country data (Quillon.dat)
    kQuillonFromOverride = 2, // the override file
};

extern "C" QUILLON_EXPORT unsigned char PORTICO_REGION_CALL RegionLookup(uint32_t ip,
                                                                         unsigned char* out);
