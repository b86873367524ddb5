#include "storage/SqliteLibrary.h"
#include "storage/DatabaseSqlite.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Utils::DatabaseSqlite;
using Utils::SqliteLibrary;

TEST(SqliteLibrary, AbsentLibraryMakesEveryOperationFail) {
    SqliteLibrary absent("portico-no-such-sqlite-library");
    EXPECT_FALSE(absent.Bind());
    EXPECT_EQ(absent.Api(), nullptr);

    DatabaseSqlite db(absent);
    EXPECT_FALSE(db.Open(":memory:"));
    EXPECT_FALSE(db.Exec("CREATE TABLE t (k)"));
    EXPECT_EQ(db.Query("SELECT 1"), nullptr);
    db.Close();
    db.Close();
    EXPECT_FALSE(absent.Bind()); // tried again, still absent
}

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
