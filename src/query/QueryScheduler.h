// Decides which server is queried when, measures round trips and keeps one ServerRecord per
// queried server; hands every new or answered record to its window by message.
#pragma once

#include "abi/ProtocolInterface.h"
#include "query/InFlightSet.h"
#include "query/QueryContext.h"
#include "query/ServerQueue.h"
#include "query/ServerRecord.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Portico {

class MessageWindow;

// The engine's pacing. The plug-in uses these values; tools may choose their own.
struct QueryPacing {
    uint32_t listPauseMs = 800; // quiet time after the last server added from a list
    uint32_t burstSize = 8;     // main-queue requests between two burst pauses
    uint32_t burstPauseMs = 200;
    uint32_t idlePollMs = 500;     // an idle worker looks again after this long
    uint32_t pausePollMs = 100;    // how often a paused worker looks at the pause
    uint32_t resendGuardMs = 4000; // no second request to an unanswered server before this
    uint32_t maxQueued = 1000000;  // further adds are dropped (and counted)
    // Main-queue requests awaiting their answer at once; 0: no cap. An unanswered one holds
    // its place for inFlightMs.
    uint32_t maxInFlight = 0;
    uint32_t inFlightMs = 5000;
};

// What a scheduler holds at one moment (progress, and knowing when a browse is over).
struct QueryTally {
    uint32_t queued = 0;     // in the main queue, or taken from it and not yet sent
    uint32_t waiting = 0;    // records sent and not answered
    uint32_t answered = 0;   // records answered
    uint64_t lastSentMs = 0; // latest sending time among the waiting ones (NowMs)
};

class QueryScheduler {
public:
    // How long a request counts as outstanding: a list or a challenge is taken only from an
    // address that was asked within this time.
    static constexpr uint64_t kAnswerWindowMs = 5000;

    QueryScheduler(QueryContext& context, uint32_t socketIndex, const QueryPacing& pacing = {});
    ~QueryScheduler();
    QueryScheduler(const QueryScheduler&) = delete;
    QueryScheduler& operator=(const QueryScheduler&) = delete;

    // Queues at a random place; fromList servers get no record until their query is sent.
    void AddServer(const ServerAddress& address, bool fromList);
    void HandleResult(const ServerAddress& address, const ServerInfo& info);
    void ProbeServer(const ServerAddress& address, uint32_t tag);
    void CancelProbe(uint32_t tag);
    void Refill();
    void ClearQueue();
    // Records still named by a message in flight are kept until a later ClearAll finds no
    // message in flight: a window may have made a row of one meanwhile.
    void ClearAll();
    bool IsQueueEmpty();
    // The main queue in sending order (progress display, tests).
    std::vector<ServerAddress> QueuedServers();
    // Adds refused because the main queue was full.
    uint64_t DroppedAdds();
    // Walks every record: for tools, not for a window's every message.
    QueryTally Tally();
    // Records sent and not answered, with their sending times (a tool asks them again).
    std::vector<std::pair<ServerAddress, uint64_t>> Unanswered();

    // Sends a request for a server list (a master's) through this scheduler's socket; lists
    // from that address are taken for kAnswerWindowMs.
    void AskForList(uint32_t ip, uint16_t port, const ByteOutStream& request);
    // Asks a server for its details (players) with the selected game's detail request.
    void RequestDetails(const ServerAddress& address);
    // True when a request to that address is outstanding.
    bool Asked(uint32_t ip, uint16_t port);
    // Queues the servers of a list from source, leaving out addresses nobody plays on
    // (unspecified, broadcast, multicast, port 0) and loopback unless the list came from it.
    void AddListedServers(uint32_t source, const Utils::ArrayT<ServerAddress>& list);
    // A challenge answered: the follow-up is the request whose round trip counts. It repeats
    // the detail request when one is outstanding, otherwise the server query, whose records
    // (every game at that address) start timing again.
    void FollowUpSent(uint32_t ip, uint16_t port);
    // Hands a player list to the window; the detail request it answers is no longer awaited.
    void DeliverPlayers(const PlayerList& players);

    void SetQueuePaused(bool paused) { mainQueuePaused = paused; }
    void SetRegionMask(uint32_t mask) { regionMask = mask; }
    uint32_t GetRegionMask() const { return regionMask; }
    void SetRegionFilterOn(bool on) { regionFilterOn = on; }
    void SetWindow(MessageWindow* receiver);
    uint32_t SocketIndex() const { return socketIndex; }
    QueryContext& Context() const { return context; }

    // Shutting down: no message is sent to any window after this; one in flight goes on.
    void DetachWindows();
    // True while a message to a window has not returned. A window thread that waits for
    // this to clear must keep handling sent messages.
    bool SendsInFlight();

    void Start();
    void Stop();

    // Windows keep record pointers and read them through these, so that a reply being
    // stored on another thread is never seen half-written.
    ServerRecord CopyRecord(const ServerRecord* record);
    bool FindRecord(const ServerAddress& address, ServerRecord& out);
    // The player count a window learnt from the server's player list, written under the lock
    // that replies are stored under.
    void SetPlayers(const ServerRecord* record, uint8_t players);

private:
    // What was last sent to one ip:port, for telling asked-for answers from unasked ones.
    struct Exchange {
        uint64_t askedMs = 0;  // any request
        uint64_t askedUs = 0;  // the same, in microseconds
        uint64_t detailMs = 0; // an unanswered detail request; 0 when none
    };

    void WorkerLoop();
    bool PauseOver();
    void SendProbe(const ServerAddress& address);
    void SendFromMainQueue(const ServerAddress& address);
    bool PassesFilter(uint8_t region, const uint8_t lookup[3]) const;
    bool InFlightFull();
    void SendQuery(const ServerAddress& address);
    ServerRecord& StampSent(const ServerAddress& address, uint8_t region, const uint8_t lookup[3]);
    // Returns the sending time (NowMs).
    uint64_t NoteAsked(uint32_t ip, uint16_t port, bool detail);
    uint64_t RoundTripMs(const ServerAddress& address, uint64_t sentMs) const;
    bool Within(uint64_t thenMs) const;
    // Messages to the window (or the probe window) go out with the lock released and are
    // counted while in flight; none after DetachWindows.
    MessageWindow* BeginSend(bool toProbeWindow);
    void FinishSend(MessageWindow* receiver, uint32_t message, uintptr_t wParam, intptr_t lParam);
    void Deliver(bool toProbeWindow, uint32_t message, uintptr_t wParam, intptr_t lParam);
    void Wait(uint32_t ms);

    QueryContext& context;
    const QueryPacing pacing;
    const uint32_t socketIndex;

    using RecordMap = std::map<ServerAddress, ServerRecord>;

    // Guards the queues, the maps, every record's fields, pauseUntil, burstCount, the
    // window, the sends in flight and the worker's start and stop. Never held across a
    // window message, a wait or a call into the favourites.
    std::recursive_mutex lock;
    ServerQueue mainQueue;
    std::deque<ServerAddress> probeQueue;
    RecordMap records;              // nodes never move: windows keep pointers
    std::vector<RecordMap> retired; // cleared while a message named their records
    std::map<ServerAddress, uint32_t> probeTags;
    std::unordered_map<uint64_t, Exchange> exchanges; // by ip << 16 | port
    size_t exchangesPruneAt = 0;
    uint64_t pauseUntil = 0;
    uint64_t droppedAdds = 0;
    uint32_t burstCount = 0;
    uint32_t inHand = 0; // addresses the worker took off the main queue and is sending
    uint32_t sendsInFlight = 0;
    InFlightSet awaited; // main-queue requests, counted when pacing caps them
    MessageWindow* window = nullptr;
    bool detached = false;
    bool stopping = false; // a Stop waits for the worker: no new one may start meanwhile
    bool shuttingDown = false;

    std::atomic<bool> running{false};
    std::atomic<bool> regionFilterOn{true};
    std::atomic<bool> mainQueuePaused{false};
    std::atomic<uint32_t> regionMask{0};

    // Wakes the worker out of its waits when it is stopped.
    std::mutex waitLock;
    std::condition_variable wake;
    std::thread thread;
};

} // namespace Portico
