// Builds reply datagrams byte by byte for the protocol tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace ProtocolTest {

class Packet {
public:
    Packet& Bytes(std::initializer_list<uint8_t> bytes) {
        data.insert(data.end(), bytes);
        return *this;
    }
    Packet& Header() { return Bytes({0xFF, 0xFF, 0xFF, 0xFF}); }
    // The header of a piece of a split answer, and the answer's id.
    Packet& SplitHeader(uint32_t id) { return Bytes({0xFE, 0xFF, 0xFF, 0xFF}).U32(id); }
    Packet& U8(uint8_t v) { return Bytes({v}); }
    Packet& U16(uint16_t v) { return Bytes({uint8_t(v), uint8_t(v >> 8)}); }
    Packet& U16Be(uint16_t v) { return Bytes({uint8_t(v >> 8), uint8_t(v)}); }
    Packet& U32(uint32_t v) {
        return Bytes({uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
    }
    Packet& F32(float v) {
        uint32_t raw;
        std::memcpy(&raw, &v, 4);
        return U32(raw);
    }
    Packet& Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) { return Bytes({a, b, c, d}); }
    // Text and its NUL.
    Packet& Str(const std::string& text) {
        Text(text);
        data.push_back(0);
        return *this;
    }
    // Text without a NUL.
    Packet& Text(const std::string& text) {
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
    Packet& Append(const std::vector<uint8_t>& more) {
        data.insert(data.end(), more.begin(), more.end());
        return *this;
    }

    std::vector<uint8_t> data;
};

inline uint32_t Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    return uint32_t(a) << 24 | uint32_t(b) << 16 | uint32_t(c) << 8 | d;
}

} // namespace ProtocolTest
