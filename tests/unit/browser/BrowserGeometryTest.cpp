#include "browser/BrowserLayout.h"
#include "browser/SplitterBar.h"

#include <gtest/gtest.h>

using namespace Portico;

TEST(SplitterBar, DragsStayWithinBothPanes) {
    const SplitterBar::Panes panes{{100, 30, 600, 230}, {100, 235, 600, 400}};
    SplitterBar bar(5, 40, 0); // the browser's bar: server list at least 40 pixels
    bar.Layout(panes.upper);
    EXPECT_FALSE(bar.Press(300, 232)); // not enabled yet
    bar.Enable(true);
    bar.Layout(panes.upper);
    EXPECT_FALSE(bar.Press(99, 232)); // left of the bar
    ASSERT_TRUE(bar.Press(300, 232));

    SplitterBar::Panes moved = bar.Drag(262, panes); // 30 down
    EXPECT_EQ(moved.upper.bottom, 260);
    EXPECT_EQ(moved.lower.top, 265);
    EXPECT_EQ(bar.Drag(-500, panes).upper.bottom, 70); // the server list keeps 40 pixels
    moved = bar.Drag(5000, panes); // the bar stops 5 pixels above the player list's bottom
    EXPECT_EQ(moved.upper.bottom, 395);
    EXPECT_EQ(moved.lower.top, 400);

    bar.Release(moved.upper);
    EXPECT_FALSE(bar.Dragging());
    EXPECT_EQ(bar.Bar().top, 395);
}

TEST(BrowserLayout, ListsBesideTheTreeAndThePlayerListAtTheBottom) {
    const Rect display{4, 44, 896, 696}, tree{4, 44, 150, 300};
    const ListPlacement placed = BrowserLayout::PlaceLists(display, tree, 200, true);
    EXPECT_EQ(placed.serverList.left, 151);
    EXPECT_EQ(placed.serverList.bottom, placed.playerList.top - 5);
    // A window lower than the player list: no list gets a negative height.
    const ListPlacement low = BrowserLayout::PlaceLists({4, 44, 896, 100}, tree, 200, true);
    EXPECT_GE(low.serverList.Height(), 0);
    EXPECT_GE(low.playerList.Height(), 0);
}

TEST(BrowserLayout, NarrowColumnsShareWhatIsLeftAndNeverGoNegative) {
    EXPECT_EQ(BrowserLayout::NarrowColumns(660), (std::array<int32_t, 3>{260, 120, 95}));
    EXPECT_EQ(BrowserLayout::NarrowColumns(100), (std::array<int32_t, 3>{0, 0, 0}));
}
