#include "LoopbackSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace Portico::Test::LoopbackSocket {

namespace {

bool Started() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

bool WaitReadable(Handle socket, int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(static_cast<SOCKET>(socket), &readable);
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return select(0, &readable, nullptr, nullptr, &timeout) == 1;
}

} // namespace

Handle Listen(uint16_t& port) {
    if (!Started())
        return kInvalid;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return kInvalid;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(s, 16) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(s);
        return kInvalid;
    }
    port = ntohs(address.sin_port);
    return static_cast<Handle>(s);
}

Handle Accept(Handle listener, int timeoutMs) {
    if (!WaitReadable(listener, timeoutMs))
        return kInvalid;
    const SOCKET s = accept(static_cast<SOCKET>(listener), nullptr, nullptr);
    return s == INVALID_SOCKET ? kInvalid : static_cast<Handle>(s);
}

int Receive(Handle socket, char* buffer, int size, int timeoutMs) {
    if (!WaitReadable(socket, timeoutMs))
        return 0;
    const int n = recv(static_cast<SOCKET>(socket), buffer, size, 0);
    return n > 0 ? n : 0;
}

bool SendAll(Handle socket, const char* data, size_t size) {
    while (size > 0) {
        const int n = send(static_cast<SOCKET>(socket), data, int(size), 0);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void Close(Handle socket) {
    shutdown(static_cast<SOCKET>(socket), SD_SEND);
    closesocket(static_cast<SOCKET>(socket));
}

} // namespace Portico::Test::LoopbackSocket
