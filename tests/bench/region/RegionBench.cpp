// Lookups per second of the region library, called as the plug-in calls it.
#include "abi/RegionTable.h"
#include "region/RegionLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

using Portico::RegionLibrary;

namespace {

// Enough random addresses that the branch predictor cannot learn them.
const std::vector<uint32_t>& Addresses() {
    static const std::vector<uint32_t> addresses = [] {
        std::mt19937 random(5);
        std::vector<uint32_t> list(1 << 16);
        for (uint32_t& ip : list)
            ip = static_cast<uint32_t>(random());
        return list;
    }();
    return addresses;
}

void RegionLookupRandomAddresses(benchmark::State& state) {
    RegionLibrary& library = RegionLibrary::Instance();
    if (!library.IsLoaded()) {
        state.SkipWithError("the region library is not beside the benchmark in dlls/");
        return;
    }
    const std::vector<uint32_t>& addresses = Addresses();
    size_t next = 0;
    for (auto _ : state) {
        uint8_t out[3];
        benchmark::DoNotOptimize(library.Lookup(addresses[next], out));
        benchmark::DoNotOptimize(out);
        next = (next + 1) & (addresses.size() - 1);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(RegionLookupRandomAddresses);

void RegionTableLookup(benchmark::State& state) {
    uint16_t code = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Portico::RegionTable::Lookup(code));
        code = static_cast<uint16_t>(code * 31 + 0x4141);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(RegionTableLookup);

} // namespace
