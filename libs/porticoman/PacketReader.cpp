#include "PacketReader.h"

#include <cstring>

namespace Portico {

bool PacketReader::Take(uint32_t count, const uint8_t*& bytes) {
    if (count > Remaining())
        return false;
    bytes = data + position;
    position += count;
    return true;
}

bool PacketReader::U8(uint8_t& value) {
    const uint8_t* b;
    if (!Take(1, b))
        return false;
    value = b[0];
    return true;
}

bool PacketReader::U16(uint16_t& value) {
    const uint8_t* b;
    if (!Take(2, b))
        return false;
    value = uint16_t(b[0] | b[1] << 8);
    return true;
}

bool PacketReader::U16BigEndian(uint16_t& value) {
    const uint8_t* b;
    if (!Take(2, b))
        return false;
    value = uint16_t(b[0] << 8 | b[1]);
    return true;
}

bool PacketReader::U32(uint32_t& value) {
    const uint8_t* b;
    if (!Take(4, b))
        return false;
    value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
}

bool PacketReader::I32(int32_t& value) {
    uint32_t raw;
    if (!U32(raw))
        return false;
    value = static_cast<int32_t>(raw);
    return true;
}

bool PacketReader::U32BigEndian(uint32_t& value) {
    const uint8_t* b;
    if (!Take(4, b))
        return false;
    value = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | uint32_t(b[3]);
    return true;
}

bool PacketReader::F32(float& value) {
    uint32_t raw;
    if (!U32(raw))
        return false;
    std::memcpy(&value, &raw, sizeof value);
    return true;
}

bool PacketReader::Skip(uint32_t count) {
    const uint8_t* b;
    return Take(count, b);
}

bool PacketReader::CString(std::string_view& text) {
    if (Remaining() == 0)
        return false;
    const void* nul = std::memchr(Here(), 0, Remaining());
    if (!nul)
        return false;
    const auto length = uint32_t(static_cast<const uint8_t*>(nul) - Here());
    text = std::string_view(reinterpret_cast<const char*>(Here()), length);
    position += length + 1;
    return true;
}

bool PacketReader::Literal(std::string_view literal) {
    if (literal.empty())
        return true;
    if (literal.size() > Remaining() || std::memcmp(Here(), literal.data(), literal.size()) != 0)
        return false;
    position += uint32_t(literal.size());
    return true;
}

std::string_view PacketReader::Rest() {
    if (Remaining() == 0)
        return {};
    std::string_view rest(reinterpret_cast<const char*>(Here()), Remaining());
    position = size;
    return rest;
}

} // namespace Portico
