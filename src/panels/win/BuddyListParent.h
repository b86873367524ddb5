// The buddy-list panel: takes over the host's buddy-list view, shows in the host's list where
// each buddy plays, and takes over the host's command that joins a buddy's game, launching
// the game onto the buddy's server. The rules live in BuddyServers.
#pragma once

#include "browser/BrowserHost.h"
#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "panels/BuddyServers.h"
#include "panels/OutriderLibrary.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <cstdint>

namespace Portico {

class HostBinding;

class BuddyListParent : public Utils::WindowImplT<BuddyListParent>, public MessageWindow {
public:
    // The host's command that joins the selected buddy's game.
    static constexpr WORD kJoinBuddyCommand = 5032;

    BuddyListParent(HostBinding& host, BrowserHost& browserHost)
        : host(host), browserHost(browserHost) {}

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(kMsgBuddyGame, OnBuddyGame)
    PORTICO_MESSAGE_HANDLER(kMsgBuddyNoServer, OnBuddyNoServer)
    PORTICO_MESSAGE_HANDLER(kMsgBuddyAddress, OnBuddyAddress)
    PORTICO_COMMAND_ID_HANDLER(kJoinBuddyCommand, OnJoinBuddy)
    PORTICO_END_MSG_MAP()

    // Subclasses the host's "BuddyListView" and loads the buddy-selection library; false when
    // the view is missing or already taken.
    bool Attach();
    // Synchronous send to the subclassed view; 0 while none is attached.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    LRESULT OnBuddyGame(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnBuddyNoServer(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnBuddyAddress(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnJoinBuddy(WORD, WORD, HWND, bool&);

    HostBinding& host;
    BrowserHost& browserHost;
    OutriderLibrary outrider;
    // Touched only on the view's thread: the relay and the scheduler reach it by send.
    BuddyServers buddies;
};

} // namespace Portico
