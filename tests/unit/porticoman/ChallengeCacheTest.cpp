#include "ChallengeCache.h"

#include <gtest/gtest.h>

using namespace Portico;

namespace {

const uint64_t kServer = ChallengeCache::Key(0x7F000001, 27015);
constexpr uint64_t kWindow = ChallengeCache::kExchangeWindowMs;

} // namespace

TEST(ChallengeCache, AChallengeToTheInfoQueryIsRepeatedOnce) {
    ChallengeCache cache;
    uint32_t challenge = 0;
    EXPECT_FALSE(cache.TakePendingInfo(kServer, challenge, 100));
    EXPECT_TRUE(cache.OnChallenge(kServer, 0x1234, 100));
    EXPECT_TRUE(cache.TakePendingInfo(kServer, challenge, 101));
    EXPECT_EQ(challenge, 0x1234u);
    EXPECT_FALSE(cache.TakePendingInfo(kServer, challenge, 102));
    // The remembered challenge serves the players request later.
    EXPECT_EQ(cache.AskPlayers(kServer, 200), 0x1234u);
}

TEST(ChallengeCache, AChallengeToThePlayersRequestRepeatsThePlayersRequest) {
    ChallengeCache cache;
    EXPECT_EQ(cache.AskPlayers(kServer, 100), ChallengeCache::kNoChallenge);
    EXPECT_TRUE(cache.OnChallenge(kServer, 77, 110));
    uint32_t challenge;
    EXPECT_FALSE(cache.TakePendingInfo(kServer, challenge, 111));
    EXPECT_EQ(cache.AskPlayers(kServer, 111), 77u);
    EXPECT_TRUE(cache.OnPlayersAnswer(kServer, 120));
    // An answered players request no longer claims a challenge: it is the next info's.
    EXPECT_TRUE(cache.OnChallenge(kServer, 78, 130));
    EXPECT_TRUE(cache.TakePendingInfo(kServer, challenge, 131));
    // Nor does one asked long ago.
    cache.AskPlayers(kServer, 200);
    EXPECT_TRUE(cache.OnChallenge(kServer, 79, 201 + kWindow));
    EXPECT_TRUE(cache.TakePendingInfo(kServer, challenge, 202 + kWindow));
}

TEST(ChallengeCache, RepeatsAreCappedWithinTheWindowAndResetByAnAnswer) {
    ChallengeCache cache;
    for (uint32_t i = 0; i < ChallengeCache::kMaxRepeats; ++i)
        EXPECT_TRUE(cache.OnChallenge(kServer, i, 1000 + i));
    EXPECT_FALSE(cache.OnChallenge(kServer, 9, 1010));
    uint32_t challenge;
    EXPECT_FALSE(cache.TakePendingInfo(kServer, challenge, 1011)); // nothing left to repeat
    EXPECT_TRUE(cache.OnChallenge(kServer, 9, 1010 + kWindow + 1));

    cache.OnInfoAnswer(kServer, 1010 + kWindow + 2);
    for (uint32_t i = 0; i < ChallengeCache::kMaxRepeats; ++i)
        EXPECT_TRUE(cache.OnChallenge(kServer, i, 1010 + kWindow + 3));
}

TEST(ChallengeCache, PlayerAnswersCountOnlyWhenAskedLately) {
    ChallengeCache cache;
    EXPECT_FALSE(cache.OnPlayersAnswer(kServer, 100));
    cache.AskPlayers(kServer, 100);
    EXPECT_TRUE(cache.OnPlayersAnswer(kServer, 100 + kWindow));
    EXPECT_FALSE(cache.OnPlayersAnswer(kServer, 100 + kWindow)); // one list per request
    cache.AskPlayers(kServer, 200);
    EXPECT_FALSE(cache.OnPlayersAnswer(kServer, 201 + kWindow));
}

TEST(ChallengeCache, PendingInfoAndEntriesExpire) {
    ChallengeCache cache;
    uint32_t challenge;
    EXPECT_TRUE(cache.OnChallenge(kServer, 5, 100));
    EXPECT_FALSE(cache.TakePendingInfo(kServer, challenge, 101 + kWindow));
    EXPECT_EQ(cache.AskPlayers(kServer, 200 + kWindow), 5u);
    EXPECT_EQ(cache.AskPlayers(kServer, 201 + kWindow + ChallengeCache::kEntryLifetimeMs),
              ChallengeCache::kNoChallenge);
}

TEST(ChallengeCache, TheLeastRecentlyUsedServerMakesRoom) {
    ChallengeCache cache;
    for (uint32_t i = 0; i <= ChallengeCache::kMaxEntries; ++i) {
        cache.OnChallenge(ChallengeCache::Key(i, 1), i, 100);
        if (i == 10)
            cache.AskPlayers(ChallengeCache::Key(0, 1), 100); // server 0 used again
    }
    EXPECT_EQ(cache.Size(), ChallengeCache::kMaxEntries);
    EXPECT_EQ(cache.AskPlayers(ChallengeCache::Key(0, 1), 101), 0u);
    EXPECT_EQ(cache.AskPlayers(ChallengeCache::Key(1, 1), 101), ChallengeCache::kNoChallenge);
}
