#include "query/ServerQueue.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using Portico::ServerAddress;
using Portico::ServerQueue;

TEST(ServerQueue, MatchesAPlainListUnderRandomInsertsAndPops) {
    ServerQueue queue;
    std::vector<ServerAddress> model;
    std::mt19937 random(7);
    for (uint32_t i = 0; i < 20000; ++i) {
        if (random() % 4 == 0 && !model.empty()) {
            ASSERT_EQ(queue.PopFront(), model.front());
            model.erase(model.begin());
        } else {
            const uint32_t position = random() % (model.size() + 1);
            const ServerAddress address{i, uint16_t(i), 1};
            queue.InsertAt(position, address);
            model.insert(model.begin() + position, address);
        }
    }
    ASSERT_EQ(queue.Size(), model.size());
    EXPECT_EQ(queue.Snapshot(), model);
    EXPECT_TRUE(queue.Contains(model.back()));
    EXPECT_FALSE(queue.Contains(ServerAddress{1u << 31, 0, 0}));
    while (!model.empty()) {
        ASSERT_EQ(queue.PopFront(), model.front());
        model.erase(model.begin());
    }
    EXPECT_TRUE(queue.Empty());
}

TEST(ServerQueue, MembershipFollowsPopsAndClear) {
    ServerQueue queue;
    const ServerAddress a{1, 2, 3};
    queue.InsertAt(0, a);
    queue.InsertAt(0, a); // the queue itself allows repeats; the scheduler checks first
    queue.PopFront();
    EXPECT_TRUE(queue.Contains(a));
    queue.Clear();
    EXPECT_FALSE(queue.Contains(a));
    EXPECT_EQ(queue.Size(), 0u);
}
