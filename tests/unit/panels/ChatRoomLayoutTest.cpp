#include "panels/ChatRoomLayout.h"

#include <gtest/gtest.h>

using namespace Portico;

namespace {

TEST(ChatRoomLayoutTest, ButtonsFollowTheRoomLabelAndTheOpenButtonTheRightEdge) {
    const RoomButtons buttons = ChatRoomLayout::PlaceButtons(Rect{6, 6, 46, 28}); // w = 40
    EXPECT_EQ(buttons.list.left, 51);
    EXPECT_EQ(buttons.list.Width(), 70);
    EXPECT_EQ(buttons.refresh.left, 126);
    EXPECT_EQ(buttons.refresh.Width(), 30);
    EXPECT_EQ(buttons.openBrowser.left, 126);
    EXPECT_EQ(buttons.openBrowser.Width(), 70);
    for (const Rect& r : {buttons.list, buttons.refresh, buttons.openBrowser}) {
        EXPECT_EQ(r.top, 6);
        EXPECT_EQ(r.bottom, 28);
    }
    const Rect open = ChatRoomLayout::PlaceOpenBrowser(buttons.list, 468);
    EXPECT_EQ(open.right, 428);
    EXPECT_EQ(open.Width(), 70);
    EXPECT_EQ(open.top, 6);
}

TEST(ChatRoomLayoutTest, TheListKeepsADraggedHeightWithinThePaneAndAtMost180) {
    const Rect chat{6, 34, 462, 412}; // 378 tall
    RoomPanes panes = ChatRoomLayout::PlacePanes(chat, 120);
    EXPECT_EQ(panes.list.top, 34);
    EXPECT_EQ(panes.list.bottom, 154);
    EXPECT_EQ(panes.chat.top, 160); // the bar's 6 pixels between
    EXPECT_EQ(panes.chat.bottom, 412);
    EXPECT_EQ(panes.list.left, 6);
    EXPECT_EQ(panes.list.right, 462);
    // Too short or beyond the pane: the middle less 3, here past the cap of 180.
    EXPECT_EQ(ChatRoomLayout::PlacePanes(chat, 49).list.bottom, 34 + 180);
    EXPECT_EQ(ChatRoomLayout::PlacePanes(chat, 379).list.bottom, 34 + 180);
    EXPECT_EQ(ChatRoomLayout::PlacePanes(chat, 300).list.bottom, 34 + 180);
    const Rect small{0, 10, 100, 210}; // 200 tall: the middle less 3 is below the cap
    EXPECT_EQ(ChatRoomLayout::PlacePanes(small, 0).list.bottom, 10 + 97);
    EXPECT_EQ(ChatRoomLayout::PlacePanes(small, 50).list.bottom, 60);
    EXPECT_EQ(ChatRoomLayout::PlacePanes(small, 200).list.bottom, 190);
}

} // namespace
