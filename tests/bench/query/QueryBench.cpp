// Query engine figures: queuing a master list, the queue alone, and the reply path to the
// window.
#include "FakeQueryContext.h"

#include "PorticoManager.h"
#include "common/MessageWindow.h"
#include "query/QueryReply.h"
#include "query/QueryScheduler.h"
#include "query/ServerQueue.h"

#include <random>
#include <vector>

#include <benchmark/benchmark.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

// Distinct addresses in no particular order, as a master list gives them (an odd multiplier
// permutes the 32-bit numbers).
uint32_t ScatteredIp(uint32_t i) {
    return i * 2654435761u;
}

} // namespace

// A master list of n distinct servers handed to the scheduler, each queued at a random place;
// goals: 100,000 in under 0.5 s, 1,000,000 in under 1 s.
static void AddServerMasterList(benchmark::State& state) {
    const auto count = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        FakeQueryContext context;
        QueryScheduler scheduler(context, 0);
        scheduler.SetQueuePaused(true);
        for (uint32_t i = 0; i < count; ++i)
            scheduler.AddServer(ServerAddress{ScatteredIp(i), 27015, 1003}, true);
        benchmark::DoNotOptimize(scheduler.IsQueueEmpty());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(AddServerMasterList)
    ->Arg(100000)
    ->Arg(400000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Complexity(benchmark::oNLogN);

// The main queue alone, n insertions at random places: growth close to n log n.
static void QueueRandomInsert(benchmark::State& state) {
    const auto count = static_cast<uint32_t>(state.range(0));
    std::mt19937 random(1);
    for (auto _ : state) {
        ServerQueue queue;
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t position =
                std::uniform_int_distribution<uint32_t>(0, queue.Size())(random);
            queue.InsertAt(position, ServerAddress{ScatteredIp(i), 27015, 1003});
        }
        benchmark::DoNotOptimize(queue.Size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(QueueRandomInsert)
    ->Arg(100000)
    ->Arg(400000)
    ->Arg(1600000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Complexity(benchmark::oNLogN);

namespace {

// A Source-layout info answer of a full server: header, 'I', protocol, four texts, app id,
// players, maximum, bots, type, OS, visibility, VAC, version, no extra data.
std::vector<unsigned char> InfoReply() {
    Portico::ByteOutStream out;
    out << (unsigned int)0xFFFFFFFF << (unsigned char)'I' << (unsigned char)17 << "Bench Server"
        << "de_dust2"
        << "harbor"
        << "Harbor Assault" << (unsigned short)0 << (unsigned char)10 << (unsigned char)16
        << (unsigned char)0 << (unsigned char)'d' << (unsigned char)'l' << (unsigned char)0
        << (unsigned char)1 << "1.0.0";
    return {out.Data(), out.Data() + out.Size()};
}

// The real protocol library behind the reply path; a window that takes every record.
class ReplyContext : public FakeQueryContext {
public:
    Portico::ProtocolManager* Protocols() override { return &Portico::PorticoManager::Instance(); }
};

class NullWindow : public Portico::MessageWindow {
public:
    intptr_t Send(uint32_t, uintptr_t, intptr_t lParam) override {
        benchmark::DoNotOptimize(lParam);
        return 0;
    }
};

} // namespace

// Replies per second through the receive path: parse, store, window message; goal 200,000.
static void ReplyPath(benchmark::State& state) {
    ReplyContext context;
    NullWindow window;
    QueryScheduler scheduler(context, 0);
    scheduler.SetWindow(&window);
    scheduler.SetQueuePaused(true);
    constexpr uint32_t kServers = 1024;
    for (uint32_t i = 0; i < kServers; ++i)
        scheduler.AddServer(ServerAddress{0x0A000000u + i, 27015, 1003}, false);
    const std::vector<unsigned char> reply = InfoReply();
    uint32_t i = 0;
    for (auto _ : state) {
        Portico::ByteInStream datagram(reply.data(), uint32_t(reply.size()));
        HandleQueryReply(context, scheduler, 0x0A000000u + (i++ % kServers), 27015, datagram);
    }
    Portico::ServerRecord record{};
    if (!scheduler.FindRecord(ServerAddress{0x0A000000u, 27015, 1003}, record) ||
        record.info.maxPlayers != 16)
        state.SkipWithError("the reply was not stored");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReplyPath);
