#include "rcon/SourceRconPacket.h"

#include <cstring>

namespace Portico {

namespace {

void WriteLittleEndian32(unsigned char* at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace

uint32_t ReadLittleEndian32(const unsigned char* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

// The size is written last, once the length is known.
Utils::OutStreamT<unsigned char> BuildSourceRconPacket(int32_t id, int32_t type,
                                                       const std::string& body) {
    unsigned char fields[12] = {};
    WriteLittleEndian32(fields + 4, uint32_t(id));
    WriteLittleEndian32(fields + 8, uint32_t(type));
    Utils::OutStreamT<unsigned char> packet;
    packet.Write(fields, sizeof fields);
    packet << body.c_str() << static_cast<unsigned char>(0);
    WriteLittleEndian32(packet.Data(), packet.Size() - 4);
    return packet;
}

} // namespace Portico
