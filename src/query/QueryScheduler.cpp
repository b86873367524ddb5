#include "query/QueryScheduler.h"

#include "core/MessageWindow.h"
#include "core/Messages.h"
#include "query/Clock.h"

#include <algorithm>
#include <random>

namespace Portico {

namespace {

using Guard = std::unique_lock<std::recursive_mutex>;

// Queue positions are drawn per thread from a generator with far more than 24 bits.
uint32_t RandomPosition(uint32_t length) {
    thread_local std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<uint32_t>(0, length)(generator);
}

void StoreLookup(ServerRecord& record, const ServerAddress& address, uint8_t region,
                 const uint8_t lookup[3]) {
    record.ip = address.ip;
    record.port = address.port;
    record.gameId = address.gameId;
    record.regionIndex = region;
    record.countryCode[0] = static_cast<char>(lookup[0]);
    record.countryCode[1] = static_cast<char>(lookup[1]);
    record.regionExtra = lookup[2];
}

} // namespace

QueryScheduler::QueryScheduler(QueryContext& context, uint32_t socketIndex,
                               const QueryPacing& pacing)
    : context(context), pacing(pacing), socketIndex(socketIndex) {}

QueryScheduler::~QueryScheduler() {
    {
        Guard guard(lock);
        shuttingDown = true;
    }
    Stop();
    ClearAll();
}

void QueryScheduler::AddServer(const ServerAddress& address, bool fromList) {
    Guard guard(lock);
    if (mainQueue.Contains(address))
        return;
    mainQueue.InsertAt(RandomPosition(mainQueue.Size()), address);
    if (fromList) {
        pauseUntil = NowMs() + pacing.listPauseMs;
        burstCount = 0;
    } else {
        pauseUntil = 0;
        uint8_t lookup[3] = {0, 0, 0};
        const uint8_t region = context.LookupRegion(address.ip, lookup);
        ServerRecord& record = records[address];
        record.direct = 1;
        StoreLookup(record, address, region, lookup);
        guard.unlock();
        Notify(kMsgServerRecord, &record);
        guard.lock();
    }
    if (!running)
        Start();
}

void QueryScheduler::HandleResult(const ServerAddress& address, const ServerInfo& info) {
    uint32_t tag = 0;
    {
        Guard guard(lock);
        auto probe = probeTags.find(address);
        if (probe != probeTags.end()) {
            tag = probe->second;
            probeTags.erase(probe);
        }
    }
    MessageWindow* probeWindow = tag != 0 ? context.ProbeWindow() : nullptr;
    if (probeWindow) {
        ProbeAnswer answer{tag, address.gameId, uint8_t(info.needPass ? 1 : 0)};
        char16_t name[128];
        std::copy(info.name, info.name + 127, name);
        name[127] = 0;
        probeWindow->Send(kMsgBuddyGame, reinterpret_cast<uintptr_t>(&answer),
                          reinterpret_cast<intptr_t>(name));
    }

    Guard guard(lock);
    auto found = records.find(address);
    if (found == records.end())
        return;
    ServerRecord& record = found->second;
    if (record.status != kStatusReplied) {
        const uint64_t now = NowMs();
        record.time = now > record.time ? now - record.time : 1;
        record.status = kStatusReplied;
    }
    record.info = info;
    const bool keep = record.direct != 0;
    ServerRecord copy = record;
    guard.unlock();
    // Outside our lock: the favourites' lock is never taken while this one is held.
    if (keep)
        context.KeepFavourite(copy);
    Notify(kMsgServerRecord, &record);
}

void QueryScheduler::ProbeServer(const ServerAddress& address, uint32_t tag) {
    Guard guard(lock);
    probeTags[address] = tag;
    bool queued = false;
    for (const ServerAddress& waiting : probeQueue)
        queued = queued || waiting == address;
    if (!queued)
        probeQueue.push_back(address);
    if (!running)
        Start();
}

void QueryScheduler::CancelProbe(uint32_t tag) {
    Guard guard(lock);
    for (auto it = probeTags.begin(); it != probeTags.end(); ++it) {
        if (it->second == tag) {
            probeTags.erase(it);
            return;
        }
    }
}

void QueryScheduler::Refill() {
    Notify(kMsgListRefill, nullptr);
    Guard guard(lock);
    for (auto it = records.begin(); it != records.end(); ++it) {
        const ServerRecord& record = it->second;
        if (record.status != kStatusReplied || !record.regionMatched)
            continue;
        guard.unlock();
        Notify(kMsgServerRecord, &record);
        guard.lock();
    }
}

void QueryScheduler::ClearQueue() {
    Guard guard(lock);
    mainQueue.Clear();
}

void QueryScheduler::ClearAll() {
    Guard guard(lock);
    mainQueue.Clear();
    records.clear();
}

bool QueryScheduler::IsQueueEmpty() {
    Guard guard(lock);
    return mainQueue.Empty();
}

std::vector<ServerAddress> QueryScheduler::QueuedServers() {
    Guard guard(lock);
    return mainQueue.Snapshot();
}

void QueryScheduler::RestartTiming(const ServerAddress& address) {
    Guard guard(lock);
    auto found = records.find(address);
    if (found != records.end() && found->second.status == kStatusSent)
        found->second.time = NowMs();
}

void QueryScheduler::Start() {
    Guard guard(lock);
    if (running || shuttingDown)
        return;
    running = true;
    thread = std::thread(&QueryScheduler::WorkerLoop, this);
}

void QueryScheduler::Stop() {
    std::thread worker;
    {
        Guard guard(lock);
        running = false;
        worker.swap(thread);
    }
    {
        std::lock_guard<std::mutex> waitGuard(waitLock);
        wake.notify_all();
    }
    if (worker.joinable())
        worker.join();
}

ServerRecord QueryScheduler::CopyRecord(const ServerRecord* record) {
    Guard guard(lock);
    return *record;
}

bool QueryScheduler::FindRecord(const ServerAddress& address, ServerRecord& out) {
    Guard guard(lock);
    auto found = records.find(address);
    if (found == records.end())
        return false;
    out = found->second;
    return true;
}

void QueryScheduler::WorkerLoop() {
    while (running) {
        if (!PauseOver())
            continue;
        Guard guard(lock);
        if (!probeQueue.empty()) {
            const ServerAddress address = probeQueue.front();
            probeQueue.pop_front();
            guard.unlock();
            SendProbe(address);
        } else if (!mainQueuePaused && !mainQueue.Empty()) {
            const ServerAddress address = mainQueue.PopFront();
            guard.unlock();
            SendFromMainQueue(address);
        } else {
            guard.unlock();
            Wait(pacing.idlePollMs);
        }
    }
}

// False while a list pause lasts (after waiting a little).
bool QueryScheduler::PauseOver() {
    {
        Guard guard(lock);
        if (pauseUntil == 0)
            return true;
        if (NowMs() >= pauseUntil) {
            pauseUntil = 0;
            return true;
        }
    }
    Wait(pacing.pausePollMs);
    return false;
}

void QueryScheduler::SendProbe(const ServerAddress& address) {
    uint8_t lookup[3] = {0, 0, 0};
    const uint8_t region = context.LookupRegion(address.ip, lookup);
    {
        Guard guard(lock);
        StampSent(address, region, lookup);
    }
    SendQuery(address);
}

void QueryScheduler::SendFromMainQueue(const ServerAddress& address) {
    uint8_t lookup[3] = {0, 0, 0};
    const uint8_t region = context.LookupRegion(address.ip, lookup);
    if (!PassesFilter(region, lookup))
        return;
    {
        Guard guard(lock);
        auto found = records.find(address);
        if (found != records.end() && found->second.status == kStatusSent &&
            NowMs() - found->second.time < pacing.resendGuardMs)
            return;
        ServerRecord& record = StampSent(address, region, lookup);
        if (regionFilterOn)
            record.regionMatched = 1;
    }
    SendQuery(address);
    bool pause = false;
    {
        Guard guard(lock);
        if (++burstCount >= pacing.burstSize) {
            burstCount = 0;
            pause = true;
        }
    }
    if (pause)
        Wait(pacing.burstPauseMs);
}

bool QueryScheduler::PassesFilter(uint8_t region, const uint8_t lookup[3]) const {
    const uint32_t mask = regionMask;
    const uint32_t country = mask >> 16;
    if (country != 0)
        return country == (uint32_t(lookup[0]) << 8 | lookup[1]);
    if (!regionFilterOn)
        return true;
    return region != 0 && region <= 32 && (mask >> (region - 1) & 1) != 0;
}

// Marks the record sent before the datagram leaves, so that a fast reply always finds the
// sending time it measures from. The caller holds the lock.
ServerRecord& QueryScheduler::StampSent(const ServerAddress& address, uint8_t region,
                                        const uint8_t lookup[3]) {
    ServerRecord& record = records[address];
    StoreLookup(record, address, region, lookup);
    record.time = NowMs();
    record.status = kStatusSent;
    return record;
}

void QueryScheduler::SendQuery(const ServerAddress& address) {
    ProtocolManager* manager = context.Protocols();
    GameProtocol* protocol = manager ? manager->GetProtocol(address.gameId) : nullptr;
    const ByteOutStream* query = protocol ? protocol->BuildQuery() : nullptr;
    if (query)
        context.Send(address.ip, address.port, *query, socketIndex);
}

void QueryScheduler::Notify(uint32_t message, const ServerRecord* record) {
    if (MessageWindow* receiver = window)
        receiver->Send(message, 0, reinterpret_cast<intptr_t>(record));
}

void QueryScheduler::Wait(uint32_t ms) {
    std::unique_lock<std::mutex> waitGuard(waitLock);
    wake.wait_for(waitGuard, std::chrono::milliseconds(ms), [this] { return !running; });
}

} // namespace Portico
