// The plug-in's query engine: the pool of query sockets and the two schedulers, wired to the
// favourites, the current game and the buddy-list panel. Its teardown lets no socket thread
// reach a scheduler that is gone, and no thread wait for a window that cannot answer.
#pragma once

#include "browser/RecordAccess.h"
#include "query/QueryContext.h"
#include "query/QueryScheduler.h"
#include "query/UDPPoolT.h"
#include "query/UDPWrapper.h"
#include "storage/Favourites.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace Portico {

class PluginState;

class QueryEngine : public QueryContext, public RecordAccess {
public:
    static constexpr uint32_t kBrowserSocket = 0;
    static constexpr uint32_t kRoomSocket = 1;
    using ProtocolSource = ProtocolManager* (*)();

    // protocols: where the game-protocol library's manager comes from (tests give their own).
    QueryEngine(PluginState& state, Favourites& favourites, ProtocolSource protocols);
    ~QueryEngine();

    // Opens the two query sockets from firstPort on, once; false when they cannot be opened.
    bool Open(uint16_t firstPort);
    uint16_t LocalPort(uint32_t socketIndex) const;
    QueryScheduler& Browser() { return browser; }
    QueryScheduler& Room() { return room; }
    // The receiver of probe answers; null while the buddy-list panel is not attached.
    void SetProbeWindow(MessageWindow* window) { probeWindow = window; }

    // Called on the window thread when the host closes. pump handles the messages sent to
    // that thread for a short while: a message in flight is let through, no new one starts,
    // and then every thread of the engine ends. Idempotent.
    void Shutdown(const std::function<void()>& pump);

    // QueryContext
    ProtocolManager* Protocols() override { return protocols(); }
    uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) override;
    bool Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
              uint32_t socketIndex) override;
    uint16_t SelectedGame() override;
    // A directly added server's reply makes it (or keeps it) a favourite.
    void KeepFavourite(ServerRecord& record) override { favourites.AddFavourite(record); }
    MessageWindow* ProbeWindow() override { return probeWindow; }

    // RecordAccess for the browser window, whose rows point into the browser scheduler's
    // records or the favourites: both owners' locks are held, the favourites' first.
    ServerRecord Copy(const ServerRecord* record) override;
    void SetPlayers(const ServerRecord* record, uint8_t players) override;

private:
    PluginState& state;
    Favourites& favourites;
    const ProtocolSource protocols;
    std::atomic<MessageWindow*> probeWindow{nullptr};
    QueryScheduler browser{*this, kBrowserSocket};
    QueryScheduler room{*this, kRoomSocket};
    // Declared last, so destroyed first: its receive threads call the schedulers.
    UDPPoolT<UDPWrapper> pool;
};

} // namespace Portico
