// What the browser window's commands reach outside it: the message box and the two small
// dialogs, the game launcher, the remote console, the host's game status and the buddy relay.
#pragma once

#include "browser/BrowserHost.h"

namespace Portico {

class BuddyServerRelay;
class GameLauncher;
class HostBinding;
class LanguageLibrary;
class PluginState;

class PluginBrowserHost : public BrowserHost {
public:
    PluginBrowserHost(PluginState& state, LanguageLibrary& language, HostBinding& host,
                      BuddyServerRelay& relay, GameLauncher& launcher)
        : state(state), language(language), host(host), relay(relay), launcher(launcher) {}

    void ShowMessage(uint32_t textId) override;
    bool AskAddress(std::u16string& text) override;
    bool AskPassword(std::u16string& password) override;
    void Launch(const ServerAddress& address, const std::u16string* password) override;
    void OpenConsole(const ServerAddress& address, GameProtocol& protocol) override;
    void ReportGameStatus(int32_t status) override;
    void Announce(uint32_t ip, uint16_t port) override;

private:
    PluginState& state;
    LanguageLibrary& language;
    HostBinding& host;
    BuddyServerRelay& relay;
    GameLauncher& launcher;
};

} // namespace Portico
