#include "browser/AddressText.h"

#include "utils/ResolveHost.h"
#include "utils/Utf.h"

#include <charconv>
#include <string>

namespace Portico {
namespace {

// Host names are 8-bit text: a unit outside ASCII cannot be part of one.
std::string HostBytes(const std::u16string& host) {
    std::string bytes;
    for (char16_t unit : host)
        bytes += unit < 0x80 ? char(unit) : '?';
    return bytes;
}

// The leading decimal digits; 0 when there are none or they do not fit a port.
uint16_t ReadPort(const std::u16string& text) {
    std::string digits;
    for (char16_t unit : text) {
        if (unit < u'0' || unit > u'9')
            break;
        digits += char(unit);
    }
    uint32_t value = 0;
    const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (read.ec != std::errc() || value > 0xFFFF)
        return 0;
    return uint16_t(value);
}

} // namespace

std::u16string AddressText::Cut(const std::u16string& text) {
    char16_t field[kMaxUnits + 1];
    Utils::Utf::CopyToField(field, kMaxUnits + 1, std::u16string_view(text.data(), text.size()));
    return field;
}

AddressText::Result AddressText::Parse(const std::u16string& text, uint16_t gameId,
                                       Resolver resolve) {
    const size_t colon = text.find(u':');
    if (colon == std::u16string::npos)
        return {kNoColonText, {}};
    const uint32_t ip = resolve(HostBytes(text.substr(0, colon)).c_str());
    const uint16_t port = ReadPort(text.substr(colon + 1));
    if (port == 0 || ip == Utils::kNoAddress)
        return {kUnusableText, {}};
    return {0, ServerAddress{ip, port, gameId}};
}

} // namespace Portico
