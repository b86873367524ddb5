#include "core/win/PluginContext.h"

#include "core/win/Plugin.h"
#include "query/ProtocolLibrary.h"
#include "region/RegionLibrary.h"

namespace Portico {

ProtocolManager* PluginContext::Protocols() { return ProtocolLibrary::Manager(); }

uint8_t PluginContext::LookupRegion(uint32_t ip, uint8_t out[3]) {
    return RegionLibrary::Instance().Lookup(ip, out);
}

bool PluginContext::Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
                         uint32_t socketIndex) {
    return plugin.pool.Send(ip, port, datagram, socketIndex);
}

uint16_t PluginContext::SelectedGame() { return uint16_t(plugin.state.currentGame); }

void PluginContext::KeepFavourite(ServerRecord& record) {
    plugin.favourites.RefreshFavourite(record);
}

MessageWindow* PluginContext::ProbeWindow() { return BuddyWindow(); }

bool PluginContext::SendProtocolMessage(uint8_t type, const uint8_t* data, uint32_t length) {
    return plugin.host.SendProtocolMessage(type, data, length);
}

MessageWindow* PluginContext::BuddyWindow() {
    return plugin.buddyList.IsSubclassed() ? &plugin.buddyList : nullptr;
}

void PluginContext::ProbeServer(const ServerAddress& address, uint32_t tag) {
    plugin.browserScheduler.ProbeServer(address, tag);
}

void PluginContext::CancelProbe(uint32_t tag) { plugin.browserScheduler.CancelProbe(tag); }

uint32_t PluginContext::RunningGameId() { return plugin.state.runningGame; }

} // namespace Portico
