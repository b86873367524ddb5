#include "browser/AddressText.h"

#include "utils/ResolveHost.h"
#include "utils/Utf.h"

#include <algorithm>
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

// Units are kept as typed (a lone half of a pair too); only a pair across the cut goes whole.
std::u16string AddressText::Cut(const std::u16string& text) {
    size_t length = std::min(text.find(u'\0'), std::min(text.size(), kMaxUnits));
    const bool splitsPair = length < text.size() && length > 0 && text[length - 1] >= 0xD800 &&
                            text[length - 1] <= 0xDBFF && text[length] >= 0xDC00 &&
                            text[length] <= 0xDFFF;
    if (splitsPair)
        --length;
    return text.substr(0, length);
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
