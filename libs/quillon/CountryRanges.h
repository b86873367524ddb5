// The country data: sorted address runs with their country, read from a Quillon.dat image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Portico {

class CountryRanges {
public:
    // Replaces the runs with those of a table image; a malformed image is refused whole (false)
    // and leaves no runs.
    bool Parse(const uint8_t* data, size_t size);

    // Country code of ip (first letter × 256 + second), 0 when the data has none.
    uint16_t Find(uint32_t ip) const;
    size_t RunCount() const { return starts.size(); }

private:
    void BuildIndex();

    std::vector<uint32_t> starts; // first address of each run, strictly ascending, starts[0] == 0
    std::vector<uint16_t> codes;  // country of each run
    // For each value p of the upper 16 address bits, the run holding address p << 16, and one
    // more entry (the last run) so that p + 1 is always valid: a lookup searches only the runs
    // between two neighbouring entries.
    std::vector<uint32_t> firstRun;
};

} // namespace Portico
