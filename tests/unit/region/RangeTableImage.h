// Builds Quillon.dat images for tests.
#pragma once

#include "RangeTableFormat.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace RegionTest {

inline void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// runs: (first address, code); an empty code is "no country".
inline std::vector<uint8_t>
RangeTableImage(const std::vector<std::pair<uint32_t, std::string>>& runs) {
    std::vector<uint8_t> image(Portico::kRangeTableMagic, Portico::kRangeTableMagic + 4);
    PutU32(image, static_cast<uint32_t>(runs.size()));
    for (const auto& [first, code] : runs) {
        PutU32(image, first);
        image.push_back(code.empty() ? 0 : static_cast<uint8_t>(code[0]));
        image.push_back(code.empty() ? 0 : static_cast<uint8_t>(code[1]));
    }
    return image;
}

inline uint32_t Ip(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    return a << 24 | b << 16 | c << 8 | d;
}

} // namespace RegionTest
