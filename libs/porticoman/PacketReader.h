// Bounds-checked reading of one received datagram: every read says whether the bytes were
// there, so a short packet is a bad answer and never a read past the end.
#pragma once

#include <cstdint>
#include <string_view>

namespace Portico {

class PacketReader {
public:
    PacketReader(const uint8_t* data, uint32_t size) : data(data), size(size) {}

    bool U8(uint8_t& value);
    bool U16(uint16_t& value);          // little-endian
    bool U16BigEndian(uint16_t& value); // ports in master lists
    bool U32(uint32_t& value);          // little-endian
    bool I32(int32_t& value);
    bool U32BigEndian(uint32_t& value); // addresses in master lists
    bool F32(float& value);
    bool Skip(uint32_t count);
    // Text up to its NUL; false when the datagram ends before a NUL.
    bool CString(std::string_view& text);
    // Consumes the literal when the unread bytes start with it.
    bool Literal(std::string_view literal);
    // Everything that is left; the reader is then at the end.
    std::string_view Rest();

    uint32_t Remaining() const { return size - position; }
    const uint8_t* Here() const { return data + position; }

private:
    bool Take(uint32_t count, const uint8_t*& bytes);

    const uint8_t* data;
    uint32_t size;
    uint32_t position = 0;
};

} // namespace Portico
