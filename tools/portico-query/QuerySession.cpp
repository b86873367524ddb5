#include "QuerySession.h"

#include "MasterRequest.h"

#include "common/Messages.h"
#include "query/Clock.h"
#include "query/ProtocolLibrary.h"
#include "region/RegionLibrary.h"
#include "utils/Utf.h"

#include <chrono>
#include <thread>

namespace Portico {

namespace {

constexpr uint32_t kPollMs = 50;
constexpr uint32_t kProgressEveryMs = 1000;

void Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

QuerySession::QuerySession(uint16_t game, uint32_t regionMask, bool regionFilterOn)
    : game(game), scheduler(*this, 0) {
    scheduler.SetWindow(&collector);
    scheduler.SetRegionMask(regionMask);
    scheduler.SetRegionFilterOn(regionFilterOn);
}

QuerySession::~QuerySession() {
    pool.CloseAll();
    scheduler.Stop();
}

bool QuerySession::Open() {
    pool.SetPort(0); // a random free port from 4096 up
    if (!pool.Open(1))
        return false;
    pool.GetSocket(0)->SetOwner(&scheduler);
    return true;
}

void QuerySession::AddServer(uint32_t ip, uint16_t port, bool fromList) {
    scheduler.AddServer(ServerAddress{ip, port, game}, fromList);
}

void QuerySession::AskMaster(uint32_t ip, uint16_t port, const std::string& filter) {
    ByteOutStream request;
    BuildMasterRequest(game, filter, request);
    scheduler.AskForList(ip, port, request);
}

QuerySession::Progress QuerySession::Count() {
    Progress progress;
    for (const ServerRecord* shownRecord : collector.Records()) {
        const ServerRecord record = scheduler.CopyRecord(shownRecord);
        ++progress.shown;
        if (record.status == kStatusSent) {
            ++progress.sent;
            if (record.time > progress.lastSent)
                progress.lastSent = record.time;
        } else if (record.status == kStatusReplied) {
            ++progress.answered;
        }
    }
    return progress;
}

void QuerySession::WaitForAnswers(uint32_t timeoutMs, std::FILE* progress) {
    const uint64_t start = NowMs();
    uint64_t lastShown = 0;
    while (true) {
        Sleep(kPollMs);
        const Progress now = Count();
        const uint64_t t = NowMs();
        if (progress && t - lastShown >= kProgressEveryMs) {
            std::fprintf(progress, "queued %zu, waiting %u, answered %u\n",
                         scheduler.QueuedServers().size(), now.sent, now.answered);
            std::fflush(progress);
            lastShown = t;
        }
        if (!scheduler.IsQueueEmpty())
            continue;
        const bool nothingYet = now.shown == 0 && t - start < timeoutMs;
        const bool allAnswered = now.shown > 0 && now.sent == 0 && now.answered == now.shown;
        const bool timedOut = now.sent > 0 && t - now.lastSent >= timeoutMs;
        if (allAnswered || timedOut || (!nothingYet && now.sent == 0))
            return;
    }
}

void QuerySession::FetchPlayers(uint32_t timeoutMs) {
    ProtocolManager* manager = Protocols();
    GameProtocol* protocol = manager ? manager->GetProtocol(game) : nullptr;
    if (!protocol)
        return;
    std::vector<ServerAddress> answered;
    for (const ServerResult& result : Results()) {
        if (result.record.status == kStatusReplied)
            answered.push_back(result.record.Address());
    }
    for (const ServerAddress& address : answered)
        scheduler.RequestDetails(address);
    const uint64_t end = NowMs() + timeoutMs;
    while (NowMs() < end) {
        size_t complete = 0;
        for (const ServerAddress& address : answered)
            complete += collector.HasPlayers(address.ip, address.port);
        if (complete == answered.size())
            return;
        Sleep(kPollMs);
    }
}

std::vector<ServerResult> QuerySession::Results() {
    std::vector<ServerResult> results;
    for (const ServerRecord* shownRecord : collector.Records()) {
        ServerResult result{scheduler.CopyRecord(shownRecord), {}};
        result.players = collector.PlayersOf(result.record.ip, result.record.port);
        results.push_back(result);
    }
    return results;
}

std::string QuerySession::FormatPlayerTime(uint16_t gameId, uint32_t time) {
    ProtocolManager* manager = Protocols();
    GameProtocol* protocol = manager ? manager->GetProtocol(gameId) : nullptr;
    if (!protocol)
        return std::to_string(time);
    char16_t text[kPlayerTimeChars] = {};
    protocol->FormatPlayerTime(text, time);
    text[kPlayerTimeChars - 1] = 0;
    return Utils::Utf::ToUtf8({text, Utils::Utf::BoundedLength(text, kPlayerTimeChars)});
}

std::string QuerySession::GameName() {
    ProtocolManager* manager = Protocols();
    GameProtocol* protocol = manager ? manager->GetProtocol(game) : nullptr;
    const char16_t* name = protocol ? protocol->GetName() : nullptr;
    if (!name)
        return std::to_string(game);
    return Utils::Utf::ToUtf8({name, Utils::Utf::BoundedLength(name, 256)});
}

ProtocolManager* QuerySession::Protocols() {
    return ProtocolLibrary::Manager();
}

uint8_t QuerySession::LookupRegion(uint32_t ip, uint8_t out[3]) {
    return RegionLibrary::Instance().Lookup(ip, out);
}

bool QuerySession::Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
                        uint32_t socketIndex) {
    return pool.Send(ip, port, datagram, socketIndex);
}

intptr_t QuerySession::Collector::Send(uint32_t message, uintptr_t, intptr_t lParam) {
    std::lock_guard<std::mutex> guard(lock);
    if (message == kMsgServerRecord) {
        records.insert(reinterpret_cast<const ServerRecord*>(lParam));
    } else if (message == kMsgPlayerList) {
        const auto* list = reinterpret_cast<const PlayerList*>(lParam);
        std::vector<PlayerEntry>& entries = players[{list->address.ip, list->address.port}];
        entries.assign(list->entries.Data(), list->entries.Data() + list->entries.Size());
    }
    return 0;
}

std::vector<const ServerRecord*> QuerySession::Collector::Records() {
    std::lock_guard<std::mutex> guard(lock);
    return {records.begin(), records.end()};
}

std::vector<PlayerEntry> QuerySession::Collector::PlayersOf(uint32_t ip, uint16_t port) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = players.find({ip, port});
    return found == players.end() ? std::vector<PlayerEntry>() : found->second;
}

bool QuerySession::Collector::HasPlayers(uint32_t ip, uint16_t port) {
    std::lock_guard<std::mutex> guard(lock);
    return players.count({ip, port}) != 0;
}

} // namespace Portico
