#include "plugin/win/PluginContext.h"

#include "plugin/win/Plugin.h"

namespace Portico {

bool PluginContext::SendProtocolMessage(uint8_t type, const uint8_t* data, uint32_t length) {
    return plugin.host.SendProtocolMessage(type, data, length);
}

MessageWindow* PluginContext::BuddyWindow() {
    return plugin.buddyList.IsSubclassed() ? &plugin.buddyList : nullptr;
}

void PluginContext::ProbeServer(const ServerAddress& address, uint32_t tag) {
    plugin.engine.Browser().ProbeServer(address, tag);
}

void PluginContext::CancelProbe(uint32_t tag) {
    plugin.engine.Browser().CancelProbe(tag);
}

uint32_t PluginContext::RunningGameId() {
    return plugin.state.runningGame;
}

} // namespace Portico
