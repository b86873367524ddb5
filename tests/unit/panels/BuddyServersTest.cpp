#include "BrowserFakes.h"

#include "panels/BuddyServers.h"
#include "panels/OutriderLibrary.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

class FixedSelection : public BuddySelector {
public:
    bool SelectedBuddy(uint32_t& key) override {
        key = selected;
        return known;
    }
    uint32_t selected = 0;
    bool known = true;
};

constexpr ServerAddress kServer{0x7F000105, 27015, 1003};
using Outcome = BuddyServers::JoinOutcome;

class BuddyServersTest : public ::testing::Test {
protected:
    // As the relay reports a buddy on a server: game and name, then the address.
    void OnServer(uint32_t key, const ServerAddress& address, uint8_t needPass = 0) {
        const ProbeAnswer answer{key, address.gameId, needPass};
        EXPECT_TRUE(buddies.NoteGame(&answer));
        buddies.NoteAddress(key, &address);
    }
    Outcome Join(uint32_t key) {
        selection.selected = key;
        return buddies.Join(selection, host);
    }

    BuddyServers buddies;
    FixedSelection selection;
    RecordingHost host;
};

TEST_F(BuddyServersTest, JoiningABuddyLaunchesOntoHisServerAskingForAPasswordWhenNeeded) {
    OnServer(7, kServer);
    OnServer(9, ServerAddress{0x7F000106, 27016, 1005}, 1);
    EXPECT_EQ(Join(7), Outcome::kLaunched);
    EXPECT_EQ(Join(9), Outcome::kCancelled);
    ASSERT_EQ(host.launches.size(), 1u);
    EXPECT_EQ(host.launches[0].address, kServer);
}

TEST_F(BuddyServersTest, ABuddyOnNoServerIsLeftToTheHost) {
    EXPECT_EQ(Join(7), Outcome::kToHost);
    OnServer(7, kServer);
    buddies.NoteNoServer(7);
    EXPECT_EQ(Join(7), Outcome::kToHost);
    EXPECT_EQ(Join(0), Outcome::kToHost); // nobody selected
    EXPECT_TRUE(host.launches.empty());
}

TEST_F(BuddyServersTest, TheServersAnswerReplacesTheRelaysPasswordFlag) {
    OnServer(9, kServer, 0);
    const ProbeAnswer answered{9, kServer.gameId, 1};
    buddies.NoteGame(&answered);
    EXPECT_EQ(Join(9), Outcome::kCancelled);
    // A null answer changes nothing; nor does a null address.
    EXPECT_FALSE(buddies.NoteGame(nullptr));
    buddies.NoteAddress(9, nullptr);
    ServerAddress kept;
    ASSERT_TRUE(buddies.FindServer(9, kept));
    EXPECT_EQ(kept, kServer);
}

TEST_F(BuddyServersTest, WithoutTheSelectionLibraryNothingIsLaunched) {
    OnServer(7, kServer);
    selection.known = false;
    EXPECT_EQ(Join(7), Outcome::kSelectionUnknown);
    EXPECT_TRUE(host.launches.empty());
    // The library itself, missing from its folder: no entry, no selection, no crash.
    OutriderLibrary missing("/nonexistent-folder");
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(buddies.Join(missing, host), Outcome::kSelectionUnknown);
}

} // namespace
