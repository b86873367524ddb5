// Waiting in tests for what another thread does: a liveness bound, never a timing assertion.
#pragma once

#include <chrono>
#include <thread>

namespace TestSupport {

// Bound of every wait: a hung test fails instead of hanging, and slow runs under sanitizers
// or Wine still pass.
constexpr std::chrono::seconds kPatience{20};

// True when cond() holds within kPatience, polled.
template <typename Condition> bool Eventually(Condition cond) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!cond()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace TestSupport
