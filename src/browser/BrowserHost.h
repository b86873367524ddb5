// What the browser's commands and reports reach outside its window: the small dialogs, the
// game launcher, the remote console, the host's game status and the buddy relay.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <string>

namespace Portico {

class BrowserHost {
public:
    // A message box with that language text and caption text 101.
    virtual void ShowMessage(uint32_t textId) = 0;
    // The New Address dialog, starting with text; false on Cancel. On OK text holds what the
    // dialog returned (at most AddressText::kMaxUnits units).
    virtual bool AskAddress(std::u16string& text) = 0;
    // The password dialog, starting empty; false on Cancel.
    virtual bool AskPassword(std::u16string& password) = 0;
    // Starts the game on a server; password is null when the server needs none.
    virtual void Launch(const ServerAddress& address, const std::u16string* password) = 0;
    // The remote console window for a server (modal).
    virtual void OpenConsole(const ServerAddress& address, GameProtocol& protocol) = 0;
    // The host's ReportGameStatus.
    virtual void ReportGameStatus(int32_t status) = 0;
    // The buddy relay's Announce: the server the game is on, 0 and 0 for none.
    virtual void Announce(uint32_t ip, uint16_t port) = 0;

protected:
    ~BrowserHost() = default;
};

} // namespace Portico
