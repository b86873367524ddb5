#include "SimBytes.h"

#include <cstring>

namespace Portico {

const char* const kSimHeader = "\xFF\xFF\xFF\xFF";

SimWriter& SimWriter::Byte(uint8_t value) {
    bytes.push_back(char(value));
    return *this;
}

SimWriter& SimWriter::Int16(uint16_t value) {
    return Byte(uint8_t(value)).Byte(uint8_t(value >> 8));
}

SimWriter& SimWriter::Int32(uint32_t value) {
    return Int16(uint16_t(value)).Int16(uint16_t(value >> 16));
}

SimWriter& SimWriter::Int64(uint64_t value) {
    return Int32(uint32_t(value)).Int32(uint32_t(value >> 32));
}

SimWriter& SimWriter::Float(float value) {
    static_assert(sizeof(float) == sizeof(uint32_t), "IEEE 754 single precision");
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return Int32(bits);
}

SimWriter& SimWriter::Port(uint16_t value) {
    return Byte(uint8_t(value >> 8)).Byte(uint8_t(value));
}

SimWriter& SimWriter::Address(uint32_t ip) {
    return Byte(uint8_t(ip >> 24)).Byte(uint8_t(ip >> 16)).Byte(uint8_t(ip >> 8)).Byte(uint8_t(ip));
}

SimWriter& SimWriter::Text(const std::string& text) {
    bytes.append(text);
    return Byte(0);
}

SimWriter& SimWriter::Raw(const std::string& raw) {
    bytes.append(raw);
    return *this;
}

uint32_t ReadInt32(const char* data) {
    const auto* b = reinterpret_cast<const unsigned char*>(data);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

std::string DottedText(uint32_t ip) {
    return std::to_string(ip >> 24) + "." + std::to_string((ip >> 16) & 0xFF) + "." +
           std::to_string((ip >> 8) & 0xFF) + "." + std::to_string(ip & 0xFF);
}

std::string AddressText(uint32_t ip, uint16_t port) {
    return DottedText(ip) + ":" + std::to_string(port);
}

} // namespace Portico
