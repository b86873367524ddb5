// Winsock under the names that the shim's common code uses. Included only by the shim's
// source files.
#pragma once

#include "utils/SocketShim.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace Utils {
namespace SocketShim {
namespace Native {

using Socket = SOCKET;
using AddressLength = int;
using BufferLength = int;

constexpr Socket kInvalid = INVALID_SOCKET;
constexpr int kOpenFlags = 0;
constexpr int kShutdownBoth = SD_BOTH;
constexpr int kSendFlags = 0;
// An oversized datagram fails with WSAEMSGSIZE and is discarded by Winsock.
constexpr int kReceiveFromFlags = 0;

inline Socket Of(Handle socket) {
    return static_cast<Socket>(socket);
}

} // namespace Native
} // namespace SocketShim
} // namespace Utils
