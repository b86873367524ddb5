// Where the browser window's controls go when it is resized, and how the server list's
// columns shrink in a narrow window. Rectangles are in the window's client coordinates.
#pragma once

#include <array>
#include <cstdint>

namespace Portico {

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

struct ListPlacement {
    Rect tree, serverList, playerList;
};

class BrowserLayout {
public:
    static constexpr int32_t kListGap = 5;       // between the two lists, and right of the tree
    static constexpr int32_t kNarrowWidth = 660; // narrower server lists get narrower columns

    // The tab control keeps its top-left corner and reaches the client area's far corner.
    static Rect TabRect(const Rect& tab, int32_t clientWidth, int32_t clientHeight);
    // display: the tab control's display area. The tree fills its left part down to the
    // bottom, keeping its right edge; the player list keeps its height at the bottom; the
    // server list fills the rest, 5 pixels above it. With the tree hidden (favourites tab)
    // the lists start at the left edge.
    static ListPlacement PlaceLists(const Rect& display, const Rect& tree, int32_t playerHeight,
                                    bool treeShown);
    // The lists' left edge when a tab is entered.
    static int32_t ListLeftOnEnter(bool treeShown, int32_t treeClientWidth);
    // Widths of columns 1 to 3 for a server list narrower than kNarrowWidth, never negative.
    static std::array<int32_t, 3> NarrowColumns(int32_t listWidth);
};

} // namespace Portico
