#include "browser/BrowserLayout.h"

namespace Portico {
namespace {

int32_t AtLeast(int32_t value, int32_t floor) {
    return value < floor ? floor : value;
}

} // namespace

Rect BrowserLayout::TabRect(const Rect& tab, int32_t clientWidth, int32_t clientHeight) {
    return {tab.left, tab.top, AtLeast(clientWidth, tab.left), AtLeast(clientHeight, tab.top)};
}

ListPlacement BrowserLayout::PlaceLists(const Rect& display, const Rect& tree, int32_t playerHeight,
                                        bool treeShown) {
    ListPlacement placed;
    placed.tree = {display.left, display.top, tree.right, display.bottom};
    const int32_t left = treeShown ? tree.right + 1 : 0;
    const int32_t right = AtLeast(display.right, left);
    // A window too low for the player list's height squeezes the server list to nothing.
    const int32_t playerTop = AtLeast(display.bottom - playerHeight, display.top);
    placed.playerList = {left, playerTop, right, AtLeast(display.bottom, playerTop)};
    placed.serverList = {left, display.top, right, AtLeast(playerTop - kListGap, display.top)};
    return placed;
}

int32_t BrowserLayout::ListLeftOnEnter(bool treeShown, int32_t treeClientWidth) {
    return treeShown ? treeClientWidth + kListGap : 0;
}

std::array<int32_t, 3> BrowserLayout::NarrowColumns(int32_t listWidth) {
    // Columns 0, 4 and 5 keep their 185 pixels; the rest is shared 260 : 120 : 95, with
    // integer division truncating toward zero. Below 185 pixels nothing is left to share.
    const int32_t rest = AtLeast(listWidth - 185, 0);
    return {rest * 260 / 475, rest * 120 / 475, rest * 95 / 475};
}

} // namespace Portico
