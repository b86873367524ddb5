#include "utils/Utf.h"

#include <cstdint>

namespace Utils {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | c >> 10);
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

// Decodes one UTF-8 sequence at text[i], advancing i; rejects overlong forms and surrogates.
char32_t DecodeUtf8(const unsigned char* text, size_t bytes, size_t& i) {
    const unsigned char lead = text[i++];
    if (lead < 0x80)
        return lead;
    int extra;
    char32_t c, minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= bytes || (text[i] & 0xC0) != 0x80)
            return kReplacement;
        c = c << 6 | (text[i++] & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kReplacement;
    return c;
}

} // namespace

std::string Utf16ToUtf8(const char16_t* text, size_t units) {
    std::string out;
    out.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement; // a lone surrogate
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUtf16(const char* text, size_t bytes) {
    std::u16string out;
    out.reserve(bytes);
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < bytes;)
        AppendUtf16(out, DecodeUtf8(p, bytes, i));
    return out;
}

void CopyUtf16(char16_t* field, size_t capacity, const char16_t* text, size_t units) {
    size_t n = units < capacity - 1 ? units : capacity - 1;
    if (n > 0 && n < units && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF)
        --n; // the pair's second half does not fit
    for (size_t i = 0; i < n; ++i)
        field[i] = text[i];
    field[n] = u'\0';
}

size_t BoundedLength(const char16_t* text, size_t max) {
    size_t n = 0;
    while (n < max && text[n])
        ++n;
    return n;
}

size_t BoundedLength(const char* text, size_t max) {
    size_t n = 0;
    while (n < max && text[n])
        ++n;
    return n;
}

} // namespace Utils
