// A bound UDP socket with its own receive thread, which hands every datagram to OnReceive.
// Derived classes call Close() in their own destructor, so that no OnReceive runs once their
// part of the object is gone.
#pragma once

#include "utils/InStreamT.h"
#include "utils/StreamT.h"
#include "utils/ThreadedSocket.h"

#include <cstdint>

namespace Utils {

class UdpSocket : public ThreadedSocket {
public:
    // Binds to ip and port (host order; ip 0 for every local address). The receive thread
    // starts with Start, once the derived object is complete.
    UdpSocket(uint16_t port, uint32_t ip);
    virtual ~UdpSocket() = default;

    // Starts the receive thread; false when the socket is not bound or a thread runs already.
    bool Start();
    // Binding failed because the port was taken.
    bool AddressInUse() const { return addressInUse; }
    // 0 when the socket is not bound.
    uint16_t LocalPort() const;
    // One datagram with the stream's bytes; an empty stream sends nothing and succeeds.
    bool SendTo(const StreamT<unsigned char>& stream, uint32_t ip, uint16_t port);

    // On the receive thread, for each datagram of at least one byte (ip and port of the
    // sender in host order).
    virtual void OnReceive(uint32_t ip, uint16_t port, InStreamT<unsigned char>& stream) = 0;

protected:
    bool addressInUse = false;

private:
    void ReceiveLoop();
};

} // namespace Utils
