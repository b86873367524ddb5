// Following the game's server from where its datagrams go.
#include "PlayTracker.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

constexpr PlayServer kCommandLine{0x7F000101u, 27015};
constexpr PlayServer kOther{0x7F000102u, 27016};
constexpr PlayServer kNone{};

// count datagrams to `to`, gapMs apart from startMs; the time after the last.
uint64_t Send(PlayTracker& tracker, PlayServer to, uint32_t count, uint64_t startMs,
              uint64_t gapMs = 50) {
    for (uint32_t i = 0; i < count; ++i)
        tracker.OnSend(to, startMs + i * gapMs);
    return startMs + count * gapMs;
}

constexpr PlayServer kNoChange{0xFFFFFFFFu, 0xFFFF};

// The change TakeChange hands out at nowMs, or kNoChange.
PlayServer Change(PlayTracker& tracker, uint64_t nowMs) {
    PlayServer server;
    return tracker.TakeChange(nowMs, server) ? server : kNoChange;
}

TEST(PlayTrackerTest, TheCommandLinesServerIsReportedOnceAndLeftOnlyAfterTheGameTalkedToIt) {
    PlayTracker tracker(kCommandLine);
    EXPECT_EQ(Change(tracker, 0), kCommandLine);
    EXPECT_EQ(Change(tracker, 1), kNoChange);
    // Never talked to: silence does not leave it.
    EXPECT_EQ(Change(tracker, 10 * PlayTracker::kQuietMs), kNoChange);

    const uint64_t last = Send(tracker, kCommandLine, 3, 100000);
    EXPECT_EQ(Change(tracker, last + PlayTracker::kQuietMs - 100), kNoChange);
    EXPECT_EQ(Change(tracker, last + PlayTracker::kQuietMs + 1), kNone);
    EXPECT_EQ(Change(tracker, last + 3 * PlayTracker::kQuietMs), kNoChange);

    PlayTracker quiet(kNone);
    EXPECT_EQ(Change(quiet, 0), kNoChange);
}

TEST(PlayTrackerTest, SteadyTrafficToAnotherServerTakesOverAndABrowsersFewQueriesDoNot) {
    PlayTracker tracker(kCommandLine);
    Change(tracker, 0);
    // A server browser's queries: a few datagrams to each of many servers.
    uint64_t now = 1000;
    for (uint32_t server = 0; server < 3 * PlayTracker::kTracked; ++server)
        now = Send(tracker, PlayServer{0x7F000200u + server % 40, 27015}, 6, now, 10);
    EXPECT_EQ(Change(tracker, now), kNoChange);

    now = Send(tracker, kOther, PlayTracker::kSteadySends - 1, now);
    EXPECT_EQ(Change(tracker, now), kNoChange);
    tracker.OnSend(kOther, now);
    EXPECT_EQ(Change(tracker, now), kOther);
    // The new server is left by silence like the first.
    EXPECT_EQ(Change(tracker, now + PlayTracker::kQuietMs + 1), kNone);
    // And taken again when the game plays on it again.
    now = Send(tracker, kOther, PlayTracker::kSteadySends, now + 2 * PlayTracker::kQuietMs);
    EXPECT_EQ(Change(tracker, now), kOther);
}

TEST(PlayTrackerTest, AGameTalkingToTwoServersAtOnceStaysOnItsFirstUntilItFallsSilent) {
    PlayTracker tracker(kCommandLine);
    Change(tracker, 0);
    uint64_t now = 0;
    for (uint32_t i = 0; i < 4 * PlayTracker::kSteadySends; ++i) {
        tracker.OnSend(kCommandLine, now);
        tracker.OnSend(kOther, now + 25);
        now += 50;
    }
    EXPECT_EQ(Change(tracker, now), kNoChange);
    // The first server's traffic (last at now - 50) stops; the other's goes on.
    now = Send(tracker, kOther, PlayTracker::kSwitchQuietMs / 50 - 1, now);
    EXPECT_EQ(Change(tracker, now), kNoChange);
    tracker.OnSend(kOther, now);
    EXPECT_EQ(Change(tracker, now), kOther);
}

TEST(PlayTrackerTest, SendsFurtherApartThanAGamesOrToNoServerTakeNothingOver) {
    PlayTracker tracker(kNone);
    const uint64_t slow = PlayTracker::kSteadyGapMs + 1;
    uint64_t now = Send(tracker, kOther, 3 * PlayTracker::kSteadySends, 0, slow);
    EXPECT_EQ(Change(tracker, now), kNoChange);
    const PlayServer noServers[] = {
        {0, 27015}, {0x7F000001u, 0}, {0xFFFFFFFFu, 27015}, {0xE0000001u, 27015}};
    for (const PlayServer& to : noServers)
        now = Send(tracker, to, 2 * PlayTracker::kSteadySends, now, 1);
    EXPECT_EQ(Change(tracker, now), kNoChange);
}

} // namespace
} // namespace Portico
