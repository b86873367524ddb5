// Decides which server is queried when, measures round trips and keeps one ServerRecord per
// queried server; hands every new or answered record to its window by message.
#pragma once

#include "query/ProtocolInterface.h"
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
#include <vector>

namespace Portico {

class MessageWindow;

// The engine's pacing. The plug-in uses these values; tools may choose their own.
struct QueryPacing {
    uint32_t listPauseMs = 800;    // quiet time after the last server added from a list
    uint32_t burstSize = 8;        // main-queue requests between two burst pauses
    uint32_t burstPauseMs = 200;
    uint32_t idlePollMs = 500;     // an idle worker looks again after this long
    uint32_t pausePollMs = 100;    // how often a paused worker looks at the pause
    uint32_t resendGuardMs = 4000; // no second request to an unanswered server before this
};

class QueryScheduler {
public:
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
    void ClearAll();
    bool IsQueueEmpty();
    // The main queue in sending order (progress display, tests).
    std::vector<ServerAddress> QueuedServers();
    // The follow-up of a challenge is the request whose round trip counts: a record still
    // waiting for its answer starts timing again.
    void RestartTiming(const ServerAddress& address);

    void SetQueuePaused(bool paused) { mainQueuePaused = paused; }
    void SetRegionMask(uint32_t mask) { regionMask = mask; }
    uint32_t GetRegionMask() const { return regionMask; }
    void SetRegionFilterOn(bool on) { regionFilterOn = on; }
    void SetWindow(MessageWindow* receiver) { window = receiver; }
    MessageWindow* Window() const { return window; }
    uint32_t SocketIndex() const { return socketIndex; }
    QueryContext& Context() const { return context; }

    void Start();
    void Stop();

    // Windows keep record pointers and read them through these, so that a reply being
    // stored on another thread is never seen half-written.
    ServerRecord CopyRecord(const ServerRecord* record);
    bool FindRecord(const ServerAddress& address, ServerRecord& out);

private:
    void WorkerLoop();
    bool PauseOver();
    void SendProbe(const ServerAddress& address);
    void SendFromMainQueue(const ServerAddress& address);
    bool PassesFilter(uint8_t region, const uint8_t lookup[3]) const;
    void SendQuery(const ServerAddress& address);
    ServerRecord& StampSent(const ServerAddress& address, uint8_t region, const uint8_t lookup[3]);
    void Notify(uint32_t message, const ServerRecord* record);
    void Wait(uint32_t ms);

    QueryContext& context;
    const QueryPacing pacing;
    const uint32_t socketIndex;

    // Guards the queues, both maps, every record's fields, pauseUntil and burstCount.
    // Never held across a window message, a wait or a call into the favourites.
    std::recursive_mutex lock;
    ServerQueue mainQueue;
    std::deque<ServerAddress> probeQueue;
    std::map<ServerAddress, ServerRecord> records; // nodes never move: windows keep pointers
    std::map<ServerAddress, uint32_t> probeTags;
    uint64_t pauseUntil = 0;
    uint32_t burstCount = 0;
    bool shuttingDown = false;

    std::atomic<bool> running{false};
    std::atomic<bool> regionFilterOn{true};
    std::atomic<bool> mainQueuePaused{false};
    std::atomic<uint32_t> regionMask{0};
    std::atomic<MessageWindow*> window{nullptr};

    // Wakes the worker out of its waits when it is stopped.
    std::mutex waitLock;
    std::condition_variable wake;
    std::thread thread;
};

} // namespace Portico
