#include "core/PluginState.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

TEST(UserLevel, OnlyOneToNineAndHundredAllowTheConsole) {
    EXPECT_FALSE(UserLevelAllowsRcon(0));
    EXPECT_TRUE(UserLevelAllowsRcon(1));
    EXPECT_TRUE(UserLevelAllowsRcon(9));
    EXPECT_FALSE(UserLevelAllowsRcon(10));
    EXPECT_FALSE(UserLevelAllowsRcon(99));
    EXPECT_TRUE(UserLevelAllowsRcon(100));
    EXPECT_FALSE(UserLevelAllowsRcon(101));
    EXPECT_FALSE(UserLevelAllowsRcon(-1));
}

TEST(UserLevel, PermissionIsNeverCleared) {
    PluginState state;
    state.ApplyUserLevel(10);
    EXPECT_FALSE(state.RconAllowed());
    state.ApplyUserLevel(9);
    EXPECT_TRUE(state.RconAllowed());
    state.ApplyUserLevel(0);
    EXPECT_TRUE(state.RconAllowed());
}

TEST(Catalogue, ItemIdsFollowInsertionAndLookupsAreBounded) {
    PluginState state;
    int icon = 0;
    EXPECT_EQ(state.AddGame(1003, u"Alpha", &icon), 1u);
    EXPECT_EQ(state.AddGame(1028, u"Beta", nullptr), 2u);
    EXPECT_EQ(state.GameCount(), 2u);
    EXPECT_EQ(state.GameIdAt(1), 1003u);
    EXPECT_EQ(state.NameAt(2), u"Beta");
    EXPECT_EQ(state.IconAt(1), &icon);
    EXPECT_EQ(state.GameIdAt(0), 0u);
    EXPECT_EQ(state.GameIdAt(3), 0u);
    EXPECT_TRUE(state.NameAt(3).empty());
    EXPECT_EQ(state.IconAt(0), nullptr);
    EXPECT_EQ(state.FindItem(1028), 2u);
    EXPECT_EQ(state.FindItem(1005), 0u);
}

TEST(Catalogue, ResetStartsAgainWithoutDoubling) {
    PluginState state;
    state.AddGame(1003, u"Alpha", nullptr);
    state.AddGame(1028, u"Beta", nullptr);
    state.ResetCatalogue();
    EXPECT_EQ(state.GameCount(), 0u);
    EXPECT_EQ(state.FindItem(1003), 0u);
    EXPECT_EQ(state.AddGame(1005, u"Gamma", nullptr), 1u);
    EXPECT_EQ(state.GameCount(), 1u);
    EXPECT_EQ(state.GameIdAt(1), 1005u);
}

TEST(Catalogue, HoldsAtMostThirtyOneGames) {
    PluginState state;
    for (uint32_t i = 1; i <= PluginState::kMaxGames; ++i)
        EXPECT_EQ(state.AddGame(2000 + i, u"g", nullptr), i);
    EXPECT_EQ(state.AddGame(9999, u"late", nullptr), 0u);
    EXPECT_EQ(state.GameCount(), 31u);
    EXPECT_EQ(state.GameIdAt(31), 2031u);
    EXPECT_EQ(state.FindItem(9999), 0u);
}

TEST(Catalogue, FirstMatchingItemWins) {
    PluginState state;
    state.AddGame(7, u"first", nullptr);
    state.AddGame(7, u"second", nullptr);
    EXPECT_EQ(state.FindItem(7), 1u);
}

TEST(Texts, ReplaceByIdAndMissingIsEmpty) {
    PluginState state;
    state.SetText(1, u"Portico");
    state.SetText(0x10001, u"Wrapped"); // only the low 16 bits are the key
    EXPECT_EQ(state.Text(1), u"Wrapped");
    EXPECT_TRUE(state.Text(2).empty());
    EXPECT_EQ(state.Texts().size(), 1u);
}

TEST(Country, CodeIsFirstLetterHigh) {
    PluginState state;
    state.country[0] = 'D';
    state.country[1] = 'E';
    EXPECT_EQ(state.CountryCode(), 'D' * 256 + 'E');
}

} // namespace
} // namespace Portico
