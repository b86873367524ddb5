// Replies that are due later: one timer thread sends each when its delay has passed, in order
// of due time (and of pushing for equal times).
#pragma once

#include "SimBytes.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

namespace Portico {

class ReplySink {
public:
    virtual void SendReply(const SimBytes& bytes, uint32_t ip, uint16_t port) = 0;

protected:
    ~ReplySink() = default;
};

class ReplyQueue {
public:
    // Replies held at most; more are dropped, so a flood cannot grow the queue without bound.
    static constexpr size_t kMaxPending = 65536;

    ReplyQueue() = default;
    ~ReplyQueue() { Stop(); }
    ReplyQueue(const ReplyQueue&) = delete;
    ReplyQueue& operator=(const ReplyQueue&) = delete;

    bool Start();
    // Ends the timer thread and drops what is pending; returns at once when not started. Sinks
    // must outlive the queue's running time.
    void Stop();
    // False when the queue is not running or full.
    bool Push(ReplySink* sink, SimBytes bytes, uint32_t ip, uint16_t port, uint32_t delayMs);
    size_t Pending();

private:
    using Clock = std::chrono::steady_clock;
    struct Item {
        Clock::time_point due;
        uint64_t sequence;
        ReplySink* sink;
        SimBytes bytes;
        uint32_t ip;
        uint16_t port;
    };
    struct Later {
        bool operator()(const Item& a, const Item& b) const {
            return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
        }
    };

    void Run();

    std::recursive_mutex lock; // guards items, sequence and running
    std::condition_variable_any wake;
    std::priority_queue<Item, std::vector<Item>, Later> items;
    uint64_t sequence = 0;
    bool running = false;
    std::thread thread; // started and joined only by the controlling thread
};

} // namespace Portico
