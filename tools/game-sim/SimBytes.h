// Byte strings of the simulator's datagrams and packets: explicit byte order, whatever the
// machine's.
#pragma once

#include <cstdint>
#include <string>

namespace Portico {

using SimBytes = std::string;

// The four bytes that start every connectionless datagram.
extern const char* const kSimHeader;

class SimWriter {
public:
    SimWriter& Byte(uint8_t value);
    SimWriter& Int16(uint16_t value); // little-endian
    SimWriter& Int32(uint32_t value); // little-endian
    SimWriter& Int64(uint64_t value); // little-endian
    SimWriter& Float(float value);    // IEEE 754, little-endian
    SimWriter& Port(uint16_t value);  // big-endian
    SimWriter& Address(uint32_t ip);  // four bytes, first octet first
    // The text and its NUL.
    SimWriter& Text(const std::string& text);
    SimWriter& Raw(const std::string& bytes);

    const SimBytes& Bytes() const { return bytes; }
    SimBytes Take() { return std::move(bytes); }

private:
    SimBytes bytes;
};

// Little-endian reads for the few fields the simulator takes from requests.
uint32_t ReadInt32(const char* data);

// Dotted text of a host-order address, and "a.b.c.d:port".
std::string DottedText(uint32_t ip);
std::string AddressText(uint32_t ip, uint16_t port);

} // namespace Portico
