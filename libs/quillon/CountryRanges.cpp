#include "CountryRanges.h"

#include "RangeTableFormat.h"

#include <algorithm>
#include <cstring>

namespace Portico {

namespace {

constexpr uint32_t kBuckets = 1u << 16;

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool IsCodeLetter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsCode(uint8_t first, uint8_t second) {
    return (first == 0 && second == 0) || (IsCodeLetter(first) && IsCodeLetter(second));
}

} // namespace

bool CountryRanges::Parse(const uint8_t* data, size_t size) {
    starts.clear();
    codes.clear();
    firstRun.clear();
    if (size < kRangeTableHeaderBytes ||
        std::memcmp(data, kRangeTableMagic, sizeof kRangeTableMagic) != 0)
        return false;
    uint32_t count = ReadU32(data + 4);
    if (count == 0 || count > kRangeTableMaxRuns ||
        size != kRangeTableHeaderBytes + size_t{count} * kRangeTableRunBytes)
        return false;
    std::vector<uint32_t> newStarts(count);
    std::vector<uint16_t> newCodes(count);
    const uint8_t* run = data + kRangeTableHeaderBytes;
    for (uint32_t i = 0; i < count; ++i, run += kRangeTableRunBytes) {
        newStarts[i] = ReadU32(run);
        bool ordered = i == 0 ? newStarts[i] == 0 : newStarts[i] > newStarts[i - 1];
        if (!ordered || !IsCode(run[4], run[5]))
            return false;
        newCodes[i] = static_cast<uint16_t>(run[4] << 8 | run[5]);
    }
    starts.swap(newStarts);
    codes.swap(newCodes);
    BuildIndex();
    return true;
}

void CountryRanges::BuildIndex() {
    firstRun.assign(kBuckets + 1, static_cast<uint32_t>(starts.size() - 1));
    uint32_t run = 0;
    for (uint32_t bucket = 0; bucket < kBuckets; ++bucket) {
        uint32_t address = bucket << 16;
        while (run + 1 < starts.size() && starts[run + 1] <= address)
            ++run;
        firstRun[bucket] = run;
    }
}

uint16_t CountryRanges::Find(uint32_t ip) const {
    if (starts.empty())
        return 0;
    uint32_t bucket = ip >> 16;
    // The run holding ip lies between the runs holding this bucket's first address and the
    // next bucket's; the first of them starts at or before ip, so search only after it.
    auto from = starts.begin() + firstRun[bucket] + 1;
    auto to = starts.begin() + firstRun[bucket + 1] + 1;
    auto after = std::upper_bound(from, to, ip);
    return codes[static_cast<size_t>(after - starts.begin()) - 1];
}

} // namespace Portico
