#include "LoopbackSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Portico::Test::LoopbackSocket {

namespace {

bool WaitReadable(Handle socket, int timeoutMs) {
    pollfd entry{static_cast<int>(socket), POLLIN, 0};
    return poll(&entry, 1, timeoutMs) == 1;
}

} // namespace

Handle Listen(uint16_t& port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return kInvalid;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(s, 16) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(s);
        return kInvalid;
    }
    port = ntohs(address.sin_port);
    return s;
}

Handle Accept(Handle listener, int timeoutMs) {
    if (!WaitReadable(listener, timeoutMs))
        return kInvalid;
    const int s = accept(static_cast<int>(listener), nullptr, nullptr);
    return s < 0 ? kInvalid : s;
}

int Receive(Handle socket, char* buffer, int size, int timeoutMs) {
    if (!WaitReadable(socket, timeoutMs))
        return 0;
    const ssize_t n = recv(static_cast<int>(socket), buffer, size_t(size), 0);
    return n > 0 ? int(n) : 0;
}

bool SendAll(Handle socket, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = send(static_cast<int>(socket), data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void Close(Handle socket) {
    shutdown(static_cast<int>(socket), SHUT_WR);
    close(static_cast<int>(socket));
}

} // namespace Portico::Test::LoopbackSocket
