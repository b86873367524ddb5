// A TCP client connection with its own receive thread, which hands the bytes of every receive
// to OnReceive and calls OnClose once when the connection ends from the far side or with an
// error. Derived classes call Close() in their own destructor, so that no callback runs once
// their part of the object is gone.
#pragma once

#include "utils/InStreamT.h"
#include "utils/StreamT.h"
#include "utils/ThreadedSocket.h"

#include <cstdint>

namespace Utils {

class ClientSocket : public ThreadedSocket {
public:
    ClientSocket() = default;
    virtual ~ClientSocket() = default;

    // Closes any connection, then connects (blocking) to ip and port, host order. Not from the
    // socket's own callbacks.
    bool Connect(uint32_t ip, uint16_t port);
    // Sends every byte; true at once for an empty stream, false when not connected. A failure
    // ends the connection with OnClose.
    bool Send(const StreamT<unsigned char>& stream);

    // On the receive thread, for the bytes of one receive.
    virtual void OnReceive(InStreamT<unsigned char>& stream) = 0;
    // Once per connection that ends other than by Close: error 0 when the peer closed it,
    // otherwise the Winsock error number. On the receive thread, or on the thread whose Send
    // failed.
    virtual void OnClose(int32_t error) = 0;

protected:
    // Peer of the last successful Connect, host order; 0 before.
    uint32_t ip = 0;
    uint16_t port = 0;

private:
    void ReceiveLoop();
    // Both false when the callback destroyed the socket.
    bool Deliver(const unsigned char* bytes, uint32_t size);
    // Ends the connection from inside; OnClose only for the first ending.
    bool EndConnection(int32_t error);
};

} // namespace Utils
