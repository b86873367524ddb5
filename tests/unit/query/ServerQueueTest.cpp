#include "query/ServerQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

using Portico::ServerAddress;
using Portico::ServerQueue;

// Random inserts, pops and membership tests against a plain list, through growth of the tree
// by several levels, its shrinking back to nothing, and a Clear. Addresses repeat now and then
// (the queue allows it; the scheduler checks first), including the all-ones address.
TEST(ServerQueue, MatchesAPlainListUnderRandomOperations) {
    ServerQueue queue;
    std::vector<ServerAddress> model;
    std::multiset<ServerAddress> members;
    std::mt19937 random(7);
    const auto address = [&](uint32_t i) {
        return i % 97 == 0 ? ServerAddress{~0u, 0xFFFF, 0xFFFF}
                           : ServerAddress{i % 5000, uint16_t(27015 + i % 3), 1};
    };
    const auto popAndCompare = [&] {
        const ServerAddress front = model.front();
        model.erase(model.begin());
        members.erase(members.find(front));
        EXPECT_EQ(queue.PopFront(), front);
    };
    for (uint32_t round = 0; round < 2; ++round) {
        for (uint32_t i = 0; i < 30000; ++i) {
            if (random() % 4 == 0 && !model.empty()) {
                popAndCompare();
            } else {
                // One past the end appends too.
                const uint32_t position = random() % (model.size() + 2);
                queue.InsertAt(position, address(i));
                model.insert(model.begin() + std::min<size_t>(position, model.size()), address(i));
                members.insert(address(i));
            }
            const ServerAddress probe = address(random() % 6000);
            ASSERT_EQ(queue.Contains(probe), members.count(probe) != 0) << i;
        }
        ASSERT_EQ(queue.Size(), model.size());
        ASSERT_EQ(queue.Snapshot(), model);
        if (round == 0) {
            while (!model.empty())
                popAndCompare();
        } else {
            queue.Clear();
            model.clear();
            members.clear();
        }
        EXPECT_TRUE(queue.Empty());
        EXPECT_FALSE(queue.Contains(address(0)));
        EXPECT_FALSE(queue.Contains(address(1)));
    }
}
