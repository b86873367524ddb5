#include "common/PluginState.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

TEST(UserLevel, OnlyOneToNineAndHundredAllowTheConsoleAndPermissionIsNeverCleared) {
    for (int level : {0, 10, 99, 101, -1})
        EXPECT_FALSE(UserLevelAllowsRcon(level)) << level;
    for (int level : {1, 9, 100})
        EXPECT_TRUE(UserLevelAllowsRcon(level)) << level;

    PluginState state;
    state.ApplyUserLevel(10);
    EXPECT_FALSE(state.RconAllowed());
    state.ApplyUserLevel(9);
    state.ApplyUserLevel(0);
    EXPECT_TRUE(state.RconAllowed());
}

TEST(PluginState, TheFirstMatchingItemWinsAndLookupsOutOfRangeGiveNothing) {
    PluginState state;
    int icon = 0;
    state.AddGame(1003, u"Alpha", &icon);
    EXPECT_EQ(state.AddGame(1028, u"Beta", nullptr), 2u);
    state.AddGame(1028, u"Again", nullptr);
    EXPECT_EQ(state.NameAt(2), u"Beta");
    EXPECT_EQ(state.FindItem(1028), 2u);
    EXPECT_EQ(state.FindItem(1005), 0u);
    EXPECT_EQ(state.GameIdAt(0), 0u);
    EXPECT_EQ(state.GameIdAt(4), 0u);
    EXPECT_TRUE(state.NameAt(4).empty());
    EXPECT_EQ(state.IconAt(0), nullptr);
}

TEST(PluginState, OnlyTheLow16BitsOfATextIdAreItsKey) {
    PluginState state;
    state.SetText(1, u"Portico");
    state.SetText(0x10001, u"Wrapped");
    EXPECT_EQ(state.Text(1), u"Wrapped");
    EXPECT_TRUE(state.Text(2).empty());
    EXPECT_EQ(state.Texts().size(), 1u);
}

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

class CatalogueTest : public ::testing::Test {
protected:
    bool Build(std::vector<CatalogueGame> rows) {
        source.rows = std::move(rows);
        return state.BuildCatalogue(source, sink);
    }

    ListSource source;
    RecordingSink sink;
    PluginState state;
};

TEST_F(CatalogueTest, GamesGetItemIdsInTheirOrderOnceWhateverTheLogins) {
    using Item = std::pair<std::u16string, uint32_t>;
    ASSERT_TRUE(Build({{5, u"Five", 2}, {9, u"Nine", 0}}));
    EXPECT_EQ(state.GameIdAt(1), 5u);
    EXPECT_EQ(state.IconAt(1), &sink.cells[2]);
    EXPECT_EQ(state.GameIdAt(2), 9u);
    EXPECT_EQ(sink.items, (std::vector<Item>{{u"Five", 1u}, {u"Nine", 2u}}));

    // A second login does not double; an unreadable source keeps what was there.
    ASSERT_TRUE(Build({{1003, u"A", 0}, {1028, u"B", 1}, {1005, u"C", 2}}));
    EXPECT_EQ(state.GameCount(), 3u);
    EXPECT_EQ(sink.items.back(), (Item{u"C", 3u}));
    source.opens = false;
    EXPECT_FALSE(state.BuildCatalogue(source, sink));
    EXPECT_EQ(state.GameCount(), 3u);
    EXPECT_EQ(sink.items.size(), 5u);

    source.opens = true;
    EXPECT_TRUE(Build({}));
    EXPECT_EQ(state.GameCount(), 0u);
    EXPECT_EQ(sink.items.size(), 5u);
}

TEST_F(CatalogueTest, GamesBeyondThirtyOneAreLeftOutAndTheirIconReleased) {
    std::vector<CatalogueGame> rows;
    for (uint32_t i = 0; i < 40; ++i)
        rows.push_back({3000 + i, u"g", int32_t(i)});
    Build(rows);
    EXPECT_EQ(state.GameCount(), 31u);
    EXPECT_EQ(sink.items.size(), 31u);
    EXPECT_EQ(sink.released, (std::vector<void*>{&sink.cells[31]}));
}

TEST_F(CatalogueTest, ClicksSelectWithinTheCountAndJoinsFindTheEntryOrNone) {
    Build({{1028, u"A", 0}, {1005, u"B", 1}, {1003, u"C", 2}});
    EXPECT_TRUE(state.SelectItem(3));
    EXPECT_EQ(state.currentGame, 1003u);
    EXPECT_FALSE(state.SelectItem(4));
    EXPECT_EQ(state.currentGame, 1003u);
    EXPECT_TRUE(state.SelectItem(0));
    EXPECT_EQ(state.currentGame, 0u);

    EXPECT_EQ(state.EnterRoom(1003), 3u);
    EXPECT_EQ(state.currentGame, 1003u);
    EXPECT_EQ(state.EnterRoom(4242), 0u);
    EXPECT_EQ(state.currentGame, 4242u);
}

} // namespace
} // namespace Portico
