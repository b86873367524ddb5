#include "rcon/SourceRconReader.h"

#include <cstring>

namespace Portico {

namespace {

// A field of the packet, or 0 where the packet ends first.
int32_t FieldAt(const unsigned char* packet, uint32_t size, uint32_t offset) {
    unsigned char bytes[4] = {};
    if (offset < size)
        std::memcpy(bytes, packet + offset, size - offset < 4 ? size - offset : 4);
    return int32_t(ReadLittleEndian32(bytes));
}

} // namespace

void SourceRconReader::Append(const unsigned char* data, uint32_t size) {
    if (broken)
        return;
    if (uint64_t(buffer.Remaining()) + size > kBufferLimit) {
        broken = true;
        return;
    }
    buffer.Write(data, size);
}

SourceRconReader::Result SourceRconReader::Next(SourceRconPacket& packet) {
    if (broken)
        return Result::TooLarge;
    const uint32_t remaining = buffer.Remaining();
    if (remaining < 4)
        return Result::NeedMore;
    const unsigned char* at = buffer.Data() + buffer.Position();
    const uint32_t size = ReadLittleEndian32(at);
    if (size > SourceRcon::kSizeLimit) {
        broken = true;
        return Result::TooLarge;
    }
    if (remaining - 4 < size)
        return Result::NeedMore;
    const unsigned char* fields = at + 4;
    packet.id = FieldAt(fields, size, 0);
    packet.type = FieldAt(fields, size, 4);
    packet.body.clear();
    if (size > 8) {
        const auto* body = reinterpret_cast<const char*>(fields + 8);
        const void* nul = std::memchr(body, 0, size - 8);
        packet.body.assign(body, nul ? static_cast<const char*>(nul) - body : size - 8);
    }
    // Read packets leave the buffer at once: it holds only unread bytes.
    buffer.Erase(0, buffer.Position() + 4 + size);
    return Result::Packet;
}

void SourceRconReader::Clear() {
    buffer.Clear();
    broken = false;
}

} // namespace Portico
