#include "rcon/RconUDPPool.h"

namespace Portico {

bool RconUDPPool::Open(int32_t count) {
    const bool opened = UDPPoolT<RconUdp>::Open(count);
    for (const auto& socket : sockets)
        Hand(*socket);
    return opened;
}

void RconUDPPool::SetOwner(MessageWindow* window) {
    owner = window;
    for (const auto& socket : sockets)
        Hand(*socket);
}

void RconUDPPool::SetServer(uint32_t ip, uint16_t port) {
    serverIp = ip;
    serverPort = port;
    for (const auto& socket : sockets)
        Hand(*socket);
}

void RconUDPPool::Hand(RconUdp& socket) const {
    socket.SetOwner(owner);
    socket.SetServer(serverIp, serverPort);
}

} // namespace Portico
