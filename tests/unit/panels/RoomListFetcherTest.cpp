#include "GatedSource.h"
#include "WindowThread.h"

#include "common/Messages.h"
#include "panels/RoomListFetcher.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

std::vector<ServerAddress> Servers(size_t count, uint16_t firstPort) {
    std::vector<ServerAddress> list;
    for (size_t i = 0; i < count; ++i)
        list.push_back(ServerAddress{0x7F000001, uint16_t(firstPort + i), 0});
    return list;
}

// What the window made of each list that reached it: its first port and whether it was
// wanted then.
struct Delivery {
    size_t count;
    uint16_t firstPort;
    bool wanted;
};

class RoomListFetcherTest : public ::testing::Test {
protected:
    RoomListFetcherTest() {
        window.SetHandler([this](uint32_t message, uintptr_t count, intptr_t list) {
            if (message == kMsgRoomServers)
                deliveries.push_back({size_t(count),
                                      reinterpret_cast<const ServerAddress*>(list)->port,
                                      fetcher.Wanted()});
            return intptr_t(0);
        });
    }
    ~RoomListFetcherTest() override {
        fetcher.Stop([this] { window.Pump(); });
    }

    GatedSource source;
    WindowThread window;
    RoomListFetcher fetcher{source, window};
    std::vector<Delivery> deliveries;
};

TEST_F(RoomListFetcherTest, TheLatestRequestWinsOverAFetchStillUnderWay) {
    source.Plan(Servers(3, 100), true);
    source.Plan(Servers(2, 200));
    fetcher.Request();
    ASSERT_TRUE(source.AwaitStarted(1));
    fetcher.Request(); // the user went on to another room
    source.Open(0);
    ASSERT_TRUE(window.AwaitMessage());
    window.Pump();
    fetcher.Stop([this] { window.Pump(); });
    // The first room's list never reached the window; the second's did, once, and wanted.
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].count, 2u);
    EXPECT_EQ(deliveries[0].firstPort, 200);
    EXPECT_TRUE(deliveries[0].wanted);
}

TEST_F(RoomListFetcherTest, AListWaitingForTheWindowIsUnwantedAfterALaterRequestOrACancel) {
    source.Plan(Servers(1, 100));
    source.Plan(Servers(1, 200));
    source.Plan(Servers(1, 300));
    fetcher.Request();
    ASSERT_TRUE(window.AwaitMessage()); // sent, not yet handled
    fetcher.Request();
    window.Pump();
    ASSERT_TRUE(window.AwaitMessage());
    fetcher.Cancel(); // the room was left while its list was on its way
    window.Pump();
    fetcher.Request();
    ASSERT_TRUE(window.AwaitMessage());
    window.Pump();
    ASSERT_EQ(deliveries.size(), 3u);
    EXPECT_FALSE(deliveries[0].wanted);
    EXPECT_EQ(deliveries[1].firstPort, 200);
    EXPECT_FALSE(deliveries[1].wanted);
    EXPECT_EQ(deliveries[2].firstPort, 300);
    EXPECT_TRUE(deliveries[2].wanted);
}

TEST_F(RoomListFetcherTest, AnEmptyListSendsNothingAndNothingIsFetchedAfterStop) {
    source.Plan({});
    fetcher.Request();
    ASSERT_TRUE(source.AwaitStarted(1));
    fetcher.Stop([this] { window.Pump(); });
    fetcher.Request();
    EXPECT_TRUE(deliveries.empty());
    EXPECT_FALSE(fetcher.Wanted());
}

TEST_F(RoomListFetcherTest, StopLetsAListOnItsWayThroughTheWindow) {
    source.Plan(Servers(4, 100));
    fetcher.Request();
    ASSERT_TRUE(window.AwaitMessage());
    // Without the pump the worker would wait for the window forever, and Stop for the worker.
    fetcher.Stop([this] { window.Pump(); });
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].count, 4u);
}

} // namespace
