#include "utils/SocketShim.h"

namespace Utils {
namespace SocketShim {

namespace {

Received Failed(int error, bool retry) {
    return {retry ? Outcome::Retry : Outcome::Error, 0, error, 0, 0};
}

} // namespace

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
