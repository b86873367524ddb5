// The socket calls that BSD sockets and Winsock share, written once over the names that the
// platform header gives them; what differs is in SocketShim_win.cpp and SocketShim_posix.cpp.
#include "utils/SocketShim.h"

#if defined(_WIN32)
#include "utils/SocketShim_win.h"
#else
#include "utils/SocketShim_posix.h"
#endif

namespace Utils {
namespace SocketShim {

namespace {

Received Failed(int error, bool retry) {
    return {retry ? Outcome::Retry : Outcome::Error, 0, error, 0, 0};
}

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
    const Native::Socket socket = ::socket(AF_INET, type | Native::kOpenFlags, protocol);
    return socket == Native::kInvalid ? kNoSocket : Handle(socket);
}

int SetLinger(Handle socket, linger value) {
    return ResultOf(setsockopt(Native::Of(socket), SOL_SOCKET, SO_LINGER,
                               reinterpret_cast<const char*>(&value), sizeof value));
}

} // namespace

Handle OpenDatagram() {
    return Open(SOCK_DGRAM, IPPROTO_UDP);
}

Handle OpenStream() {
    return Open(SOCK_STREAM, IPPROTO_TCP);
}

void Shutdown(Handle socket) {
    shutdown(Native::Of(socket), Native::kShutdownBoth);
}

int Bind(Handle socket, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return ResultOf(
        bind(Native::Of(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int Connect(Handle socket, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return ResultOf(
        connect(Native::Of(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int Listen(Handle socket) {
    return ResultOf(listen(Native::Of(socket), SOMAXCONN));
}

// Linger off: the same as Winsock's SO_DONTLINGER.
int SetDontLinger(Handle socket) {
    return SetLinger(socket, {0, 0});
}

int SetAbortiveClose(Handle socket) {
    return SetLinger(socket, {1, 0});
}

uint16_t LocalPort(Handle socket) {
    sockaddr_in address{};
    Native::AddressLength length = sizeof address;
    if (getsockname(Native::Of(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

Received ReceiveFrom(Handle socket, uint8_t* buffer, uint32_t capacity) {
    sockaddr_in from{};
    Native::AddressLength length = sizeof from;
    const auto bytes = recvfrom(Native::Of(socket), reinterpret_cast<char*>(buffer),
                                Native::BufferLength(capacity), Native::kReceiveFromFlags,
                                reinterpret_cast<sockaddr*>(&from), &length);
    return DatagramOutcome(bytes, capacity, ntohl(from.sin_addr.s_addr), ntohs(from.sin_port));
}

Received Receive(Handle socket, uint8_t* buffer, uint32_t capacity) {
    return StreamOutcome(recv(Native::Of(socket), reinterpret_cast<char*>(buffer),
                              Native::BufferLength(capacity), 0));
}

int32_t SendTo(Handle socket, const uint8_t* data, uint32_t size, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return int32_t(sendto(Native::Of(socket), reinterpret_cast<const char*>(data),
                          Native::BufferLength(size), Native::kSendFlags,
                          reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int32_t Send(Handle socket, const uint8_t* data, uint32_t size) {
    return int32_t(send(Native::Of(socket), reinterpret_cast<const char*>(data),
                        Native::BufferLength(size), Native::kSendFlags));
}

// inet_pton rather than inet_addr, whose failure value is the address 255.255.255.255.
bool ParseIPv4(const char* text, uint32_t& ip) {
    in_addr address{};
    if (inet_pton(AF_INET, text, &address) != 1)
        return false;
    ip = ntohl(address.s_addr);
    return true;
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

// A remote sender must not be able to stop a receive thread: an unreachable port reported back
// for an earlier send (Winsock's connection reset, ICMP refused elsewhere) and a datagram too
// large for the buffer are both dropped and the thread receives again.
bool IsDatagramRetry(int error) {
    switch (error) {
    case Error::kInterrupted:
    case Error::kWouldBlock:
    case Error::kTryAgain:
    case Error::kConnectionReset:
    case Error::kNetworkReset:
    case Error::kConnectionRefused:
    case Error::kMessageSize:
        return true;
    default:
        return false;
    }
}

bool IsStreamRetry(int error) {
    switch (error) {
    case Error::kNotEnoughMemory:
    case Error::kInterrupted:
    case Error::kFault:
    case Error::kWouldBlock:
    case Error::kTryAgain:
        return true;
    default:
        return false;
    }
}

Received DatagramOutcome(int64_t bytes, uint32_t capacity, uint32_t ip, uint16_t port) {
    if (bytes < 0) {
        const int error = LastError();
        return Failed(error, IsDatagramRetry(error));
    }
    if (bytes > int64_t(capacity))
        return Failed(Error::kMessageSize, true);
    return {Outcome::Data, uint32_t(bytes), 0, ip, port};
}

Received StreamOutcome(int64_t bytes) {
    if (bytes < 0) {
        const int error = LastError();
        return Failed(error, IsStreamRetry(error));
    }
    if (bytes == 0)
        return {Outcome::Closed, 0, 0, 0, 0};
    return {Outcome::Data, uint32_t(bytes), 0, 0, 0};
}

} // namespace SocketShim
} // namespace Utils
