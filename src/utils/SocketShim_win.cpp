#include "utils/SocketShim.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace Utils {
namespace SocketShim {

namespace {

sockaddr_in MakeAddress(uint32_t ip, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(ip);
    address.sin_port = htons(port);
    return address;
}

int ResultOf(int status) {
    return status == 0 ? 0 : LastError();
}

Handle Open(int type, int protocol) {
    const SOCKET socket = ::socket(AF_INET, type, protocol);
    return socket == INVALID_SOCKET ? kNoSocket : Handle(socket);
}

// Bytes waiting to be received (for a stream) or the size of the next datagram.
bool Pending(Handle socket) {
    u_long bytes = 0;
    return ioctlsocket(SOCKET(socket), FIONREAD, &bytes) == 0 && bytes > 0;
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

Handle OpenDatagram() {
    return Open(SOCK_DGRAM, IPPROTO_UDP);
}
Handle OpenStream() {
    return Open(SOCK_STREAM, IPPROTO_TCP);
}
void CloseSocket(Handle socket) {
    closesocket(SOCKET(socket));
}
void Shutdown(Handle socket) {
    shutdown(SOCKET(socket), SD_BOTH);
}

int Bind(Handle socket, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return ResultOf(
        bind(SOCKET(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int Connect(Handle socket, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return ResultOf(
        connect(SOCKET(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int Listen(Handle socket) {
    return ResultOf(listen(SOCKET(socket), SOMAXCONN));
}

Handle Accept(Handle listener) {
    const SOCKET socket = accept(SOCKET(listener), nullptr, nullptr);
    return socket == INVALID_SOCKET ? kNoSocket : Handle(socket);
}

void SetBlocking(Handle socket) {
    u_long nonBlocking = 0;
    ioctlsocket(SOCKET(socket), FIONBIO, &nonBlocking);
}

void SetDontLinger(Handle socket) {
    const BOOL on = TRUE;
    setsockopt(SOCKET(socket), SOL_SOCKET, SO_DONTLINGER, reinterpret_cast<const char*>(&on),
               sizeof on);
}

void SetAbortiveClose(Handle socket) {
    const linger reset{1, 0};
    setsockopt(SOCKET(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset),
               sizeof reset);
}

uint16_t LocalPort(Handle socket) {
    sockaddr_in address{};
    int length = sizeof address;
    if (getsockname(SOCKET(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

// Wine's select, with many threads of one process waiting, now and then times out over data
// that is already there, again and again: what is pending is taken first, without a wait, so
// that a receive thread drains its buffer whatever select says.
bool WaitReadable(Handle socket, uint32_t waitMs) {
    if (Pending(socket))
        return true;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(SOCKET(socket), &readable);
    timeval wait{long(waitMs / 1000), long(waitMs % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == 0)
        return Pending(socket);
    return ready > 0 || WSAGetLastError() != WSAEINTR;
}

// An oversized datagram fails with WSAEMSGSIZE and is discarded by Winsock.
Received ReceiveFrom(Handle socket, uint8_t* buffer, uint32_t capacity) {
    sockaddr_in from{};
    int length = sizeof from;
    const int bytes = recvfrom(SOCKET(socket), reinterpret_cast<char*>(buffer), int(capacity), 0,
                               reinterpret_cast<sockaddr*>(&from), &length);
    return DatagramOutcome(bytes, capacity, ntohl(from.sin_addr.s_addr), ntohs(from.sin_port));
}

Received Receive(Handle socket, uint8_t* buffer, uint32_t capacity) {
    return StreamOutcome(recv(SOCKET(socket), reinterpret_cast<char*>(buffer), int(capacity), 0));
}

int32_t SendTo(Handle socket, const uint8_t* data, uint32_t size, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return sendto(SOCKET(socket), reinterpret_cast<const char*>(data), int(size), 0,
                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

int32_t Send(Handle socket, const uint8_t* data, uint32_t size) {
    return send(SOCKET(socket), reinterpret_cast<const char*>(data), int(size), 0);
}

uint32_t ParseDotted(const char* text) {
    return ntohl(inet_addr(text));
}

bool LookUpName(const char* name, uint32_t& ip) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0)
        return false;
    ip = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return true;
}

} // namespace SocketShim
} // namespace Utils
