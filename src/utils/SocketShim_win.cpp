#include "utils/SocketShim_win.h"

namespace Utils {
namespace SocketShim {

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

bool WaitReadable(Handle socket, uint32_t waitMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Native::Of(socket), &readable);
    timeval wait{long(waitMs / 1000), long(waitMs % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    return ready > 0 || (ready < 0 && WSAGetLastError() != WSAEINTR);
}

} // namespace SocketShim
} // namespace Utils
