// One browse of one game by portico-query: the query engine (scheduler, pool, protocol and
// region libraries) driven from the command line, with its masters paged, collecting what the
// browser window would show.
#pragma once

#include "AnsweringGames.h"
#include "MasterPager.h"
#include "ResultTable.h"

#include "common/MessageWindow.h"
#include "query/QueryContext.h"
#include "query/QueryScheduler.h"
#include "query/UDPPoolT.h"
#include "query/UDPWrapper.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Portico {

struct BrowseSettings {
    uint16_t game = 1003;
    uint32_t regionMask = 0xFFFF; // a region bit, a country code in the upper half, or all
    bool regionFilterOn = false;
    uint32_t timeoutMs = 3000; // how long a server is waited for
    uint32_t retries = 2;      // more requests to a server that has not answered, in that time
    uint32_t rate = 500;       // requests per second
    uint32_t inFlight = 256;   // requests awaiting their answer at once; 0: no cap
    PagingLimits paging;
};

// The engine's pacing for a rate and an in-flight cap: bursts every 10 ms (a timer step every
// platform keeps), no wait after a list, a server asked again once its retry time has passed.
QueryPacing ToolPacing(const BrowseSettings& settings);
// How long one request waits before the next: the timeout shared by the requests.
uint32_t RetryMs(const BrowseSettings& settings);

// A player's time value as the game's protocol writes it (the number when there is none).
std::string PlayerTimeText(uint16_t gameId, uint32_t time);

// How far a browse has come.
struct BrowseProgress {
    QueryTally tally;
    uint32_t listed = 0; // servers the masters named
    bool mastersDone = true;
};

// What one master did.
struct MasterReport {
    uint32_t ip;
    uint16_t port;
    uint32_t servers;
    uint32_t pages;
    std::string outcome;
};

class QuerySession : public QueryContext {
public:
    explicit QuerySession(const BrowseSettings& settings);
    ~QuerySession();

    // Opens the query socket; false when no local port could be bound.
    bool Open();
    bool HasProtocols() { return library != nullptr; }
    void AddServer(uint32_t ip, uint16_t port, bool fromList);
    // Pages through the master's list for the browsed game (filter: the master's filter).
    void AskMaster(uint32_t ip, uint16_t port, const std::string& filter);
    // Returns once every master is done, every queued server was asked, and each asked one
    // has answered or had its full timeout (its requests, retries included).
    void WaitForAnswers();
    // Asks every answered server for its players and waits for them (bounded by the timeout).
    void FetchPlayers();
    BrowseProgress Progress();
    std::vector<MasterReport> Masters();
    // Answered and asked servers, each labelled with the game it answered as.
    std::vector<ServerResult> Results();

    // QueryContext
    ProtocolManager* Protocols() override { return library ? &games : nullptr; }
    uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) override;
    bool Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
              uint32_t socketIndex) override;
    uint16_t SelectedGame() override { return settings.game; }
    void KeepFavourite(ServerRecord&) override {}
    MessageWindow* ProbeWindow() override { return nullptr; }
    void ListArrived(uint32_t ip, uint16_t port, const Utils::ArrayT<ServerAddress>& list) override;

private:
    struct Master {
        uint32_t ip;
        uint16_t port;
        MasterPager pager;
    };

    // Sends the master requests that are due; true when every master is done.
    bool PageMasters();
    // Asks again the servers whose request is older than the retry time; true when none is
    // left to wait for.
    bool RetryUnanswered();
    bool Finished(bool mastersDone);

    // Stands where the browser window would: keeps the records and player lists it is sent.
    class Collector : public MessageWindow {
    public:
        intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
        std::vector<const ServerRecord*> Records();
        std::vector<PlayerEntry> PlayersOf(uint32_t ip, uint16_t port);
        bool HasPlayers(uint32_t ip, uint16_t port);

    private:
        // Guards both collections (filled on receive threads).
        std::mutex lock;
        std::set<const ServerRecord*> records;
        std::map<std::pair<uint32_t, uint16_t>, std::vector<PlayerEntry>> players;
    };

    const BrowseSettings settings;
    const uint32_t retryMs;
    ProtocolManager* const library;
    std::map<ServerAddress, uint32_t> retried; // requests sent again, per server (own thread)
    AnsweringGames games;
    // Guards masters (paged here, heard on the receive thread).
    std::mutex mastersLock;
    std::vector<std::unique_ptr<Master>> masters;
    Collector collector;
    QueryScheduler scheduler;
    UDPPoolT<UDPWrapper> pool; // closed first in the destructor: its threads call the scheduler
};

} // namespace Portico
