#include "browser/TextCompare.h"

#include <cstdint>

namespace Portico {
namespace {

uint32_t Fold(uint32_t unit) {
    if (unit >= 'A' && unit <= 'Z')
        return unit + 32;
    // Latin-1 capitals À to Þ, except the multiplication sign.
    if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7)
        return unit + 32;
    return unit;
}

template <typename Unit, typename Widen>
int Compare(const Unit* a, size_t aLength, const Unit* b, size_t bLength, Widen widen) {
    const size_t n = aLength < bLength ? aLength : bLength;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t x = widen(a[i]), y = widen(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
}

} // namespace

int CompareNoCase(const std::u16string& a, const std::u16string& b) {
    return Compare(a.data(), a.size(), b.data(), b.size(),
                   [](char16_t unit) { return Fold(unit); });
}

int CompareNoCase(const char* a, size_t aLength, const char* b, size_t bLength) {
    // Only ASCII letters fold here: a byte above 127 is part of a UTF-8 sequence.
    return Compare(a, aLength, b, bLength, [](char unit) {
        const uint32_t byte = uint8_t(unit);
        return byte < 0x80 ? Fold(byte) : byte;
    });
}

} // namespace Portico
