// The few socket calls the loopback HTTP server of the tests needs, on 127.0.0.1 only.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Portico::Test::LoopbackSocket {

using Handle = intptr_t;
constexpr Handle kInvalid = -1;

// A listening socket on 127.0.0.1 and a port the system chose; kInvalid on failure.
Handle Listen(uint16_t& port);
// Waits up to timeoutMs for a connection; kInvalid when none came.
Handle Accept(Handle listener, int timeoutMs);
// Reads what is there, waiting at most timeoutMs: bytes read, 0 when closed or timed out.
int Receive(Handle socket, char* buffer, int size, int timeoutMs);
bool SendAll(Handle socket, const char* data, size_t size);
void Close(Handle socket);

} // namespace Portico::Test::LoopbackSocket
