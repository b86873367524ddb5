// One run of portico-query: the query engine (scheduler, pool, protocol and region libraries)
// driven from the command line, collecting what the browser window would show.
#pragma once

#include "ResultTable.h"

#include "common/MessageWindow.h"
#include "query/QueryContext.h"
#include "query/QueryScheduler.h"
#include "query/UDPPoolT.h"
#include "query/UDPWrapper.h"

#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

namespace Portico {

class QuerySession : public QueryContext {
public:
    QuerySession(uint16_t game, uint32_t regionMask, bool regionFilterOn);
    ~QuerySession();

    // Opens the query socket; false when no local port could be bound.
    bool Open();
    bool HasProtocols() { return Protocols() != nullptr; }
    void AddServer(uint32_t ip, uint16_t port, bool fromList);
    void AskMaster(uint32_t ip, uint16_t port, const std::string& filter);
    // Waits until every queued server was asked and has answered, or the last request is
    // timeoutMs old; shows progress on progress (may be null).
    void WaitForAnswers(uint32_t timeoutMs, std::FILE* progress);
    // Asks every answered server for its players and waits for them (bounded by timeoutMs).
    void FetchPlayers(uint32_t timeoutMs);
    std::vector<ServerResult> Results();
    std::string FormatPlayerTime(uint16_t gameId, uint32_t time);
    // The game's own name, or its number.
    std::string GameName();

    // QueryContext
    ProtocolManager* Protocols() override;
    uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) override;
    bool Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
              uint32_t socketIndex) override;
    uint16_t SelectedGame() override { return game; }
    void KeepFavourite(ServerRecord&) override {}
    MessageWindow* ProbeWindow() override { return nullptr; }

private:
    struct Progress {
        uint32_t shown = 0, sent = 0, answered = 0;
        uint64_t lastSent = 0;
    };
    Progress Count();

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

    const uint16_t game;
    Collector collector;
    QueryScheduler scheduler;
    UDPPoolT<UDPWrapper> pool; // closed first in the destructor: its threads call the scheduler
};

} // namespace Portico
