// UTF-8 <-> UTF-16 for texts that cross between the windows (UTF-16) and the SQLite files and
// network (UTF-8). Malformed input never fails: each bad sequence becomes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Utils {

constexpr char32_t kReplacementChar = 0xFFFD;

namespace Detail {

inline void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

inline void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

// Decodes one character at text[i] and advances i past it (at least one byte).
inline char32_t NextUtf8(const unsigned char* text, size_t length, size_t& i) {
    const unsigned char lead = text[i++];
    if (lead < 0x80)
        return lead;
    int extra;
    char32_t c;
    char32_t least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, c = lead & 0x07, least = 0x10000;
    } else {
        return kReplacementChar;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= length || (text[i] & 0xC0) != 0x80)
            return kReplacementChar; // the byte that broke the sequence is read anew
        c = (c << 6) | (text[i++] & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kReplacementChar;
    return c;
}

} // namespace Detail

inline std::u16string Utf8ToUtf16(const char* text, size_t length) {
    std::u16string out;
    out.reserve(length);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < length;)
        Detail::AppendUtf16(out, Detail::NextUtf8(bytes, length, i));
    return out;
}

inline std::u16string Utf8ToUtf16(const std::string& text) {
    return Utf8ToUtf16(text.data(), text.size());
}

inline std::string Utf16ToUtf8(const char16_t* text, size_t length) {
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacementChar; // a lone half of a pair
        }
        Detail::AppendUtf8(out, c);
    }
    return out;
}

inline std::string Utf16ToUtf8(const std::u16string& text) {
    return Utf16ToUtf8(text.data(), text.size());
}

// Copies text into a fixed field of capacity units (capacity >= 1), NUL-terminated, cut where
// it does not fit without splitting a surrogate pair.
inline void CopyUtf16(char16_t* field, size_t capacity, const std::u16string& text) {
    size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF)
        --n;
    text.copy(field, n);
    field[n] = u'\0';
}

// Length of a NUL-terminated text in a field of capacity units; the whole field when it holds
// no terminator.
inline size_t FieldLength(const char16_t* field, size_t capacity) {
    size_t n = 0;
    while (n < capacity && field[n] != u'\0')
        ++n;
    return n;
}

} // namespace Utils
