#include "QuerySession.h"

#include "common/Messages.h"
#include "query/Clock.h"
#include "query/ProtocolLibrary.h"
#include "region/RegionLibrary.h"
#include "utils/Utf.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace Portico {

namespace {

// Masters are looked after this often; the engine's tally, a walk over every record, less.
constexpr uint32_t kTickMs = 10;
constexpr uint32_t kTallyEveryTicks = 5;
constexpr uint32_t kBurstPauseMs = 10;

void Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

uint32_t RetryMs(const BrowseSettings& settings) {
    return std::max<uint32_t>(1, settings.timeoutMs / (settings.retries + 1));
}

QueryPacing ToolPacing(const BrowseSettings& settings) {
    QueryPacing pacing;
    const uint32_t rate = std::max<uint32_t>(settings.rate, 1);
    pacing.burstSize = (rate * kBurstPauseMs + 999) / 1000;
    pacing.burstPauseMs = std::max<uint32_t>(1, pacing.burstSize * 1000 / rate);
    pacing.listPauseMs = 0;
    pacing.idlePollMs = 2;
    pacing.pausePollMs = 2;
    pacing.maxQueued = settings.paging.maxServers;
    pacing.maxInFlight = settings.inFlight;
    pacing.inFlightMs = RetryMs(settings);
    pacing.resendGuardMs = RetryMs(settings);
    return pacing;
}

QuerySession::QuerySession(const BrowseSettings& settings)
    : settings(settings), retryMs(RetryMs(settings)), library(ProtocolLibrary::Manager()),
      scheduler(*this, 0, ToolPacing(settings)) {
    games.Attach(library);
    scheduler.SetWindow(&collector);
    scheduler.SetRegionMask(settings.regionMask);
    scheduler.SetRegionFilterOn(settings.regionFilterOn);
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
    scheduler.AddServer(ServerAddress{ip, port, settings.game}, fromList);
}

void QuerySession::AskMaster(uint32_t ip, uint16_t port, const std::string& filter) {
    std::lock_guard<std::mutex> guard(mastersLock);
    masters.emplace_back(new Master{ip, port, MasterPager(settings.game, filter, settings.paging)});
}

void QuerySession::ListArrived(uint32_t ip, uint16_t port,
                               const Utils::ArrayT<ServerAddress>& list) {
    std::lock_guard<std::mutex> guard(mastersLock);
    for (const auto& master : masters)
        if (master->ip == ip && master->port == port)
            master->pager.Arrived(list.Data(), list.Size(), games.ListEnded(ip, port), NowMs());
}

// Requests are built under the lock and sent without it: an answer may come at once.
bool QuerySession::PageMasters() {
    std::vector<std::pair<const Master*, ByteOutStream>> due;
    bool done = true;
    {
        std::lock_guard<std::mutex> guard(mastersLock);
        for (const auto& master : masters) {
            ByteOutStream request;
            if (master->pager.Due(NowMs(), request))
                due.emplace_back(master.get(), request);
            done = done && master->pager.Done();
        }
    }
    for (const auto& item : due)
        scheduler.AskForList(item.first->ip, item.first->port, item.second);
    return done;
}

// UDP datagrams get lost: a server is asked again, up to the retries, when its request has had
// its share of the timeout.
bool QuerySession::RetryUnanswered() {
    bool settled = true;
    const uint64_t now = NowMs();
    for (const auto& waiting : scheduler.Unanswered()) {
        if (now - waiting.second < retryMs) {
            settled = false;
            continue;
        }
        uint32_t& tries = retried[waiting.first];
        if (tries < settings.retries) {
            ++tries;
            scheduler.AddServer(waiting.first, true);
            settled = false;
        }
    }
    return settled;
}

// Over when no master has more to say, nothing waits in the queue, and every server still
// unanswered had all its requests and their time.
bool QuerySession::Finished(bool mastersDone) {
    const bool settled = RetryUnanswered();
    return mastersDone && settled && scheduler.Tally().queued == 0;
}

void QuerySession::WaitForAnswers() {
    for (uint32_t tick = 0;; ++tick) {
        const bool mastersDone = PageMasters();
        if (tick % kTallyEveryTicks == 0 && Finished(mastersDone))
            return;
        Sleep(kTickMs);
    }
}

void QuerySession::FetchPlayers() {
    GameProtocol* protocol = library ? library->GetProtocol(settings.game) : nullptr;
    if (!protocol)
        return;
    std::vector<ServerAddress> answered;
    for (const ServerResult& result : Results())
        if (result.record.status == kStatusReplied)
            answered.push_back(ServerAddress{result.record.ip, result.record.port, settings.game});
    for (const ServerAddress& address : answered)
        scheduler.RequestDetails(address);
    const uint64_t end = NowMs() + settings.timeoutMs;
    while (NowMs() < end) {
        size_t complete = 0;
        for (const ServerAddress& address : answered)
            complete += collector.HasPlayers(address.ip, address.port);
        if (complete == answered.size())
            return;
        Sleep(kTickMs);
    }
}

BrowseProgress QuerySession::Progress() {
    BrowseProgress progress;
    progress.tally = scheduler.Tally();
    std::lock_guard<std::mutex> guard(mastersLock);
    for (const auto& master : masters) {
        progress.listed += master->pager.Servers();
        progress.mastersDone = progress.mastersDone && master->pager.Done();
    }
    return progress;
}

std::vector<MasterReport> QuerySession::Masters() {
    std::vector<MasterReport> reports;
    std::lock_guard<std::mutex> guard(mastersLock);
    for (const auto& master : masters)
        reports.push_back(MasterReport{master->ip, master->port, master->pager.Servers(),
                                       master->pager.Pages(), master->pager.Outcome()});
    return reports;
}

std::vector<ServerResult> QuerySession::Results() {
    std::vector<ServerResult> results;
    for (const ServerRecord* shownRecord : collector.Records()) {
        ServerResult result{scheduler.CopyRecord(shownRecord), {}};
        ServerRecord& record = result.record;
        if (const uint16_t answeredAs = games.GameOf(record.ip, record.port))
            record.gameId = answeredAs;
        result.players = collector.PlayersOf(record.ip, record.port);
        results.push_back(result);
    }
    return results;
}

std::string PlayerTimeText(uint16_t gameId, uint32_t time) {
    ProtocolManager* manager = ProtocolLibrary::Manager();
    GameProtocol* protocol = manager ? manager->GetProtocol(gameId) : nullptr;
    if (!protocol)
        return std::to_string(time);
    char16_t text[kPlayerTimeChars] = {};
    protocol->FormatPlayerTime(text, time);
    text[kPlayerTimeChars - 1] = 0;
    return Utils::Utf::ToUtf8({text, Utils::Utf::BoundedLength(text, kPlayerTimeChars)});
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
