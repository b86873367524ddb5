// The remote console's UDP socket: reads the datagrams of the console's server and tells the
// owner window about challenges and output. Datagrams from any other address are dropped.
#pragma once

#include "utils/UdpSocket.h"

#include <atomic>
#include <cstdint>

namespace Portico {

class MessageWindow;

class RconUdp : public Utils::UdpSocket {
public:
    RconUdp(uint16_t port, uint32_t ip = 0) : UdpSocket(port, ip) {}
    ~RconUdp() override { Close(); }

    // Null stops the notifications.
    void SetOwner(MessageWindow* window) { owner = window; }
    // The only sender read (host order); nothing is read before it is set.
    void SetServer(uint32_t ip, uint16_t port) { server = Key(ip, port); }

    void OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) override;

private:
    static uint64_t Key(uint32_t ip, uint16_t port) { return uint64_t(ip) << 16 | port; }

    std::atomic<MessageWindow*> owner{nullptr};
    std::atomic<uint64_t> server{0};
};

} // namespace Portico
