#include "ThreadSlot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace Portico;

namespace {

std::atomic<int> released{0};

struct Counted {
    ~Counted() { ++released; }
    int uses = 0;
};

} // namespace

TEST(ThreadSlot, EachThreadHasItsOwnObjectReleasedWhenTheThreadEnds) {
    static PerThreadT<Counted> slot; // slots last for the process
    released = 0;
    std::vector<std::thread> threads;
    std::vector<int> uses(8, 0);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([t, &uses] {
            for (int i = 0; i <= t; ++i)
                ++slot.Get().uses;
            uses[t] = slot.Get().uses;
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(released.load(), 8);
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(uses[t], t + 1);
    ++slot.Get().uses;
    EXPECT_EQ(slot.Get().uses, 1);
}
