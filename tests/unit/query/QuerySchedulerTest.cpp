#include "FakeQueryContext.h"

#include "common/Messages.h"
#include "query/Clock.h"
#include "query/QueryScheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>

using namespace Portico;
using namespace Portico::Test;

namespace {

QueryPacing Fast() {
    QueryPacing pacing;
    pacing.listPauseMs = 50;
    pacing.burstPauseMs = 1;
    pacing.idlePollMs = 5;
    pacing.pausePollMs = 2;
    return pacing;
}

class SchedulerTest : public ::testing::Test {
protected:
    FakeQueryContext context;
    RecordingWindow window;
    QueryScheduler scheduler{context, 0, Fast()};

    void SetUp() override {
        scheduler.SetWindow(&window);
        scheduler.SetRegionMask(0xFFFF);
    }
    ServerRecord Record(const ServerAddress& address) {
        ServerRecord record{};
        EXPECT_TRUE(scheduler.FindRecord(address, record));
        return record;
    }
    void Drain() {
        ASSERT_TRUE(Eventually([&] { return scheduler.IsQueueEmpty(); }));
    }
};

} // namespace

TEST_F(SchedulerTest, DuplicatesAndRandomPlacement) {
    scheduler.SetQueuePaused(true);
    scheduler.AddServer(Address(1, 1), true);
    scheduler.AddServer(Address(1, 1), true);
    EXPECT_EQ(scheduler.QueuedServers().size(), 1u);

    // A new address lands anywhere from the front to the back: over many draws into a queue
    // of two, each of the three places is taken.
    std::set<size_t> places;
    for (int i = 0; i < 200 && places.size() < 3; ++i) {
        scheduler.ClearQueue();
        scheduler.AddServer(Address(1, 1), true);
        scheduler.AddServer(Address(1, 2), true);
        const ServerAddress fresh = Address(1, 3);
        scheduler.AddServer(fresh, true);
        auto queued = scheduler.QueuedServers();
        ASSERT_EQ(queued.size(), 3u);
        places.insert(std::find(queued.begin(), queued.end(), fresh) - queued.begin());
    }
    EXPECT_EQ(places.size(), 3u);
}

TEST_F(SchedulerTest, ListPauseIsCancelledByADirectServer) {
    QueryScheduler slow(context, 0, [] {
        QueryPacing pacing = Fast();
        pacing.listPauseMs = 60000;
        return pacing;
    }());
    slow.SetRegionMask(0xFFFF);
    slow.AddServer(Address(1, 1), true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(context.SentCount(), 0u); // still within the list pause
    ServerRecord record{};
    EXPECT_FALSE(slow.FindRecord(Address(1, 1), record)); // list servers wait for their query
    slow.AddServer(Address(1, 2), false);
    EXPECT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
}

TEST_F(SchedulerTest, DirectServerIsShownAtOnceAndMarkedDirect) {
    scheduler.SetQueuePaused(true);
    scheduler.AddServer(Address(3, 7), false);
    ASSERT_EQ(window.Count(kMsgServerRecord), 1u);
    const auto* shown = reinterpret_cast<const ServerRecord*>(window.Messages()[0].lParam);
    const ServerRecord record = scheduler.CopyRecord(shown);
    EXPECT_EQ(record.direct, 1);
    EXPECT_EQ(record.status, kStatusMade);
    EXPECT_EQ(record.time, 0u);
}

TEST_F(SchedulerTest, RegionAndCountryFilters) {
    // Mask 0 with the filter on: the main queue sends nothing, probes still go out.
    scheduler.SetRegionMask(0);
    scheduler.AddServer(Address(1, 1), false);
    Drain();
    scheduler.ProbeServer(Address(2, 1), 5);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 1; }));
    EXPECT_EQ(context.Sent()[0].ip, Address(2, 1).ip);

    // 0xFFFF: regions 1 to 16 pass, region 0 does not.
    scheduler.SetRegionMask(0xFFFF);
    scheduler.AddServer(Address(0, 9), false);
    scheduler.AddServer(Address(16, 9), false);
    Drain();
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
    EXPECT_EQ(context.Sent()[1].ip, Address(16, 9).ip);

    // A country in the upper half wins even with the filter off.
    scheduler.SetRegionFilterOn(false);
    scheduler.SetRegionMask(uint32_t(('C' << 8) | ('A' + 4)) << 16);
    scheduler.AddServer(Address(5, 1), false);
    scheduler.AddServer(Address(4, 1), false);
    Drain();
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 3; }));
    EXPECT_EQ(context.Sent()[2].ip, Address(4, 1).ip);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(context.SentCount(), 3u);
    ServerRecord record{};
    ASSERT_TRUE(scheduler.FindRecord(Address(4, 1), record));
    EXPECT_EQ(record.regionMatched, 0); // sent with the region filter off
}

TEST_F(SchedulerTest, FastReplyMeasuresFromTheSendingTime) {
    // The reply is handled while the query is still being sent.
    const ServerAddress server = Address(1, 1);
    context.onSend = [&](uint32_t, uint16_t) { scheduler.HandleResult(server, Info("de_dust")); };
    scheduler.AddServer(server, false);
    ASSERT_TRUE(Eventually([&] { return Record(server).status == kStatusReplied; }));
    Drain();
    const ServerRecord record = Record(server);
    EXPECT_EQ(record.status, kStatusReplied);
    EXPECT_GE(record.time, 1u);
    EXPECT_LT(record.time, 1000u); // a round trip, never the uptime
    EXPECT_STREQ(record.info.map, "de_dust");
}

TEST_F(SchedulerTest, SecondReplyUpdatesInfoNotTime) {
    const ServerAddress server = Address(1, 1);
    scheduler.AddServer(server, false);
    ASSERT_TRUE(Eventually([&] { return Record(server).status == kStatusSent; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    scheduler.HandleResult(server, Info("first"));
    const uint64_t measured = Record(server).time;
    EXPECT_GE(measured, 20u);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    scheduler.HandleResult(server, Info("second"));
    EXPECT_EQ(Record(server).time, measured);
    EXPECT_STREQ(Record(server).info.map, "second");
    // A reply for an unknown server is ignored.
    scheduler.HandleResult(Address(1, 99), Info("x"));
    ServerRecord none{};
    EXPECT_FALSE(scheduler.FindRecord(Address(1, 99), none));
}

TEST_F(SchedulerTest, UnansweredServerIsNotAskedAgainWithinTheGuard) {
    const ServerAddress server = Address(1, 1);
    scheduler.AddServer(server, false);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 1; }));
    scheduler.AddServer(server, false);
    Drain();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(context.SentCount(), 1u);
    // Once it answered it may be asked again at once.
    scheduler.HandleResult(server, Info("m"));
    scheduler.AddServer(server, false);
    EXPECT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
    EXPECT_TRUE(Eventually([&] { return Record(server).status == kStatusSent; }));
}

TEST_F(SchedulerTest, GameWithoutProtocolIsMarkedSent) {
    const ServerAddress server = Address(1, 1, 27015, 0); // the fake has no game 0
    scheduler.AddServer(server, false);
    ASSERT_TRUE(Eventually([&] { return Record(server).status == kStatusSent; }));
    EXPECT_EQ(context.SentCount(), 0u);
}

TEST_F(SchedulerTest, RefillReplaysAnsweredRegionMatchedRecords) {
    scheduler.AddServer(Address(1, 1), false);
    scheduler.AddServer(Address(1, 2), false);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
    scheduler.HandleResult(Address(1, 1), Info("a"));
    scheduler.SetRegionFilterOn(false);
    scheduler.ProbeServer(Address(1, 3), 0); // probes are sent without the region mark
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 3; }));
    scheduler.HandleResult(Address(1, 3), Info("c"));

    RecordingWindow refill;
    scheduler.SetWindow(&refill);
    scheduler.Refill();
    auto messages = refill.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, kMsgListRefill);
    EXPECT_EQ(messages[1].message, kMsgServerRecord);
    EXPECT_EQ(reinterpret_cast<const ServerRecord*>(messages[1].lParam)->ip, Address(1, 1).ip);
}

TEST_F(SchedulerTest, ProbeAnswersAndTags) {
    RecordingWindow buddies;
    context.probeWindow = &buddies;
    std::u16string answeredName;
    ProbeAnswer answered{};
    buddies.onMessage = [&](uint32_t, uintptr_t w, intptr_t l) {
        answered = *reinterpret_cast<const ProbeAnswer*>(w);
        answeredName = reinterpret_cast<const char16_t*>(l);
    };
    scheduler.ProbeServer(Address(1, 1), 77);
    scheduler.ProbeServer(Address(1, 2), 0);
    scheduler.ProbeServer(Address(1, 3), 78);
    scheduler.CancelProbe(78);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 3; }));

    ServerInfo info = Info("m");
    info.needPass = 5;
    info.name[1] = u'x';
    scheduler.HandleResult(Address(1, 1), info);
    ASSERT_EQ(buddies.Count(kMsgBuddyGame), 1u);
    EXPECT_EQ(answered.tag, 77u);
    EXPECT_EQ(answered.gameId, 1u);
    EXPECT_EQ(answered.needPass, 1);
    EXPECT_EQ(answeredName, u"Sx");
    scheduler.HandleResult(Address(1, 1), info); // the tag is used once
    scheduler.HandleResult(Address(1, 2), info); // tag 0: no answer, record still updated
    scheduler.HandleResult(Address(1, 3), info); // cancelled
    EXPECT_EQ(buddies.Count(kMsgBuddyGame), 1u);
    EXPECT_EQ(Record(Address(1, 2)).status, kStatusReplied);
}

TEST_F(SchedulerTest, DirectRepliesAreKeptAsFavourites) {
    std::vector<ServerRecord> kept;
    context.keep = [&](ServerRecord& record) { kept.push_back(record); };
    scheduler.AddServer(Address(1, 1), false);
    scheduler.AddServer(Address(1, 2), true);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
    scheduler.HandleResult(Address(1, 1), Info("direct"));
    scheduler.HandleResult(Address(1, 2), Info("listed"));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_STREQ(kept[0].info.map, "direct");
}

TEST_F(SchedulerTest, BurstsAndClearAll) {
    for (uint8_t i = 1; i <= 40; ++i)
        scheduler.AddServer(Address(1, i), true);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 40; }));
    std::set<uint32_t> ips;
    for (const SentDatagram& d : context.Sent()) {
        ips.insert(d.ip);
        EXPECT_EQ(d.bytes, std::vector<unsigned char>{'Q'});
        EXPECT_EQ(d.socketIndex, 0u);
    }
    EXPECT_EQ(ips.size(), 40u);
    scheduler.ClearAll();
    ServerRecord record{};
    EXPECT_FALSE(scheduler.FindRecord(Address(1, 1), record));
}

TEST(SchedulerLifecycle, StopReturnsAndStartsAgain) {
    FakeQueryContext context;
    QueryScheduler scheduler(context, 1); // the plug-in's pacing
    scheduler.SetRegionMask(0xFFFF);
    scheduler.AddServer(Address(1, 1), false);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 1; }));
    EXPECT_EQ(context.Sent()[0].socketIndex, 1u);
    scheduler.Stop(); // wakes the idle worker out of its poll
    scheduler.AddServer(Address(1, 2), false);
    EXPECT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
}

TEST_F(SchedulerTest, TheMainQueueIsBounded) {
    QueryPacing pacing = Fast();
    pacing.maxQueued = 3;
    QueryScheduler small(context, 0, pacing);
    small.SetQueuePaused(true);
    for (uint8_t i = 1; i <= 5; ++i)
        small.AddServer(Address(1, i), true);
    EXPECT_EQ(small.QueuedServers().size(), 3u);
    EXPECT_EQ(small.DroppedAdds(), 2u);
}

TEST_F(SchedulerTest, ARecordInFlightOutlivesClearAll) {
    scheduler.SetQueuePaused(true);
    scheduler.AddServer(Address(1, 1), false);
    std::string seenMap;
    window.onMessage = [&](uint32_t message, uintptr_t, intptr_t l) {
        if (message != kMsgServerRecord)
            return;
        EXPECT_TRUE(scheduler.SendsInFlight());
        // The window's rows were deleted and the records freed while the sender waits.
        scheduler.ClearAll();
        seenMap = reinterpret_cast<const ServerRecord*>(l)->info.map;
    };
    scheduler.HandleResult(Address(1, 1), Info("kept"));
    EXPECT_EQ(seenMap, "kept");
    EXPECT_FALSE(scheduler.SendsInFlight());
    window.onMessage = nullptr;
    scheduler.ClearAll(); // nothing in flight: the kept records go now

    // Detached windows hear nothing more.
    scheduler.DetachWindows();
    scheduler.AddServer(Address(1, 2), false);
    scheduler.Refill();
    EXPECT_EQ(window.Count(kMsgServerRecord), 2u);
}

TEST(SchedulerLifecycle, StopWinsOverAConcurrentAdd) {
    FakeQueryContext context;
    QueryScheduler scheduler(context, 0, Fast());
    std::atomic<bool> adding{true};
    std::thread receiver([&] {
        for (uint16_t i = 0; adding && i < 20000; ++i)
            scheduler.AddServer(Address(1, 1, i), true);
    });
    for (int i = 0; i < 50; ++i)
        scheduler.Stop(); // returns although adds keep restarting the worker
    adding = false;
    receiver.join();
}

TEST(InFlightSet, AnAwaitedRequestHoldsItsPlaceUntilAnsweredOrOld) {
    InFlightSet set(100);
    set.Add(Address(1, 1), 1000);
    set.Add(Address(1, 2), 1010);
    set.Add(Address(1, 3), 1020);
    set.Remove(Address(1, 2));
    EXPECT_EQ(set.Count(1050), 2u);
    // A second request to 1.1 restarts its time: the first send's expiry leaves it in.
    set.Add(Address(1, 1), 1090);
    EXPECT_EQ(set.Count(1100), 2u);
    EXPECT_EQ(set.Count(1120), 1u);
    EXPECT_EQ(set.Count(1190), 0u);
}

TEST_F(SchedulerTest, InFlightCapHoldsTheQueueUntilAnAnswer) {
    QueryPacing pacing = Fast();
    pacing.maxInFlight = 2;
    pacing.inFlightMs = 600000; // never expires within the test
    QueryScheduler capped(context, 0, pacing);
    capped.SetRegionMask(0xFFFF);
    for (uint8_t i = 1; i <= 4; ++i)
        capped.AddServer(Address(1, i), true);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
    // The worker keeps looking while the cap holds; nothing more leaves.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(context.SentCount(), 2u);
    // The worker may still hold the address it just sent for a moment.
    ASSERT_TRUE(Eventually([&] { return capped.Tally().queued == 2; }));
    QueryTally tally = capped.Tally();
    EXPECT_EQ(tally.waiting, 2u);
    EXPECT_EQ(tally.answered, 0u);
    EXPECT_NE(tally.lastSentMs, 0u);

    const SentDatagram first = context.Sent()[0];
    capped.HandleResult(ServerAddress{first.ip, first.port, 1}, Info("m"));
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 3; }));
    ASSERT_TRUE(Eventually([&] { return capped.Tally().queued == 1; }));
    tally = capped.Tally();
    EXPECT_EQ(tally.answered, 1u);
    EXPECT_EQ(tally.waiting, 2u);
    const auto unanswered = capped.Unanswered();
    ASSERT_EQ(unanswered.size(), 2u);
    EXPECT_NE(unanswered[0].first, (ServerAddress{first.ip, first.port, 1}));
    EXPECT_NE(unanswered[0].second, 0u);
}
