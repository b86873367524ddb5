#include "panels/ChatRoomLayout.h"

#include <gtest/gtest.h>

#include <array>

using namespace Portico;

namespace {

using Edges = std::array<int32_t, 4>; // left, top, right, bottom

Edges Of(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST(ChatRoomLayoutTest, ButtonsFollowTheRoomLabelAndTheOpenButtonTheRightEdge) {
    const RoomButtons buttons = ChatRoomLayout::PlaceButtons(Rect{6, 6, 46, 28}); // w = 40
    EXPECT_EQ(Of(buttons.list), (Edges{51, 6, 121, 28}));
    EXPECT_EQ(Of(buttons.refresh), (Edges{126, 6, 156, 28}));
    EXPECT_EQ(Of(buttons.openBrowser), (Edges{126, 6, 196, 28}));
    EXPECT_EQ(Of(ChatRoomLayout::PlaceOpenBrowser(buttons.list, 468)), (Edges{358, 6, 428, 28}));
}

TEST(ChatRoomLayoutTest, TheListKeepsADraggedHeightWithinThePaneAndAtMost180) {
    const Rect chat{6, 34, 462, 412}; // 378 tall
    const RoomPanes panes = ChatRoomLayout::PlacePanes(chat, 120);
    EXPECT_EQ(Of(panes.list), (Edges{6, 34, 462, 154}));
    EXPECT_EQ(Of(panes.chat), (Edges{6, 160, 462, 412})); // the bar's 6 pixels between
    // Too short or beyond the pane: the middle less 3, here past the cap of 180.
    for (int32_t height : {49, 379, 300})
        EXPECT_EQ(ChatRoomLayout::PlacePanes(chat, height).list.bottom, 34 + 180) << height;
    const Rect small{0, 10, 100, 210}; // 200 tall: the middle less 3 is below the cap
    EXPECT_EQ(ChatRoomLayout::PlacePanes(small, 0).list.bottom, 10 + 97);
    EXPECT_EQ(ChatRoomLayout::PlacePanes(small, 50).list.bottom, 60);
    EXPECT_EQ(ChatRoomLayout::PlacePanes(small, 200).list.bottom, 190);
}

} // namespace
