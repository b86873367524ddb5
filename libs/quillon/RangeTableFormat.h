// The country range table file Quillon.dat, written at build time by quillon_convert and read
// by the library. Little-endian, the same file for every platform:
//   magic     4 bytes "QRT1"
//   count     u32, number of runs (1 to kMaxRuns)
//   runs      count × 6 bytes: first address (u32), country letters (2 bytes, first letter
//             first; two zero bytes = no country)
// Runs are sorted by first address, strictly ascending, the first starts at 0; each run lasts
// until the next one starts (the last until 255.255.255.255). Letters are A-Z or 0-9.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Portico {

constexpr char kRangeTableMagic[4] = {'Q', 'R', 'T', '1'};
constexpr size_t kRangeTableHeaderBytes = 8;
constexpr size_t kRangeTableRunBytes = 6;
constexpr uint32_t kRangeTableMaxRuns = 1u << 24;

} // namespace Portico
