#include "query/QueryScheduler.h"

#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "query/Clock.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <system_error>

namespace Portico {

namespace {

using Guard = std::unique_lock<std::recursive_mutex>;

// Queue positions are drawn per thread from a generator with far more than 24 bits.
constexpr size_t kMinPruneAt = 4096;

bool IsLoopback(uint32_t ip) {
    return ip >> 24 == 127;
}

// Addresses a list may name that no game server can have.
bool IsPlayable(const ServerAddress& address) {
    const uint32_t ip = address.ip;
    const bool unspecified = ip >> 24 == 0;
    const bool multicast = ip >> 28 == 0xE;
    return address.port != 0 && !unspecified && !multicast && ip != 0xFFFFFFFF;
}

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
    : context(context), pacing(pacing), socketIndex(socketIndex), awaited(pacing.inFlightMs) {}

QueryScheduler::~QueryScheduler() {
    {
        Guard guard(lock);
        shuttingDown = true;
    }
    Stop();
    Guard guard(lock);
    mainQueue.Clear();
    records.clear();
    retired.clear();
}

void QueryScheduler::AddServer(const ServerAddress& address, bool fromList) {
    Guard guard(lock);
    if (mainQueue.Contains(address))
        return;
    if (mainQueue.Size() >= pacing.maxQueued) {
        ++droppedAdds;
        return;
    }
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
        MessageWindow* receiver = BeginSend(false);
        guard.unlock();
        FinishSend(receiver, kMsgServerRecord, 0, reinterpret_cast<intptr_t>(&record));
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
    if (tag != 0) {
        ProbeAnswer answer{tag, address.gameId, uint8_t(info.needPass ? 1 : 0)};
        char16_t name[128];
        std::copy(info.name, info.name + 127, name);
        name[127] = 0;
        Deliver(true, kMsgBuddyGame, reinterpret_cast<uintptr_t>(&answer),
                reinterpret_cast<intptr_t>(name));
    }

    Guard guard(lock);
    auto found = records.find(address);
    if (found == records.end())
        return;
    ServerRecord& record = found->second;
    awaited.Remove(address);
    if (record.status != kStatusReplied) {
        record.time = RoundTripMs(address, record.time);
        record.status = kStatusReplied;
    }
    record.info = info;
    const bool keep = record.direct != 0;
    ServerRecord copy = record;
    MessageWindow* receiver = BeginSend(false);
    guard.unlock();
    // Outside our lock: the favourites' lock is never taken while this one is held.
    if (keep)
        context.KeepFavourite(copy);
    FinishSend(receiver, kMsgServerRecord, 0, reinterpret_cast<intptr_t>(&record));
}

void QueryScheduler::ProbeServer(const ServerAddress& address, uint32_t tag) {
    Guard guard(lock);
    probeTags[address] = tag;
    if (std::find(probeQueue.begin(), probeQueue.end(), address) == probeQueue.end())
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
    Deliver(false, kMsgListRefill, 0, 0);
    std::vector<const ServerRecord*> replay;
    {
        Guard guard(lock);
        for (const auto& entry : records) {
            if (entry.second.status == kStatusReplied && entry.second.regionMatched)
                replay.push_back(&entry.second);
        }
        // Counted as one long send, so that a ClearAll meanwhile keeps these records.
        ++sendsInFlight;
    }
    for (const ServerRecord* record : replay)
        Deliver(false, kMsgServerRecord, 0, reinterpret_cast<intptr_t>(record));
    Guard guard(lock);
    --sendsInFlight;
}

void QueryScheduler::ClearQueue() {
    Guard guard(lock);
    mainQueue.Clear();
}

void QueryScheduler::ClearAll() {
    Guard guard(lock);
    mainQueue.Clear();
    awaited.Clear();
    if (sendsInFlight != 0) {
        retired.push_back(std::move(records));
        records.clear();
        return;
    }
    retired.clear();
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

uint64_t QueryScheduler::DroppedAdds() {
    Guard guard(lock);
    return droppedAdds;
}

QueryTally QueryScheduler::Tally() {
    Guard guard(lock);
    QueryTally tally;
    tally.queued = mainQueue.Size() + inHand;
    for (const auto& entry : records) {
        const ServerRecord& record = entry.second;
        if (record.status == kStatusReplied) {
            ++tally.answered;
        } else if (record.status == kStatusSent) {
            ++tally.waiting;
            tally.lastSentMs = std::max(tally.lastSentMs, record.time);
        }
    }
    return tally;
}

std::vector<std::pair<ServerAddress, uint64_t>> QueryScheduler::Unanswered() {
    Guard guard(lock);
    std::vector<std::pair<ServerAddress, uint64_t>> waiting;
    for (const auto& entry : records)
        if (entry.second.status == kStatusSent)
            waiting.emplace_back(entry.first, entry.second.time);
    return waiting;
}

void QueryScheduler::AskForList(uint32_t ip, uint16_t port, const ByteOutStream& request) {
    {
        Guard guard(lock);
        NoteAsked(ip, port, false);
    }
    context.Send(ip, port, request, socketIndex);
}

void QueryScheduler::RequestDetails(const ServerAddress& address) {
    ProtocolManager* manager = context.Protocols();
    GameProtocol* protocol = manager ? manager->GetProtocol(context.SelectedGame()) : nullptr;
    const ByteOutStream* request = protocol ? protocol->BuildDetailRequest(address) : nullptr;
    if (!request)
        return;
    {
        Guard guard(lock);
        NoteAsked(address.ip, address.port, true);
    }
    context.Send(address.ip, address.port, *request, socketIndex);
}

bool QueryScheduler::Asked(uint32_t ip, uint16_t port) {
    Guard guard(lock);
    auto found = exchanges.find(uint64_t(ip) << 16 | port);
    return found != exchanges.end() && Within(found->second.askedMs);
}

void QueryScheduler::AddListedServers(uint32_t source, const Utils::ArrayT<ServerAddress>& list) {
    const bool fromLoopback = IsLoopback(source);
    for (uint32_t i = 0; i < list.Size(); ++i) {
        const ServerAddress& entry = list[i];
        if (IsPlayable(entry) && (fromLoopback || !IsLoopback(entry.ip)))
            AddServer(entry, true);
    }
}

void QueryScheduler::FollowUpSent(uint32_t ip, uint16_t port) {
    Guard guard(lock);
    Exchange& exchange = exchanges[uint64_t(ip) << 16 | port];
    const bool detailAwaited = exchange.detailMs != 0 && Within(exchange.detailMs);
    exchange.askedUs = NowUs();
    exchange.askedMs = exchange.askedUs / 1000;
    if (detailAwaited)
        return;
    const uint64_t now = exchange.askedMs;
    for (auto it = records.lower_bound(ServerAddress{ip, port, 0});
         it != records.end() && it->first.ip == ip && it->first.port == port; ++it) {
        if (it->second.status == kStatusSent)
            it->second.time = now;
    }
}

void QueryScheduler::DeliverPlayers(const PlayerList& players) {
    {
        Guard guard(lock);
        auto found = exchanges.find(uint64_t(players.address.ip) << 16 | players.address.port);
        if (found != exchanges.end())
            found->second.detailMs = 0;
    }
    Deliver(false, kMsgPlayerList, 0, reinterpret_cast<intptr_t>(&players));
}

void QueryScheduler::SetWindow(MessageWindow* receiver) {
    Guard guard(lock);
    window = receiver;
}

void QueryScheduler::DetachWindows() {
    Guard guard(lock);
    window = nullptr;
    detached = true;
}

bool QueryScheduler::SendsInFlight() {
    Guard guard(lock);
    return sendsInFlight != 0;
}

void QueryScheduler::Start() {
    Guard guard(lock);
    if (running || stopping || shuttingDown)
        return;
    running = true;
    // A thread that cannot be started leaves the worker stopped; the next add tries again.
    try {
        thread = std::thread(&QueryScheduler::WorkerLoop, this);
    } catch (const std::system_error&) {
        running = false;
    }
}

void QueryScheduler::Stop() {
    std::thread worker;
    {
        Guard guard(lock);
        if (stopping)
            return;
        stopping = true;
        running = false;
        worker.swap(thread);
    }
    {
        std::lock_guard<std::mutex> waitGuard(waitLock);
        wake.notify_all();
    }
    if (worker.joinable())
        worker.join();
    Guard guard(lock);
    stopping = false;
}

ServerRecord QueryScheduler::CopyRecord(const ServerRecord* record) {
    Guard guard(lock);
    return *record;
}

void QueryScheduler::SetPlayers(const ServerRecord* record, uint8_t players) {
    Guard guard(lock);
    // The record is one of ours or a favourite the caller holds locked: never a constant.
    const_cast<ServerRecord*>(record)->info.players = players;
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
        } else if (!mainQueuePaused && !mainQueue.Empty() && !InFlightFull()) {
            const ServerAddress address = mainQueue.PopFront();
            ++inHand;
            guard.unlock();
            SendFromMainQueue(address);
            guard.lock();
            --inHand;
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
        if (pacing.maxInFlight != 0)
            awaited.Add(address, record.time);
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

// The caller holds the lock.
bool QueryScheduler::InFlightFull() {
    return pacing.maxInFlight != 0 && awaited.Count(NowMs()) >= pacing.maxInFlight;
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
    record.time = NoteAsked(address.ip, address.port, false);
    record.status = kStatusSent;
    return record;
}

// The caller holds the lock. Old exchanges are pruned whenever the table has doubled.
uint64_t QueryScheduler::NoteAsked(uint32_t ip, uint16_t port, bool detail) {
    const uint64_t nowUs = NowUs();
    const uint64_t now = nowUs / 1000;
    Exchange& exchange = exchanges[uint64_t(ip) << 16 | port];
    exchange.askedMs = now;
    exchange.askedUs = nowUs;
    if (detail)
        exchange.detailMs = now;
    if (exchanges.size() < exchangesPruneAt)
        return now;
    for (auto it = exchanges.begin(); it != exchanges.end();)
        it = Within(it->second.askedMs) ? std::next(it) : exchanges.erase(it);
    exchangesPruneAt = std::max<size_t>(kMinPruneAt, exchanges.size() * 2);
    return now;
}

// At least 1 ms. Rounded from microseconds when the request the record was stamped with is the
// last one sent to that server (whole milliseconds at both ends would add up to one), from
// milliseconds otherwise. The caller holds the lock.
uint64_t QueryScheduler::RoundTripMs(const ServerAddress& address, uint64_t sentMs) const {
    const uint64_t nowUs = NowUs();
    auto found = exchanges.find(uint64_t(address.ip) << 16 | address.port);
    if (found != exchanges.end() && found->second.askedMs == sentMs &&
        nowUs >= found->second.askedUs)
        return std::max<uint64_t>(1, (nowUs - found->second.askedUs + 500) / 1000);
    const uint64_t now = nowUs / 1000;
    return now > sentMs ? now - sentMs : 1;
}

bool QueryScheduler::Within(uint64_t thenMs) const {
    const uint64_t now = NowMs();
    return now < thenMs || now - thenMs <= kAnswerWindowMs;
}

void QueryScheduler::SendQuery(const ServerAddress& address) {
    ProtocolManager* manager = context.Protocols();
    GameProtocol* protocol = manager ? manager->GetProtocol(address.gameId) : nullptr;
    const ByteOutStream* query = protocol ? protocol->BuildQuery() : nullptr;
    if (query)
        context.Send(address.ip, address.port, *query, socketIndex);
}

// The caller holds the lock: whatever it hands over stays valid until FinishSend.
MessageWindow* QueryScheduler::BeginSend(bool toProbeWindow) {
    MessageWindow* receiver = detached ? nullptr : toProbeWindow ? context.ProbeWindow() : window;
    if (receiver)
        ++sendsInFlight;
    return receiver;
}

// Called without the lock; receiver is BeginSend's result.
void QueryScheduler::FinishSend(MessageWindow* receiver, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
    if (!receiver)
        return;
    receiver->Send(message, wParam, lParam);
    Guard guard(lock);
    --sendsInFlight;
}

void QueryScheduler::Deliver(bool toProbeWindow, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) {
    MessageWindow* receiver;
    {
        Guard guard(lock);
        receiver = BeginSend(toProbeWindow);
    }
    FinishSend(receiver, message, wParam, lParam);
}

void QueryScheduler::Wait(uint32_t ms) {
    std::unique_lock<std::mutex> waitGuard(waitLock);
    wake.wait_for(waitGuard, std::chrono::milliseconds(ms), [this] { return !running; });
}

} // namespace Portico
