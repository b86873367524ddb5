// The query pool's UDP socket: every datagram it receives goes through the protocol
// library's parser to the scheduler that owns the socket.
#pragma once

#include "utils/UdpSocket.h"

#include <atomic>
#include <cstdint>

namespace Portico {

class QueryScheduler;

class UDPWrapper : public Utils::UdpSocket {
public:
    UDPWrapper(uint16_t port, uint32_t ip = 0) : UdpSocket(port, ip) {}
    ~UDPWrapper() override { Close(); }

    // Given after the pool has opened the socket; datagrams before that are dropped.
    void SetOwner(QueryScheduler* scheduler) { owner = scheduler; }

    void OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) override;

private:
    std::atomic<QueryScheduler*> owner{nullptr};
};

} // namespace Portico
