// A numbered set of UDP sockets of one class T (derived from Utils::UdpSocket) on consecutive
// local ports. Replies are not routed here: each socket's receive thread hands its datagrams to
// that socket's OnReceive. T is constructed from (port, ip).
#pragma once

#include "utils/StreamT.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace Portico {

template <typename T> class UDPPoolT {
public:
    UDPPoolT() = default;
    UDPPoolT(const UDPPoolT&) = delete;
    UDPPoolT& operator=(const UDPPoolT&) = delete;
    virtual ~UDPPoolT() { CloseAll(); }

    // Closes every socket, then opens count new ones from the first port on, skipping ports
    // that are taken. False, with no socket left open, on any other failure or when the ports
    // run out at 65535.
    virtual bool Open(int32_t count);
    virtual void CloseAll() { sockets.clear(); }
    // SendTo of socket number index; false when there is no such socket.
    virtual bool Send(uint32_t toIp, uint16_t toPort, const Utils::StreamT<unsigned char>& stream,
                      uint32_t index);

    // First local port that Open tries; 0 picks one at random (kept for later calls).
    void SetPort(uint16_t first) { port = first; }
    // Null when index is negative or not below the number of sockets.
    T* GetSocket(int32_t index) const {
        return index < 0 || size_t(index) >= sockets.size() ? nullptr : sockets[index].get();
    }

protected:
    uint16_t port = 0;
    // Numbered in the order they were opened. Not changed while the pool is open, so Send
    // needs no lock.
    std::vector<std::unique_ptr<T>> sockets;

private:
    static constexpr uint32_t kLastPort = 65535;
    static constexpr uint16_t kLowestRandomPort = 4096;

    static uint16_t RandomPort() {
        const uint32_t random = uint32_t(std::rand() & 0xFF) * 256 + uint32_t(std::rand() & 0xFF);
        return uint16_t(random < kLowestRandomPort ? kLowestRandomPort : random);
    }
};

template <typename T> bool UDPPoolT<T>::Open(int32_t count) {
    CloseAll();
    if (port == 0)
        port = RandomPort();
    for (uint32_t candidate = port; candidate <= kLastPort && int64_t(sockets.size()) < count;
         ++candidate) {
        std::unique_ptr<T> socket(new (std::nothrow) T(uint16_t(candidate), 0));
        if (!socket)
            break;
        if (socket->Start())
            sockets.push_back(std::move(socket));
        else if (!socket->AddressInUse())
            break;
    }
    if (int64_t(sockets.size()) < count) {
        CloseAll();
        return false;
    }
    return true;
}

template <typename T>
bool UDPPoolT<T>::Send(uint32_t toIp, uint16_t toPort, const Utils::StreamT<unsigned char>& stream,
                       uint32_t index) {
    return index < sockets.size() && sockets[index]->SendTo(stream, toIp, toPort);
}

} // namespace Portico
