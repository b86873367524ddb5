// The remote console's TCP client for games that speak Source RCON: reassembles the server's
// packets across receives, within a bound, and tells the owner window what they mean.
#pragma once

#include "rcon/SourceRconReader.h"
#include "utils/ClientSocket.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace Portico {

class MessageWindow;

class RconTcp : public Utils::ClientSocket {
public:
    // End markers count up from here, far from the ids a server answers with (0 and -1).
    static constexpr int32_t kFirstMarker = 0x504F0000;

    RconTcp() = default;
    ~RconTcp() override { Close(); }

    // Given before Connect; null stops the notifications.
    void SetOwner(MessageWindow* window) { owner = window; }
    // Before Connect: once connected the buffer belongs to the receive thread.
    void ClearBuffer() { reader.Clear(); }
    bool SendPacket(int32_t id, int32_t type, const std::string& body);
    // An empty response value under a new marker id: the server mirrors it once the output
    // of the commands before it is out, which is told as kEndOfOutput with that id. 0 when it
    // could not be sent.
    int32_t SendEndMarker();

    void OnReceive(Utils::InStreamT<unsigned char>& stream) override;
    void OnClose(int32_t error) override;

private:
    // False when the rest of the buffer is not to be read.
    bool Handle(const SourceRconPacket& packet);
    bool IsMarker(int32_t id) const { return id >= kFirstMarker && id < nextMarker; }
    void Notify(intptr_t notice, intptr_t value);

    std::atomic<MessageWindow*> owner{nullptr};
    SourceRconReader reader; // receive thread only, once connected
    std::atomic<int32_t> nextMarker{kFirstMarker};
};

} // namespace Portico
