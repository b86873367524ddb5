#include "panels/ChatRoomLayout.h"

namespace Portico {

RoomButtons ChatRoomLayout::PlaceButtons(const Rect& label) {
    const int32_t w = label.Width();
    RoomButtons buttons;
    const int32_t listLeft = label.right + kButtonGap;
    buttons.list = {listLeft, label.top, listLeft + w + 30, label.bottom};
    const int32_t refreshLeft = buttons.list.right + kButtonGap;
    buttons.refresh = {refreshLeft, label.top, refreshLeft + w - 10, label.bottom};
    buttons.openBrowser = {refreshLeft, label.top, refreshLeft + w + 30, label.bottom};
    return buttons;
}

Rect ChatRoomLayout::PlaceOpenBrowser(const Rect& listButton, int32_t viewRight) {
    const int32_t right = viewRight - kOpenBrowserMargin;
    return {right - listButton.Width(), listButton.top, right, listButton.bottom};
}

RoomPanes ChatRoomLayout::PlacePanes(const Rect& chat, int32_t listHeight) {
    int32_t bottom = chat.top + chat.Height() / 2 - 3;
    if (listHeight >= kMinPane && listHeight <= chat.Height())
        bottom = chat.top + listHeight;
    if (bottom > chat.top + kMaxList)
        bottom = chat.top + kMaxList;
    RoomPanes panes;
    panes.list = {chat.left, chat.top, chat.right, bottom};
    panes.chat = {chat.left, bottom + kBarHeight, chat.right, chat.bottom};
    return panes;
}

} // namespace Portico
