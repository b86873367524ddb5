// On Windows wchar_t holds UTF-16 units, as char16_t does: text passes between the system's
// wide strings and the portable code's UTF-16 strings without conversion, and to and from
// UTF-8 through the one converter.
#pragma once

#include "utils/Utf.h"

#include <string>
#include <string_view>

namespace Utils {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide strings hold UTF-16 units");

// NUL-terminated, for the calls that take a C string.
inline const wchar_t* AsWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string_view AsUtf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

inline std::wstring WideFromUtf8(std::string_view text) {
    return AsWide(Utf::ToUtf16(text));
}

inline std::string Utf8FromWide(std::wstring_view text) {
    return Utf::ToUtf8(AsUtf16(text));
}

} // namespace Utils
