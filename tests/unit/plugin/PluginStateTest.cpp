#include "common/PluginState.h"

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

namespace Portico {
namespace {

class ListSource : public CatalogueSource {
public:
    bool opens = true;
    std::vector<CatalogueGame> rows;
    bool ReadGames(std::vector<CatalogueGame>& games) override {
        if (opens)
            games = rows;
        return opens;
    }
};

// Icons are numbered cells; the host's list is recorded.
class RecordingSink : public CatalogueSink {
public:
    int cells[64] = {};
    std::vector<std::pair<std::u16string, uint32_t>> items;
    std::vector<void*> released;
    void* ExtractIcon(int32_t cell) override {
        return cell >= 0 && cell < 64 ? &cells[cell] : nullptr;
    }
    void ReleaseIcon(void* icon) override { released.push_back(icon); }
    void AddCategoryItem(const std::u16string& name, void*, uint32_t itemId) override {
        items.emplace_back(name, itemId);
    }
};

TEST(CatalogueBuild, GamesGetItemIdsInTheirOrder) {
    ListSource source;
    source.rows = {{5, u"Five", 2}, {9, u"Nine", 0}};
    RecordingSink sink;
    PluginState state;
    ASSERT_TRUE(state.BuildCatalogue(source, sink));
    EXPECT_EQ(state.GameCount(), 2u);
    EXPECT_EQ(state.GameIdAt(1), 5u);
    EXPECT_EQ(state.IconAt(1), &sink.cells[2]);
    EXPECT_EQ(state.GameIdAt(2), 9u);
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0], std::make_pair(std::u16string(u"Five"), 1u));
    EXPECT_EQ(sink.items[1], std::make_pair(std::u16string(u"Nine"), 2u));
}

TEST(CatalogueBuild, SecondLoginDoesNotDouble) {
    ListSource source;
    source.rows = {{1003, u"A", 0}, {1028, u"B", 1}, {1005, u"C", 2}};
    RecordingSink sink;
    PluginState state;
    state.BuildCatalogue(source, sink);
    state.BuildCatalogue(source, sink);
    EXPECT_EQ(state.GameCount(), 3u);
    EXPECT_EQ(sink.items.back().second, 3u);
}

TEST(CatalogueBuild, UnreadableSourceKeepsWhatWasThere) {
    ListSource source;
    source.rows = {{1003, u"A", 0}};
    RecordingSink sink;
    PluginState state;
    state.BuildCatalogue(source, sink);
    source.opens = false;
    EXPECT_FALSE(state.BuildCatalogue(source, sink));
    EXPECT_EQ(state.GameCount(), 1u);
    EXPECT_EQ(sink.items.size(), 1u);
}

TEST(CatalogueBuild, EmptyListGivesNoItems) {
    ListSource source;
    RecordingSink sink;
    PluginState state;
    EXPECT_TRUE(state.BuildCatalogue(source, sink));
    EXPECT_EQ(state.GameCount(), 0u);
    EXPECT_TRUE(sink.items.empty());
}

TEST(CatalogueBuild, GamesBeyondThirtyOneAreLeftOutAndTheirIconReleased) {
    ListSource source;
    for (uint32_t i = 0; i < 40; ++i)
        source.rows.push_back({3000 + i, u"g", int32_t(i)});
    RecordingSink sink;
    PluginState state;
    state.BuildCatalogue(source, sink);
    EXPECT_EQ(state.GameCount(), 31u);
    EXPECT_EQ(sink.items.size(), 31u);
    ASSERT_EQ(sink.released.size(), 1u);
    EXPECT_EQ(sink.released[0], &sink.cells[31]);
}

TEST(CatalogueEvents, ClickAtCountSelectsAndBeyondDoesNothing) {
    ListSource source;
    source.rows = {{1003, u"A", 0}, {1028, u"B", 1}};
    RecordingSink sink;
    PluginState state;
    state.BuildCatalogue(source, sink);
    EXPECT_TRUE(state.SelectItem(2));
    EXPECT_EQ(state.currentGame, 1028u);
    EXPECT_FALSE(state.SelectItem(3));
    EXPECT_EQ(state.currentGame, 1028u);
    EXPECT_TRUE(state.SelectItem(0));
    EXPECT_EQ(state.currentGame, 0u);
}

TEST(CatalogueEvents, JoinFindsTheCatalogueEntryOrNone) {
    ListSource source;
    source.rows = {{1028, u"A", 0}, {1005, u"B", 1}, {1003, u"C", 2}};
    RecordingSink sink;
    PluginState state;
    state.BuildCatalogue(source, sink);
    EXPECT_EQ(state.EnterRoom(1003), 3u);
    EXPECT_EQ(state.currentGame, 1003u);
    EXPECT_EQ(state.NameAt(3), u"C");
    EXPECT_EQ(state.EnterRoom(4242), 0u);
    EXPECT_EQ(state.currentGame, 4242u);
}

} // namespace
} // namespace Portico
