#include "utils/ResolveHost.h"

#include "utils/AddressText.h"
#include "utils/SocketShim.h"

#include <cctype>

namespace Utils {

uint32_t ResolveHost(const char* text) {
    if (!text || !*text)
        return kNoAddress;
    if (std::isalpha(static_cast<unsigned char>(text[0]))) {
        uint32_t ip;
        return SocketShim::LookUpName(text, ip) ? ip : kNoAddress;
    }
    uint32_t ip;
    return ParseIPv4(text, ip) ? ip : kNoAddress;
}

} // namespace Utils
