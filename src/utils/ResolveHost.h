// Host name or dotted IPv4 text to an address.
#pragma once

#include <cstdint>

namespace Utils {

constexpr uint32_t kNoAddress = 0xFFFFFFFF;

// Host order. Text that begins with a letter is looked up as a host name; other text must be a
// dotted address. kNoAddress when the lookup fails or the text is not an address (so the
// dotted 255.255.255.255 cannot be told from a failure).
uint32_t ResolveHost(const char* text);

} // namespace Utils
