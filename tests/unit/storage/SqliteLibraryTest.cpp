#include "storage/SqliteLibrary.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Utils::SqliteLibrary;

TEST(SqliteLibrary, ConcurrentBindsAgree) {
    SqliteLibrary library(SqliteLibrary::kDefaultName);
    constexpr int kThreads = 4;
    std::vector<const Utils::SqliteApi*> seen(kThreads, nullptr);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&library, &seen, i] {
            if (library.Bind())
                seen[static_cast<size_t>(i)] = library.Api();
        });
    for (auto& thread : threads)
        thread.join();
    ASSERT_NE(seen[0], nullptr);
    for (const auto* api : seen)
        EXPECT_EQ(api, seen[0]);
    EXPECT_TRUE(seen[0]->CanQuery());
}
