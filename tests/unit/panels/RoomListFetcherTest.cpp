#include "GatedSource.h"
#include "WindowThread.h"

#include "common/Messages.h"
#include "panels/RoomListFetcher.h"

#include <gtest/gtest.h>

#include <string>

using namespace Portico;
using namespace Portico::Test;

namespace {

std::vector<ServerAddress> Servers(size_t count, uint16_t firstPort) {
    std::vector<ServerAddress> list;
    for (size_t i = 0; i < count; ++i)
        list.push_back(ServerAddress{0x7F000001, uint16_t(firstPort + i), 0});
    return list;
}

// What the window made of each list that reached it: "count@first port", and whether it was
// wanted then.
std::string Delivery(size_t count, uint16_t firstPort, bool wanted) {
    return std::to_string(count) + "@" + std::to_string(firstPort) + (wanted ? " wanted" : "");
}

class RoomListFetcherTest : public ::testing::Test {
protected:
    RoomListFetcherTest() {
        window.SetHandler([this](uint32_t message, uintptr_t count, intptr_t list) {
            if (message == kMsgRoomServers)
                deliveries.push_back(Delivery(
                    count, reinterpret_cast<const ServerAddress*>(list)->port, fetcher.Wanted()));
            return intptr_t(0);
        });
    }
    ~RoomListFetcherTest() override {
        fetcher.Stop([this] { window.Pump(); });
    }

    GatedSource source;
    WindowThread window;
    RoomListFetcher fetcher{source, window};
    std::vector<std::string> deliveries;
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
    EXPECT_EQ(deliveries, (std::vector<std::string>{"2@200 wanted"}));
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
    EXPECT_EQ(deliveries, (std::vector<std::string>{"1@100", "1@200", "1@300 wanted"}));
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
    EXPECT_EQ(deliveries, (std::vector<std::string>{"4@100 wanted"}));
}

} // namespace
