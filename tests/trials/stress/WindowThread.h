// The host's window thread as the core meets it: windows live on it, and a message sent from
// any other thread waits until this thread has handled it, as SendMessageW does. Sent from
// this thread, a message is handled at once.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Trials {

class WindowThread {
public:
    WindowThread() = default;
    ~WindowThread() { Join(); }
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    // Runs body on the window thread; body calls Pump between its own steps.
    void Start(std::function<void()> body);
    void Join();
    bool OnThread() const { return std::this_thread::get_id() == id.load(); }

    // Runs handler on the window thread and returns its result once it has run. Nobody may
    // send once the window thread's body has ended.
    intptr_t Deliver(const std::function<intptr_t()>& handler);
    // Window thread only: handles every message waiting, after waiting up to wait for one.
    void Pump(std::chrono::milliseconds wait);

private:
    struct Pending {
        const std::function<intptr_t()>* handler;
        intptr_t result;
        bool done;
    };

    std::mutex lock; // guards queue and every Pending's result and done
    std::condition_variable arrived;
    std::condition_variable handled;
    std::deque<Pending*> queue;
    std::atomic<std::thread::id> id{};
    std::thread thread;
};

} // namespace Trials
