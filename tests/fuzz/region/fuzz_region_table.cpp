// The country range table reader over arbitrary file images.
#include "CountryRanges.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Portico::CountryRanges ranges;
    if (ranges.Parse(data, size)) {
        // Every address reaches a run: probe both ends and the bucket edges of each run start.
        ranges.Find(0);
        ranges.Find(0xFFFFFFFFu);
        for (size_t at = 8; at + 4 <= size; at += 6) {
            uint32_t start = data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                             static_cast<uint32_t>(data[at + 3]) << 24;
            ranges.Find(start);
            ranges.Find(start - 1);
            ranges.Find(start | 0xFFFF);
        }
    }
    return 0;
}
