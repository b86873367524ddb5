#include "ReplyQueue.h"

#include <system_error>

namespace Portico {

bool ReplyQueue::Start() {
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (running || thread.joinable())
        return false;
    running = true;
    // std::thread reports a failure to start only by an exception; it becomes a result here.
    try {
        thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        running = false;
        return false;
    }
    return true;
}

void ReplyQueue::Stop() {
    {
        std::lock_guard<std::recursive_mutex> guard(lock);
        running = false;
        items = decltype(items)();
        wake.notify_all();
    }
    if (thread.joinable())
        thread.join();
}

bool ReplyQueue::Push(ReplySink* sink, SimBytes bytes, uint32_t ip, uint16_t port,
                      uint32_t delayMs) {
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (!running || items.size() >= kMaxPending)
        return false;
    const Clock::time_point due = Clock::now() + std::chrono::milliseconds(delayMs);
    items.push(Item{due, sequence++, sink, std::move(bytes), ip, port});
    wake.notify_all();
    return true;
}

size_t ReplyQueue::Pending() {
    std::lock_guard<std::recursive_mutex> guard(lock);
    return items.size();
}

// The lock is released while waiting and while sending.
void ReplyQueue::Run() {
    std::unique_lock<std::recursive_mutex> guard(lock);
    while (running) {
        if (items.empty()) {
            wake.wait(guard);
            continue;
        }
        const Clock::time_point due = items.top().due;
        if (Clock::now() < due) {
            wake.wait_until(guard, due);
            continue;
        }
        Item item = items.top();
        items.pop();
        guard.unlock();
        item.sink->SendReply(item.bytes, item.ip, item.port);
        guard.lock();
    }
}

} // namespace Portico
