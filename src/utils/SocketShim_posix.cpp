#include "utils/SocketShim_posix.h"

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

void CloseSocket(Handle socket) {
    close(Native::Of(socket));
}

Handle Accept(Handle listener) {
    const int fd = accept4(Native::Of(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return fd < 0 ? kNoSocket : Handle(fd);
}

int SetBlocking(Handle socket) {
    const int flags = fcntl(Native::Of(socket), F_GETFL);
    if (flags < 0 || fcntl(Native::Of(socket), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return LastError();
    return 0;
}

int AllowListenerRebind(Handle socket) {
    const int on = 1;
    if (setsockopt(Native::Of(socket), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0)
        return LastError();
    return 0;
}

// poll rather than select: select cannot watch descriptors numbered past FD_SETSIZE.
bool WaitReadable(Handle socket, uint32_t waitMs) {
    pollfd watch{Native::Of(socket), POLLIN, 0};
    const int ready = poll(&watch, 1, int(waitMs));
    return ready > 0 || (ready < 0 && errno != EINTR);
}

} // namespace SocketShim
} // namespace Utils
