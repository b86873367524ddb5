// The chat-room panel: takes over the host's chat-room view and, while the user is in a room
// of a catalogue game, shows that game's servers at its top.
#pragma once

#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <string>

namespace Portico {

class HostBinding;

class CChatRoomView : public Utils::WindowImplT<CChatRoomView> {
public:
    PORTICO_BEGIN_MSG_MAP()
    PORTICO_END_MSG_MAP()

    // Subclasses the host's "CChatRoomView"; false when it is missing or already taken.
    bool Attach(HostBinding& host);
    void Show(const std::wstring& gameName, HICON gameIcon);
    void Hide();

    bool IsShown() const { return shown; }
    const std::wstring& GameName() const { return gameName; }

private:
    static constexpr int kHostRoomInfo = 1100; // the host's own control that the panel replaces

    bool shown = false;
    std::wstring gameName;
    HICON gameIcon = nullptr;
};

} // namespace Portico
