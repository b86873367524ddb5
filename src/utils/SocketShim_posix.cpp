#include "utils/SocketShim.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Utils {
namespace SocketShim {

namespace {

struct Twin {
    int posix;
    int winsock;
};

// The one place where errno becomes Winsock's number.
constexpr Twin kTwins[] = {
    {ENOMEM, Error::kNotEnoughMemory},
    {EINTR, Error::kInterrupted},
    {EBADF, Error::kBadHandle},
    {EACCES, Error::kAccessDenied},
    {EFAULT, Error::kFault},
    {EINVAL, Error::kInvalid},
    {EMFILE, Error::kTooManySockets},
    {ENFILE, Error::kTooManySockets},
    {EAGAIN, Error::kWouldBlock},
    {EWOULDBLOCK, Error::kWouldBlock},
    {EINPROGRESS, Error::kInProgress},
    {EALREADY, Error::kAlready},
    {ENOTSOCK, Error::kNotSocket},
    {EMSGSIZE, Error::kMessageSize},
    {ENOPROTOOPT, Error::kNoProtocolOption},
    {EOPNOTSUPP, Error::kNotSupported},
    {EADDRINUSE, Error::kAddressInUse},
    {EADDRNOTAVAIL, Error::kAddressNotAvailable},
    {ENETDOWN, Error::kNetworkDown},
    {ENETUNREACH, Error::kNetworkUnreachable},
    {ENETRESET, Error::kNetworkReset},
    {ECONNABORTED, Error::kConnectionAborted},
    {ECONNRESET, Error::kConnectionReset},
    {ENOBUFS, Error::kNoBuffers},
    {EISCONN, Error::kIsConnected},
    {ENOTCONN, Error::kNotConnected},
    {EPIPE, Error::kShutDown},
    {ESHUTDOWN, Error::kShutDown},
    {ETIMEDOUT, Error::kTimedOut},
    {ECONNREFUSED, Error::kConnectionRefused},
    {EHOSTUNREACH, Error::kHostUnreachable},
};

int Fd(Handle socket) {
    return static_cast<int>(socket);
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
    const int fd = socket(AF_INET, type | SOCK_CLOEXEC, protocol);
    return fd < 0 ? kNoSocket : Handle(fd);
}

} // namespace

bool StartUp() {
    return true;
}
void CleanUp() {}

int LastError() {
    const int error = errno;
    for (const Twin& twin : kTwins)
        if (twin.posix == error)
            return twin.winsock;
    return error; // below 10000: cannot be taken for a Winsock number
}

Handle OpenDatagram() {
    return Open(SOCK_DGRAM, IPPROTO_UDP);
}
Handle OpenStream() {
    return Open(SOCK_STREAM, IPPROTO_TCP);
}
void CloseSocket(Handle socket) {
    close(Fd(socket));
}
void Shutdown(Handle socket) {
    shutdown(Fd(socket), SHUT_RDWR);
}

int Bind(Handle socket, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return ResultOf(bind(Fd(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int Connect(Handle socket, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return ResultOf(
        connect(Fd(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int Listen(Handle socket) {
    return ResultOf(listen(Fd(socket), SOMAXCONN));
}

Handle Accept(Handle listener) {
    const int fd = accept4(Fd(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return fd < 0 ? kNoSocket : Handle(fd);
}

void SetBlocking(Handle socket) {
    const int flags = fcntl(Fd(socket), F_GETFL);
    if (flags >= 0)
        fcntl(Fd(socket), F_SETFL, flags & ~O_NONBLOCK);
}

void SetDontLinger(Handle socket) {
    const linger off{0, 0};
    setsockopt(Fd(socket), SOL_SOCKET, SO_LINGER, &off, sizeof off);
}

void SetAbortiveClose(Handle socket) {
    const linger reset{1, 0};
    setsockopt(Fd(socket), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
}

uint16_t LocalPort(Handle socket) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

// poll rather than select: select cannot watch descriptors numbered past FD_SETSIZE.
bool WaitReadable(Handle socket, uint32_t waitMs) {
    pollfd watch{Fd(socket), POLLIN, 0};
    const int ready = poll(&watch, 1, int(waitMs));
    return ready > 0 || (ready < 0 && errno != EINTR);
}

// MSG_TRUNC makes the call report a datagram's full length, so an oversized one is seen.
Received ReceiveFrom(Handle socket, uint8_t* buffer, uint32_t capacity) {
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t bytes = recvfrom(Fd(socket), buffer, capacity, MSG_TRUNC,
                                   reinterpret_cast<sockaddr*>(&from), &length);
    return DatagramOutcome(bytes, capacity, ntohl(from.sin_addr.s_addr), ntohs(from.sin_port));
}

Received Receive(Handle socket, uint8_t* buffer, uint32_t capacity) {
    return StreamOutcome(recv(Fd(socket), buffer, capacity, 0));
}

int32_t SendTo(Handle socket, const uint8_t* data, uint32_t size, uint32_t ip, uint16_t port) {
    const sockaddr_in address = MakeAddress(ip, port);
    return int32_t(sendto(Fd(socket), data, size, MSG_NOSIGNAL,
                          reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

// MSG_NOSIGNAL: a peer that went away must give an error, not end the process by SIGPIPE.
int32_t Send(Handle socket, const uint8_t* data, uint32_t size) {
    return int32_t(send(Fd(socket), data, size, MSG_NOSIGNAL));
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
