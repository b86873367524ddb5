// Where the chat-room panel's controls go in the host's room view: the three buttons beside
// the host's room label, and the server list above the chat pane. Rectangles are in the room
// view's client coordinates.
#pragma once

#include "browser/BrowserLayout.h"

#include <cstdint>

namespace Portico {

struct RoomButtons {
    Rect list, refresh, openBrowser;
};

struct RoomPanes {
    Rect list, chat;
};

class ChatRoomLayout {
public:
    static constexpr int32_t kButtonGap = 5;
    static constexpr int32_t kBarHeight = 6;
    static constexpr int32_t kMinPane = 50;
    static constexpr int32_t kMaxList = 180;
    static constexpr int32_t kOpenBrowserMargin = 40; // from the view's right edge

    // To the right of the host's room label, as tall as it; the open-browser button starts at
    // the refresh button until the first resize moves it.
    static RoomButtons PlaceButtons(const Rect& label);
    // The open-browser button as wide and tall as the list button, kOpenBrowserMargin from
    // the view's right client edge.
    static Rect PlaceOpenBrowser(const Rect& listButton, int32_t viewRight);
    // chat: the whole chat pane's place; listHeight: the list's height the splitter left
    // (kept when it lies within the pane and is at least kMinPane, else the middle less 3).
    // The list is at most kMaxList tall; the chat pane starts a bar below it.
    static RoomPanes PlacePanes(const Rect& chat, int32_t listHeight);
};

} // namespace Portico
