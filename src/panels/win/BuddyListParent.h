// The buddy-list panel: takes over the host's buddy-list view, keeps where each buddy plays
// and shows it in the host's list.
#pragma once

#include "abi/ProtocolInterface.h"
#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <cstdint>
#include <map>

namespace Portico {

class HostBinding;

class BuddyListParent : public Utils::WindowImplT<BuddyListParent>, public MessageWindow {
public:
    explicit BuddyListParent(HostBinding& host) : host(host) {}

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(kMsgBuddyGame, OnBuddyGame)
    PORTICO_MESSAGE_HANDLER(kMsgBuddyNoServer, OnBuddyNoServer)
    PORTICO_MESSAGE_HANDLER(kMsgBuddyAddress, OnBuddyAddress)
    PORTICO_END_MSG_MAP()

    // Subclasses the host's "BuddyListView"; false when it is missing or already taken.
    bool Attach();
    // Synchronous send to the subclassed view; 0 while none is attached.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // Where a buddy plays; false when he is on no known server.
    bool FindServer(uint32_t buddyKey, ServerAddress& out) const;

private:
    LRESULT OnBuddyGame(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnBuddyNoServer(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnBuddyAddress(UINT, WPARAM, LPARAM, bool&);

    HostBinding& host;
    // Touched only on the view's thread: the relay and the scheduler reach it by send.
    std::map<uint32_t, ServerAddress> servers;
    std::map<uint32_t, uint8_t> passwordFlags;
};

} // namespace Portico
