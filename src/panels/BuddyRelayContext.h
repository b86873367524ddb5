// What the buddy server relay needs from the rest of the plug-in: the host's protocol channel,
// the buddy-list panel's window, the browser scheduler's probes and the running game.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>

namespace Portico {

class MessageWindow;

class BuddyRelayContext {
public:
    // The host's SendProtocolMessage: true when the host took the message.
    virtual bool SendProtocolMessage(uint8_t type, const uint8_t* data, uint32_t length) = 0;
    // Null while the buddy-list panel is not attached: the notifications are then dropped.
    virtual MessageWindow* BuddyWindow() = 0;
    virtual void ProbeServer(const ServerAddress& address, uint32_t tag) = 0;
    virtual void CancelProbe(uint32_t tag) = 0;
    virtual uint32_t RunningGameId() = 0;

protected:
    ~BuddyRelayContext() = default;
};

} // namespace Portico
