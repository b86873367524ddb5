#include "plugin/QueryEngine.h"

#include "common/PluginState.h"
#include "region/RegionLibrary.h"

namespace Portico {

QueryEngine::QueryEngine(PluginState& state, Favourites& favourites, ProtocolSource protocols)
    : state(state), favourites(favourites), protocols(protocols) {}

QueryEngine::~QueryEngine() {
    // No window can answer any more: nothing is sent to one. The workers end before their
    // sockets go.
    browser.DetachWindows();
    room.DetachWindows();
    browser.Stop();
    room.Stop();
    pool.CloseAll();
}

bool QueryEngine::Open(uint16_t firstPort) {
    // Opened once: reopening under running schedulers would pull sockets from under them.
    if (pool.GetSocket(0))
        return true;
    pool.SetPort(firstPort);
    if (!pool.Open(2))
        return false;
    pool.GetSocket(kBrowserSocket)->SetOwner(&browser);
    pool.GetSocket(kRoomSocket)->SetOwner(&room);
    return true;
}

uint16_t QueryEngine::LocalPort(uint32_t socketIndex) const {
    const UDPWrapper* socket = pool.GetSocket(int32_t(socketIndex));
    return socket ? socket->LocalPort() : 0;
}

void QueryEngine::Shutdown(const std::function<void()>& pump) {
    browser.DetachWindows();
    room.DetachWindows();
    probeWindow = nullptr;
    // A receive thread may be waiting for the window thread, which is this one.
    while (browser.SendsInFlight() || room.SendsInFlight())
        pump();
    browser.Stop();
    room.Stop();
    pool.CloseAll();
}

uint8_t QueryEngine::LookupRegion(uint32_t ip, uint8_t out[3]) {
    return RegionLibrary::Instance().Lookup(ip, out);
}

bool QueryEngine::Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
                       uint32_t socketIndex) {
    return pool.Send(ip, port, datagram, socketIndex);
}

uint16_t QueryEngine::SelectedGame() {
    return uint16_t(state.currentGame);
}

ServerRecord QueryEngine::Copy(const ServerRecord* record) {
    std::lock_guard<std::recursive_mutex> guard(favourites.Lock());
    return browser.CopyRecord(record);
}

void QueryEngine::SetPlayers(const ServerRecord* record, uint8_t players) {
    std::lock_guard<std::recursive_mutex> guard(favourites.Lock());
    browser.SetPlayers(record, players);
}

} // namespace Portico
