// Addresses written as text, read strictly: dotted IPv4, "a.b.c.d:port" and "host:port".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Utils {

// "a.b.c.d", each part 0 to 255 in decimal, nothing more; host order. 255.255.255.255 is an
// address like any other.
bool ParseIPv4(std::string_view text, uint32_t& ip);

// A port to reach: 1 to 65535 in decimal.
bool ParsePort(std::string_view text, uint16_t& port);

// "a.b.c.d:port" as lists and requests write an address, where port 0 has a meaning (the first
// page of a master's list, a free port): port 0 to 65535.
bool ParseIPv4Port(std::string_view text, uint32_t& ip, uint16_t& port);

// "host:port" of a server to reach: a host (not empty; up to the last colon) and a
// port of ParsePort.
bool ParseHostPort(std::string_view text, std::string& host, uint16_t& port);

} // namespace Utils
