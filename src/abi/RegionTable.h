// The built-in classification of two-letter country codes into the browser's 15 regions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Portico {

// A country code as the whole system holds it: first letter × 256 + second letter.
constexpr uint16_t CountryCode(char first, char second) {
    return static_cast<uint16_t>(static_cast<uint8_t>(first) << 8 | static_cast<uint8_t>(second));
}

class RegionTable {
public:
    static constexpr size_t kRows = 247;
    static constexpr uint8_t kRegionCount = 15;

    // Region number (1 to 15) of a country code, 0 when the code is not in the table.
    // One read of a constant table indexed by the two letters: no start-up work, safe from any
    // thread.
    static uint8_t Lookup(uint16_t code);
    static size_t RowCount();
};

} // namespace Portico
