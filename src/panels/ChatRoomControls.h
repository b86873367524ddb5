// The chat-room panel's own controls as its rules drive them. The Win32 panel implements it
// with its buttons, its list and SetTimer on the host's view; tests record.
#pragma once

#include <cstdint>

namespace Portico {

class ChatRoomControls {
public:
    static constexpr uint32_t kRetryTimer = 1198;

    // The list button appears once a room's list has arrived.
    virtual void ShowListButton(bool shown) = 0;
    // Shows the server list and the refresh button above the chat pane, or hides both and
    // gives the chat pane the whole room.
    virtual void ShowList(bool shown) = 0;
    // Starting a running timer restarts it.
    virtual void StartTimer(uint32_t id, uint32_t ms) = 0;
    virtual void StopTimer(uint32_t id) = 0;

protected:
    ~ChatRoomControls() = default;
};

} // namespace Portico
