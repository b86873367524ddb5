// Source RCON over TCP: the packet layout (size, request id, type, body, empty string; every
// integer 32-bit little-endian) and the building of the packets the console sends.
#pragma once

#include "utils/OutStreamT.h"

#include <cstdint>
#include <string>

namespace Portico {

namespace SourceRcon {
constexpr int32_t kResponseValue = 0;
constexpr int32_t kExecCommand = 2;
constexpr int32_t kAuthResponse = 2;
constexpr int32_t kAuth = 3;

// The size field counts the bytes after it: id, type, body and two NULs.
constexpr uint32_t kMinSize = 10;
constexpr uint32_t kMaxSize = 4096;
// Sizes a little above the protocol's maximum are still read; anything beyond is a broken or
// hostile stream, which would otherwise make the client buffer without end.
constexpr uint32_t kSizeLimit = kMaxSize + 4096;
// Longest body of a packet the console sends, so that servers take it.
constexpr uint32_t kMaxBody = kMaxSize - kMinSize;
} // namespace SourceRcon

struct SourceRconPacket {
    int32_t id = 0;
    int32_t type = 0;
    std::string body;
};

// The whole packet: the size field, id, type, the body up to its first NUL, two NULs.
Utils::OutStreamT<unsigned char> BuildSourceRconPacket(int32_t id, int32_t type,
                                                       const std::string& body);

uint32_t ReadLittleEndian32(const unsigned char* bytes);

} // namespace Portico
