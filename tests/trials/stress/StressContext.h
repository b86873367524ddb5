// What the two schedulers need, wired to real pieces: the game-protocol library's own code, a
// query pool of two sockets on loopback, and the user store's favourites. Regions come from the
// address: 127.0.N.x lies in region N (none for N = 0) with country "C" + ('A' + N).
#pragma once

#include "common/MessageWindow.h"
#include "query/QueryContext.h"
#include "query/QueryScheduler.h"
#include "query/UDPPoolT.h"
#include "query/UDPWrapper.h"
#include "storage/Favourites.h"

#include <atomic>
#include <cstdint>

namespace Trials {

class StressContext : public Portico::QueryContext {
public:
    StressContext(Portico::Favourites& favourites, Portico::MessageWindow& probeWindow)
        : favourites(favourites), probeWindow(probeWindow) {}

    // Opens socket 0 for the browser scheduler and socket 1 for the room scheduler.
    bool Open(Portico::QueryScheduler& browser, Portico::QueryScheduler& room);
    // Ends the receive threads; before the schedulers go.
    void Close() { pool.CloseAll(); }
    void SelectGame(uint16_t game) { selectedGame = game; }

    Portico::ProtocolManager* Protocols() override;
    uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) override;
    // Only to 127.0.0.0/8; anything else is counted and dropped.
    bool Send(uint32_t ip, uint16_t port, const Portico::ByteOutStream& datagram,
              uint32_t socketIndex) override;
    uint16_t SelectedGame() override { return selectedGame; }
    void KeepFavourite(Portico::ServerRecord& record) override;
    Portico::MessageWindow* ProbeWindow() override { return &probeWindow; }

    std::atomic<uint64_t> sent{0};
    std::atomic<uint64_t> refused{0};
    std::atomic<uint64_t> kept{0};

private:
    Portico::Favourites& favourites;
    Portico::MessageWindow& probeWindow;
    std::atomic<uint16_t> selectedGame{1003};
    Portico::UDPPoolT<Portico::UDPWrapper> pool;
};

} // namespace Trials
