#include "FakeQueryContext.h"

#include "common/Messages.h"
#include "query/QueryScheduler.h"
#include "storage/Favourites.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace Portico;
using namespace Portico::Test;

namespace {

ServerRecord Favourite(uint8_t host, const char* map) {
    ServerRecord record{};
    const ServerAddress address = Address(1, host);
    record.ip = address.ip;
    record.port = address.port;
    record.gameId = address.gameId;
    record.info = Info(map);
    return record;
}

} // namespace

TEST(Favourites, AddRefreshRemoveAndShow) {
    Favourites favourites;
    ServerRecord mine = Favourite(1, "one");
    favourites.AddFavourite(mine);
    EXPECT_EQ(mine.direct, 1); // the caller's record is marked too

    ServerRecord fromList = Favourite(1, "newer");
    favourites.RefreshFavourite(fromList);                 // stored copy takes the reply
    favourites.RefreshFavourite(Favourite(2, "stranger")); // not a favourite: nothing
    favourites.RemoveFavourite(Address(1, 3));             // absent: nothing

    RecordingWindow window;
    favourites.ShowFavourites(window);
    auto messages = window.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, kMsgListRefill);
    const auto* shown = reinterpret_cast<const ServerRecord*>(messages[1].lParam);
    const ServerRecord copy = favourites.CopyRecord(shown);
    EXPECT_STREQ(copy.info.map, "newer");
    EXPECT_EQ(copy.direct, 1); // set again when shown

    favourites.RemoveFavourite(mine.Address());
    RecordingWindow empty;
    favourites.ShowFavourites(empty);
    ASSERT_EQ(empty.Messages().size(), 1u); // an empty list is still emptied
    EXPECT_EQ(empty.Messages()[0].message, kMsgListRefill);
}

TEST(Favourites, QueryHandsEveryFavouriteToTheScheduler) {
    FakeQueryContext context;
    QueryScheduler scheduler(context, 0);
    scheduler.SetQueuePaused(true);
    Favourites favourites;
    ServerRecord a = Favourite(1, "a"), b = Favourite(2, "b");
    b.gameId = 9; // every game's favourites
    favourites.Replace({a, b});
    EXPECT_FALSE(favourites.FavouritesQueried());
    favourites.QueryFavourites(scheduler);
    EXPECT_TRUE(favourites.FavouritesQueried());
    EXPECT_EQ(scheduler.QueuedServers().size(), 2u);
    favourites.Replace({});
    EXPECT_FALSE(favourites.FavouritesQueried());
}

// Re-querying and showing favourites while replies of directly added servers update them:
// the favourites' lock and the scheduler's lock must never wait on each other.
TEST(Favourites, ConcurrentQueryShowAndRepliesDoNotDeadlock) {
    FakeQueryContext context;
    Favourites favourites;
    context.keep = [&](ServerRecord& record) { favourites.AddFavourite(record); };
    QueryScheduler scheduler(context, 0);
    scheduler.SetRegionMask(0xFFFF);
    std::vector<ServerRecord> initial;
    for (uint8_t i = 1; i <= 20; ++i)
        initial.push_back(Favourite(i, "f"));
    favourites.Replace(initial);

    RecordingWindow window;
    std::atomic<int> shownRecords{0};
    window.onMessage = [&](uint32_t message, uintptr_t, intptr_t l) {
        if (message == kMsgServerRecord) {
            // The browser's row handler reads and refreshes while the list is shown.
            favourites.RefreshFavourite(
                favourites.CopyRecord(reinterpret_cast<const ServerRecord*>(l)));
            ++shownRecords;
        }
    };
    std::atomic<bool> stop{false};
    std::thread querying([&] {
        for (int i = 0; i < 200 && !stop; ++i)
            favourites.QueryFavourites(scheduler);
    });
    std::thread showing([&] {
        for (int i = 0; i < 200 && !stop; ++i)
            favourites.ShowFavourites(window);
    });
    std::thread replying([&] {
        for (int i = 0; i < 2000 && !stop; ++i)
            scheduler.HandleResult(Address(1, uint8_t(1 + i % 20)), Info("reply"));
    });
    querying.join();
    showing.join();
    replying.join();
    EXPECT_GT(shownRecords.load(), 0);
    EXPECT_EQ(favourites.Snapshot().size(), 20u);
}
