#include "utils/AddressText.h"

#include "utils/ParseNumber.h"
#include "utils/SocketShim.h"

namespace Utils {

namespace {

// Splits at the last colon, so that a host that holds colons (an IPv6 address in brackets)
// reads as a host that does not resolve rather than as a malformed argument; false without one.
bool Split(std::string_view text, std::string_view& host, std::string_view& port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string_view::npos)
        return false;
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    return true;
}

} // namespace

bool ParseIPv4(std::string_view text, uint32_t& ip) {
    // The system reader wants a C string: text with a NUL inside is no address.
    return text.find('\0') == std::string_view::npos &&
           SocketShim::ParseIPv4(std::string(text).c_str(), ip);
}

bool ParsePort(std::string_view text, uint16_t& port) {
    uint16_t number;
    if (!ParseDecimal(text, number) || number == 0)
        return false;
    port = number;
    return true;
}

bool ParseIPv4Port(std::string_view text, uint32_t& ip, uint16_t& port) {
    std::string_view hostText, portText;
    uint32_t address;
    uint16_t number;
    if (!Split(text, hostText, portText) || !ParseIPv4(hostText, address) ||
        !ParseDecimal(portText, number))
        return false;
    ip = address;
    port = number;
    return true;
}

bool ParseHostPort(std::string_view text, std::string& host, uint16_t& port) {
    std::string_view hostText, portText;
    uint16_t number;
    if (!Split(text, hostText, portText) || hostText.empty() || !ParsePort(portText, number))
        return false;
    host = hostText;
    port = number;
    return true;
}

} // namespace Utils
