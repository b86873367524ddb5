#include "WindowThread.h"

namespace Trials {

void WindowThread::Start(std::function<void()> body) {
    thread = std::thread([this, body = std::move(body)] {
        id = std::this_thread::get_id();
        body();
    });
}

void WindowThread::Join() {
    if (thread.joinable())
        thread.join();
}

intptr_t WindowThread::Deliver(const std::function<intptr_t()>& handler) {
    if (OnThread())
        return handler();
    Pending pending{&handler, 0, false};
    std::unique_lock<std::mutex> guard(lock);
    queue.push_back(&pending);
    arrived.notify_one();
    handled.wait(guard, [&] { return pending.done; });
    return pending.result;
}

void WindowThread::Pump(std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> guard(lock);
    arrived.wait_for(guard, wait, [this] { return !queue.empty(); });
    while (!queue.empty()) {
        Pending* pending = queue.front();
        queue.pop_front();
        guard.unlock();
        const intptr_t result = (*pending->handler)();
        guard.lock();
        pending->result = result;
        pending->done = true;
        handled.notify_all();
    }
}

} // namespace Trials
