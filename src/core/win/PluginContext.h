// The plug-in's wiring of the query engine and the buddy relay to the rest of the module:
// region library, host protocol channel, buddy-list panel, browser scheduler, favourites.
#pragma once

#include "panels/BuddyRelayContext.h"
#include "query/QueryContext.h"

namespace Portico {

class Plugin;

class PluginContext : public QueryContext, public BuddyRelayContext {
public:
    explicit PluginContext(Plugin& plugin) : plugin(plugin) {}

    // QueryContext
    ProtocolManager* Protocols() override;
    uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) override;
    bool Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
              uint32_t socketIndex) override;
    uint16_t SelectedGame() override;
    void KeepFavourite(ServerRecord& record) override;
    MessageWindow* ProbeWindow() override;

    // BuddyRelayContext
    bool SendProtocolMessage(uint8_t type, const uint8_t* data, uint32_t length) override;
    MessageWindow* BuddyWindow() override;
    void ProbeServer(const ServerAddress& address, uint32_t tag) override;
    void CancelProbe(uint32_t tag) override;
    uint32_t RunningGameId() override;

private:
    Plugin& plugin;
};

} // namespace Portico
