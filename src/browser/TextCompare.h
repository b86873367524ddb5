// Case-insensitive text comparison for sorting and finding list rows, the same on every
// platform: letters of ASCII and Latin-1 are folded, every other unit compares by its value.
#pragma once

#include <cstddef>
#include <string>

namespace Portico {

// Negative, zero or positive as a sorts before, with or after b.
int CompareNoCase(const std::u16string& a, const std::u16string& b);
// 8-bit text (map and game type fields): bytes above 127 compare by value.
int CompareNoCase(const char* a, size_t aLength, const char* b, size_t bLength);

} // namespace Portico
