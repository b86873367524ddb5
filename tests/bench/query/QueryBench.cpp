// Query engine figures: queuing a master list, and the reply path to the window.
#include "FakeQueryContext.h"

#include "query/QueryReply.h"
#include "query/QueryScheduler.h"

#include <benchmark/benchmark.h>

using namespace Portico;
using namespace Portico::Test;

// A master list of 100,000 distinct servers handed to the scheduler; goal: under 0.5 s.
static void AddServerMasterList(benchmark::State& state) {
    for (auto _ : state) {
        FakeQueryContext context;
        QueryScheduler scheduler(context, 0);
        scheduler.SetQueuePaused(true);
        for (uint32_t i = 0; i < 100000; ++i)
            scheduler.AddServer(ServerAddress{0x0A000000u + i, 27015, 1003}, true);
        benchmark::DoNotOptimize(scheduler.IsQueueEmpty());
    }
}
BENCHMARK(AddServerMasterList)->Unit(benchmark::kMillisecond)->Iterations(3);
