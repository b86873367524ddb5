#include "utils/Utf.h"

#include <cstdint>

namespace Utils {
namespace Utf {

namespace {

bool IsContinuation(uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Length of the well-formed sequence at the start of text, 0 when there is none: overlong
// forms, surrogates and values above U+10FFFF are refused by the range of the second byte.
size_t SequenceLength(const uint8_t* b, size_t n) {
    if (b[0] < 0x80)
        return 1;
    size_t length;
    uint8_t low = 0x80, high = 0xBF;
    if (b[0] >= 0xC2 && b[0] <= 0xDF) {
        length = 2;
    } else if (b[0] >= 0xE0 && b[0] <= 0xEF) {
        length = 3;
        low = b[0] == 0xE0 ? 0xA0 : low;
        high = b[0] == 0xED ? 0x9F : high;
    } else if (b[0] >= 0xF0 && b[0] <= 0xF4) {
        length = 4;
        low = b[0] == 0xF0 ? 0x90 : low;
        high = b[0] == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (n < length || b[1] < low || b[1] > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (!IsContinuation(b[i]))
            return 0;
    return length;
}

// A malformed sequence is replaced whole: its lead byte and the continuation bytes that the
// lead's form announces, as far as they are there.
size_t MalformedLength(const uint8_t* b, size_t n) {
    const size_t announced = (b[0] & 0xE0) == 0xC0   ? 2
                             : (b[0] & 0xF0) == 0xE0 ? 3
                             : (b[0] & 0xF8) == 0xF0 ? 4
                                                     : 1;
    size_t length = 1;
    while (length < announced && length < n && IsContinuation(b[length]))
        ++length;
    return length;
}

size_t Encode(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = char(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = char(0xC0 | c >> 6);
        out[1] = char(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = char(0xE0 | c >> 12);
        out[1] = char(0x80 | (c >> 6 & 0x3F));
        out[2] = char(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | c >> 18);
    out[1] = char(0x80 | (c >> 12 & 0x3F));
    out[2] = char(0x80 | (c >> 6 & 0x3F));
    out[3] = char(0x80 | (c & 0x3F));
    return 4;
}

size_t Encode(char32_t c, char16_t* out) {
    if (c < 0x10000) {
        out[0] = char16_t(c);
        return 1;
    }
    c -= 0x10000;
    out[0] = char16_t(0xD800 | c >> 10);
    out[1] = char16_t(0xDC00 | (c & 0x3FF));
    return 2;
}

template <typename Out, typename In, typename DecodeOne> Out Convert(In text, DecodeOne decode) {
    Out out;
    out.reserve(text.size());
    typename Out::value_type units[4];
    while (!text.empty()) {
        size_t used;
        const size_t count = Encode(decode(text, used), units);
        out.append(units, count);
        text.remove_prefix(used);
    }
    return out;
}

// Copies character by character while the encoded form fits before the terminator.
template <typename Unit, typename In, typename DecodeOne>
void CopyEncoded(Unit* field, size_t capacity, In text, DecodeOne decode) {
    if (capacity == 0)
        return;
    size_t written = 0;
    while (!text.empty() && text[0] != 0) {
        size_t used;
        Unit units[4];
        const size_t count = Encode(decode(text, used), units);
        if (written + count > capacity - 1)
            break;
        for (size_t i = 0; i < count; ++i)
            field[written++] = units[i];
        text.remove_prefix(used);
    }
    field[written] = 0;
}

auto ReadUtf8(Malformed malformed) {
    return
        [malformed](std::string_view rest, size_t& used) { return Decode(rest, used, malformed); };
}

char32_t ReadUtf16(std::u16string_view rest, size_t& used) {
    return Decode(rest, used);
}

template <typename Unit> size_t Length(const Unit* text, size_t max) {
    size_t n = 0;
    while (n < max && text[n])
        ++n;
    return n;
}

} // namespace

char32_t Decode(std::string_view text, size_t& used, Malformed malformed) {
    const auto* b = reinterpret_cast<const uint8_t*>(text.data());
    used = SequenceLength(b, text.size());
    switch (used) {
    case 1:
        return b[0];
    case 2:
        return char32_t(b[0] & 0x1F) << 6 | (b[1] & 0x3F);
    case 3:
        return char32_t(b[0] & 0x0F) << 12 | char32_t(b[1] & 0x3F) << 6 | (b[2] & 0x3F);
    case 4:
        return char32_t(b[0] & 0x07) << 18 | char32_t(b[1] & 0x3F) << 12 |
               char32_t(b[2] & 0x3F) << 6 | (b[3] & 0x3F);
    default:
        if (malformed == Malformed::Latin1) {
            used = 1;
            return b[0];
        }
        used = MalformedLength(b, text.size());
        return kReplacement;
    }
}

char32_t Decode(std::u16string_view text, size_t& used) {
    const char32_t first = text[0];
    used = 1;
    if (!IsSurrogate(first))
        return first;
    if (first <= 0xDBFF && text.size() > 1 && text[1] >= 0xDC00 && text[1] <= 0xDFFF) {
        used = 2;
        return 0x10000 + ((first - 0xD800) << 10) + (text[1] - 0xDC00);
    }
    return kReplacement;
}

std::u16string ToUtf16(std::string_view text, Malformed malformed) {
    return Convert<std::u16string>(text, ReadUtf8(malformed));
}

std::string ToUtf8(std::u16string_view text) {
    return Convert<std::string>(text, ReadUtf16);
}

void CopyToField(char16_t* field, size_t capacity, std::string_view text, Malformed malformed) {
    CopyEncoded(field, capacity, text, ReadUtf8(malformed));
}

void CopyToField(char* field, size_t capacity, std::string_view text, Malformed malformed) {
    CopyEncoded(field, capacity, text, ReadUtf8(malformed));
}

void CopyToField(char16_t* field, size_t capacity, std::u16string_view text) {
    CopyEncoded(field, capacity, text, ReadUtf16);
}

size_t BoundedLength(const char16_t* text, size_t max) {
    return Length(text, max);
}

size_t BoundedLength(const char* text, size_t max) {
    return Length(text, max);
}

} // namespace Utf
} // namespace Utils
