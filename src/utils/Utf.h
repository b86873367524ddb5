// UTF-8 and UTF-16 conversions for text that crosses the plug-in's boundaries. Malformed
// input never stops a conversion: a bad sequence becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>

namespace Utils {

std::string Utf16ToUtf8(const char16_t* text, size_t units);
std::u16string Utf8ToUtf16(const char* text, size_t bytes);

// Copies text into a field of capacity units (at least 1), NUL-terminated, cut where it does
// not fit without splitting a surrogate pair.
void CopyUtf16(char16_t* field, size_t capacity, const char16_t* text, size_t units);

// Length up to the first NUL, never beyond max.
size_t BoundedLength(const char16_t* text, size_t max);
size_t BoundedLength(const char* text, size_t max);

} // namespace Utils
