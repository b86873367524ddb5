#include "utils/UdpSocket.h"

namespace Utils {

UdpSocket::UdpSocket(uint16_t port, uint32_t ip) {
    const SocketShim::Handle handle = SocketShim::OpenDatagram();
    if (handle == SocketShim::kNoSocket)
        return;
    const int error = SocketShim::Bind(handle, ip, port);
    if (error != 0) {
        addressInUse = error == SocketShim::Error::kAddressInUse;
        SocketShim::CloseSocket(handle);
        return;
    }
    SocketShim::SetBlocking(handle);
    socket = handle;
}

// Starting the thread in the constructor would let a datagram that arrives at once reach
// OnReceive before the derived class is constructed.
bool UdpSocket::Start() {
    if (socket == SocketShim::kNoSocket)
        return false;
    return StartThread([this] { ReceiveLoop(); });
}

uint16_t UdpSocket::LocalPort() const {
    const SocketShim::Handle handle = socket;
    return handle == SocketShim::kNoSocket ? 0 : SocketShim::LocalPort(handle);
}

bool UdpSocket::SendTo(const StreamT<unsigned char>& stream, uint32_t ip, uint16_t port) {
    if (stream.Size() == 0)
        return true;
    const SocketShim::Handle handle = socket;
    return handle != SocketShim::kNoSocket &&
           SocketShim::SendTo(handle, stream.Data(), stream.Size(), ip, port) > 0;
}

void UdpSocket::ReceiveLoop() {
    const SocketShim::Handle handle = socket;
    unsigned char buffer[kReceiveBytes];
    while (running) {
        if (!SocketShim::WaitReadable(handle, wakeMs))
            continue;
        const SocketShim::Received received =
            SocketShim::ReceiveFrom(handle, buffer, kReceiveBytes);
        if (!running || received.outcome == SocketShim::Outcome::Error)
            break;
        if (received.outcome == SocketShim::Outcome::Data && received.size > 0) {
            InStreamT<unsigned char> stream(buffer, received.size);
            if (!Survives([&] { OnReceive(received.ip, received.port, stream); }))
                return;
        }
    }
    running = false;
}

} // namespace Utils
