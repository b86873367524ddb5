#include "utils/ClientSocket.h"

#include <chrono>

namespace Utils {

namespace {

// Pause before a receive or send is tried again after a transient error.
constexpr std::chrono::milliseconds kRetryPause{20};

} // namespace

bool ClientSocket::Connect(uint32_t peerIp, uint16_t peerPort) {
    // The receive thread cannot wait for itself to end.
    if (OnOwnThread())
        return false;
    Close();
    const SocketShim::Handle handle = SocketShim::OpenStream();
    if (handle == SocketShim::kNoSocket)
        return false;
    SocketShim::SetBlocking(handle);
    SocketShim::SetDontLinger(handle);
    if (SocketShim::Connect(handle, peerIp, peerPort) != 0) {
        SocketShim::CloseSocket(handle);
        return false;
    }
    std::lock_guard<std::recursive_mutex> guard(lifecycleLock);
    Close(); // another thread may have connected meanwhile
    socket = handle;
    // Set before the thread starts, so that its callbacks see them.
    ip = peerIp;
    port = peerPort;
    if (StartThread([this] { ReceiveLoop(); }))
        return true;
    Close();
    return false;
}

bool ClientSocket::Send(const StreamT<unsigned char>& stream) {
    if (!running)
        return false;
    const SocketShim::Handle handle = socket;
    const unsigned char* data = stream.Data();
    const uint32_t size = stream.Size();
    for (uint32_t offset = 0; offset < size;) {
        const int32_t sent = SocketShim::Send(handle, data + offset, size - offset);
        if (sent > 0) {
            offset += uint32_t(sent);
            continue;
        }
        const int error = SocketShim::LastError();
        if (!SocketShim::IsStreamRetry(error)) {
            EndConnection(error);
            return false;
        }
        if (!running)
            return false;
        std::this_thread::sleep_for(kRetryPause);
    }
    return true;
}

bool ClientSocket::EndConnection(int32_t error) {
    // Whoever clears running first ends the connection: the receive thread, a failed Send, or
    // Close, which reports nothing.
    return !running.exchange(false) || Survives([&] { OnClose(error); });
}

bool ClientSocket::Deliver(const unsigned char* bytes, uint32_t size) {
    InStreamT<unsigned char> stream(bytes, size);
    return Survives([&] { OnReceive(stream); });
}

void ClientSocket::ReceiveLoop() {
    const SocketShim::Handle handle = socket;
    unsigned char buffer[kReceiveBytes];
    while (running) {
        if (!SocketShim::WaitReadable(handle, wakeMs))
            continue;
        const SocketShim::Received received = SocketShim::Receive(handle, buffer, kReceiveBytes);
        if (!running)
            break;
        bool survived = true;
        switch (received.outcome) {
        case SocketShim::Outcome::Data:
            survived = Deliver(buffer, received.size);
            break;
        case SocketShim::Outcome::Retry:
            std::this_thread::sleep_for(kRetryPause);
            break;
        case SocketShim::Outcome::Closed:
            survived = EndConnection(0);
            break;
        case SocketShim::Outcome::Error:
            survived = EndConnection(received.error);
            break;
        }
        if (!survived)
            return;
    }
}

} // namespace Utils
