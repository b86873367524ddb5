// The plug-in's wiring of the buddy relay to the rest of the module: the host's protocol
// channel, the buddy-list panel, the browser scheduler's probes and the running game.
#pragma once

#include "panels/BuddyRelayContext.h"

namespace Portico {

class Plugin;

class PluginContext : public BuddyRelayContext {
public:
    explicit PluginContext(Plugin& plugin) : plugin(plugin) {}

    bool SendProtocolMessage(uint8_t type, const uint8_t* data, uint32_t length) override;
    MessageWindow* BuddyWindow() override;
    void ProbeServer(const ServerAddress& address, uint32_t tag) override;
    void CancelProbe(uint32_t tag) override;
    uint32_t RunningGameId() override;

private:
    Plugin& plugin;
};

} // namespace Portico
