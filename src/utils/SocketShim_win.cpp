#include "utils/SocketShim_win.h"

namespace Utils {
namespace SocketShim {

namespace {

// Bytes waiting to be received (for a stream) or the size of the next datagram.
bool Pending(Handle socket) {
    u_long bytes = 0;
    return ioctlsocket(Native::Of(socket), FIONREAD, &bytes) == 0 && bytes > 0;
}

} // namespace

bool StartUp() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void CleanUp() {
    WSACleanup();
}

// Winsock's numbers are the common ones: nothing to translate.
int LastError() {
    return WSAGetLastError();
}

void CloseSocket(Handle socket) {
    closesocket(Native::Of(socket));
}

Handle Accept(Handle listener) {
    const SOCKET socket = accept(Native::Of(listener), nullptr, nullptr);
    return socket == INVALID_SOCKET ? kNoSocket : Handle(socket);
}

int SetBlocking(Handle socket) {
    u_long nonBlocking = 0;
    return ioctlsocket(Native::Of(socket), FIONBIO, &nonBlocking) == 0 ? 0 : LastError();
}

// Wine's select, with many threads of one process waiting, now and then times out over data
// that is already there, again and again: what is pending is taken first, without a wait, so
// that a receive thread drains its buffer whatever select says.
bool WaitReadable(Handle socket, uint32_t waitMs) {
    if (Pending(socket))
        return true;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Native::Of(socket), &readable);
    timeval wait{long(waitMs / 1000), long(waitMs % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == 0)
        return Pending(socket);
    return ready > 0 || WSAGetLastError() != WSAEINTR;
}

int AllowListenerRebind(Handle) {
    return 0;
}

} // namespace SocketShim
} // namespace Utils
