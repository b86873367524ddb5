// BSD sockets under the names that the shim's common code uses. Included only by the shim's
// source files.
#pragma once

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
namespace Native {

using Socket = int;
using AddressLength = socklen_t;
using BufferLength = size_t;

constexpr Socket kInvalid = -1;
constexpr int kOpenFlags = SOCK_CLOEXEC;
constexpr int kShutdownBoth = SHUT_RDWR;
// A peer that went away must give an error, not end the process by SIGPIPE.
constexpr int kSendFlags = MSG_NOSIGNAL;
// The call reports a datagram's full length, so an oversized one is seen.
constexpr int kReceiveFromFlags = MSG_TRUNC;

inline Socket Of(Handle socket) {
    return static_cast<Socket>(socket);
}

} // namespace Native
} // namespace SocketShim
} // namespace Utils
