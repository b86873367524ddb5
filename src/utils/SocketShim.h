// Thin layer over the platform's sockets (Winsock 2 on Windows, BSD sockets elsewhere), so the
// socket classes hold one implementation. Error numbers are Winsock's on every platform, and
// receive calls report one of four outcomes.
#pragma once

#include <cstdint>

namespace Utils {
namespace SocketShim {

using Handle = std::uintptr_t;
constexpr Handle kNoSocket = ~Handle(0);

// Winsock's error numbers; the POSIX side translates errno into these.
namespace Error {
constexpr int kNotEnoughMemory = 8;
constexpr int kInterrupted = 10004;
constexpr int kBadHandle = 10009;
constexpr int kAccessDenied = 10013;
constexpr int kFault = 10014;
constexpr int kInvalid = 10022;
constexpr int kTooManySockets = 10024;
constexpr int kWouldBlock = 10035;
constexpr int kInProgress = 10036;
constexpr int kAlready = 10037;
constexpr int kNotSocket = 10038;
constexpr int kMessageSize = 10040;
constexpr int kNoProtocolOption = 10042;
constexpr int kNotSupported = 10045;
constexpr int kAddressInUse = 10048;
constexpr int kAddressNotAvailable = 10049;
constexpr int kNetworkDown = 10050;
constexpr int kNetworkUnreachable = 10051;
constexpr int kNetworkReset = 10052;
constexpr int kConnectionAborted = 10053;
constexpr int kConnectionReset = 10054;
constexpr int kNoBuffers = 10055;
constexpr int kIsConnected = 10056;
constexpr int kNotConnected = 10057;
constexpr int kShutDown = 10058;
constexpr int kTimedOut = 10060;
constexpr int kConnectionRefused = 10061;
constexpr int kHostUnreachable = 10065;
constexpr int kTryAgain = 11002;
} // namespace Error

enum class Outcome {
    Data,   // size bytes are in the buffer (a datagram may have 0)
    Retry,  // a transient error or a dropped datagram: receive again
    Closed, // the peer closed the connection
    Error,  // the socket is unusable
};

struct Received {
    Outcome outcome;
    uint32_t size; // bytes received (Data)
    int error;     // error number (Retry, Error), else 0
    uint32_t ip;   // sender, host order (datagrams)
    uint16_t port; // sender, host order (datagrams)
};

// Winsock start-up and clean-up; nothing to do elsewhere.
bool StartUp();
void CleanUp();

Handle OpenDatagram();
Handle OpenStream();
void CloseSocket(Handle socket);
// Both directions; also wakes a thread waiting on the socket.
void Shutdown(Handle socket);
// Error number of the last failed call on this thread.
int LastError();

// 0 or the error number. Addresses and ports in host order.
int Bind(Handle socket, uint32_t ip, uint16_t port);
int Connect(Handle socket, uint32_t ip, uint16_t port);
int Listen(Handle socket);
int SetBlocking(Handle socket);
// A listener may bind its port again while connections of an earlier listener wait out their
// close (BSD sockets refuse that by default; Winsock allows it, and its SO_REUSEADDR would let
// another program take the port, so there it does nothing).
int AllowListenerRebind(Handle socket);
int SetDontLinger(Handle socket);
// Closing then resets the connection instead of ending it in order.
int SetAbortiveClose(Handle socket);
Handle Accept(Handle listener);
// 0 when the socket is not bound.
uint16_t LocalPort(Handle socket);

// True when something waits to be received (data, end or error); false when waitMs passed
// first or the wait was interrupted.
bool WaitReadable(Handle socket, uint32_t waitMs);
// One datagram; one larger than capacity is dropped and reported as Retry.
Received ReceiveFrom(Handle socket, uint8_t* buffer, uint32_t capacity);
Received Receive(Handle socket, uint8_t* buffer, uint32_t capacity);
// Bytes sent, or -1 (LastError tells why).
int32_t SendTo(Handle socket, const uint8_t* data, uint32_t size, uint32_t ip, uint16_t port);
int32_t Send(Handle socket, const uint8_t* data, uint32_t size);

// Dotted-decimal IPv4 text ("a.b.c.d", nothing more) to host order; false when it is not one.
bool ParseIPv4(const char* text, uint32_t& ip);
// First IPv4 address of a host name, host order.
bool LookUpName(const char* name, uint32_t& ip);

// Errors after which a receive thread carries on.
bool IsDatagramRetry(int error);
bool IsStreamRetry(int error);

// Used by the platform files: the outcome of a receive call that returned bytes (-1 on
// failure, then LastError is read). A datagram receive reports a datagram's full length.
Received DatagramOutcome(int64_t bytes, uint32_t capacity, uint32_t ip, uint16_t port);
Received StreamOutcome(int64_t bytes);

} // namespace SocketShim
} // namespace Utils
