// Everything the region library answers from: the override ranges first, then the country data,
// then the country's region.
#pragma once

#include "CountryOverrides.h"
#include "CountryRanges.h"

#include <cstddef>
#include <cstdint>

namespace Portico {

class CountryDatabase {
public:
    // Each part is refused whole when malformed; the other still answers.
    bool LoadTable(const uint8_t* data, size_t size) { return ranges.Parse(data, size); }
    bool LoadOverrides(const char* text, size_t size) { return overrides.Parse(text, size); }

    // Region number of ip; out (3 bytes) receives the country letters and the QuillonSource.
    uint8_t Lookup(uint32_t ip, unsigned char* out) const;

private:
    CountryRanges ranges;
    CountryOverrides overrides;
};

} // namespace Portico
