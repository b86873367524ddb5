// A window as SendMessageW makes it: a send from the thread that owns the window runs at
// once; a send from another thread waits until the owner handles it in Pump.
#pragma once

#include "Eventually.h"
#include "common/MessageWindow.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Portico::Test {

class WindowThread : public MessageWindow {
public:
    using Handler = std::function<intptr_t(uint32_t, uintptr_t, intptr_t)>;

    // The calling thread owns the window.
    WindowThread() : owner(std::this_thread::get_id()) {}

    void SetHandler(Handler handle) { handler = std::move(handle); }

    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        if (std::this_thread::get_id() == owner)
            return handler ? handler(message, wParam, lParam) : 0;
        Pending pending{message, wParam, lParam};
        std::unique_lock<std::mutex> guard(lock);
        queue.push_back(&pending);
        changed.notify_all();
        changed.wait(guard, [&] { return pending.done; });
        return pending.result;
    }

    // Handles the messages waiting when it is called; one sent meanwhile waits for the next
    // Pump. The count handled.
    size_t Pump() {
        size_t waiting = 0;
        {
            std::lock_guard<std::mutex> guard(lock);
            waiting = queue.size();
        }
        size_t handled = 0;
        for (; handled < waiting; ++handled) {
            Pending* next = nullptr;
            {
                std::lock_guard<std::mutex> guard(lock);
                next = queue.front();
                queue.pop_front();
            }
            const intptr_t result =
                handler ? handler(next->message, next->wParam, next->lParam) : 0;
            std::lock_guard<std::mutex> guard(lock);
            next->result = result;
            next->done = true;
            changed.notify_all();
        }
        return handled;
    }

    // True when a message from another thread waits, within the tests' patience.
    bool AwaitMessage() {
        return TestSupport::Eventually([this] {
            std::lock_guard<std::mutex> guard(lock);
            return !queue.empty();
        });
    }

private:
    struct Pending {
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
        intptr_t result = 0;
        bool done = false;
    };

    const std::thread::id owner;
    Handler handler;
    std::mutex lock; // guards queue and every Pending's result and done
    std::condition_variable changed;
    std::deque<Pending*> queue;
};

} // namespace Portico::Test
