#include "plugin/HookBlock.h"

#include <cstring>

namespace Portico {

size_t Utf8CutLength(const char* text, size_t length, size_t maxBytes) {
    if (length <= maxBytes)
        return length;
    // Back up over continuation bytes (10xxxxxx) so that the cut lands before a lead byte.
    size_t cut = maxBytes;
    while (cut > 0 && (uint8_t(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

void FillHookBlock(uint8_t* block, uint32_t window, const char* utf8Name, size_t length) {
    for (uint32_t i = 0; i < 4; ++i)
        block[i] = uint8_t(window >> (8 * i));
    std::memset(block + kHookNameOffset, 0, kHookNameBytes);
    std::memcpy(block + kHookNameOffset, utf8Name, Utf8CutLength(utf8Name, length, kHookNameBytes));
}

} // namespace Portico
