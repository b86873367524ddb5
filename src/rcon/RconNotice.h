// What the remote console's transports tell its window: the wParam of kMsgRconNotify, sent
// synchronously from their threads (a text in lParam lives only during the call).
#pragma once

#include "utils/SocketShim.h"

#include <cstdint>

namespace Portico {

namespace RconNotice {
constexpr intptr_t kRejected = 0;    // TCP: the server refused the password
constexpr intptr_t kOutput = 1;      // lParam: the server's text; 0 for the login's answer (TCP)
constexpr intptr_t kChallenge = 2;   // lParam: the challenge number (UDP)
constexpr intptr_t kEndOfOutput = 3; // lParam: the end marker the server mirrored (TCP)
constexpr intptr_t kConnected = 4;   // TCP: connected and the login sent
constexpr intptr_t kEnded = -1; // lParam: why the connection ended (RconEnd, or a socket error)
} // namespace RconNotice

// Reasons in the lParam of kEnded besides the socket's own error numbers.
namespace RconEnd {
constexpr intptr_t kServerClosed = 0;
// The connection could not be made.
constexpr intptr_t kNotConnected = Utils::SocketShim::Error::kNotConnected;
// The server sent a packet beyond the size limit.
constexpr intptr_t kProtocolError = Utils::SocketShim::Error::kMessageSize;
} // namespace RconEnd

} // namespace Portico
