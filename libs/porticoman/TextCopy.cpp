#include "TextCopy.h"

namespace Portico {

namespace {

bool IsContinuation(uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at the start of text, 0 when there is none.
// Overlong forms, surrogates and values above U+10FFFF are not valid.
uint32_t SequenceLength(std::string_view text) {
    const auto* b = reinterpret_cast<const uint8_t*>(text.data());
    const size_t n = text.size();
    if (b[0] < 0x80)
        return 1;
    uint32_t length;
    uint8_t low = 0x80, high = 0xBF; // allowed range of the second byte
    if (b[0] >= 0xC2 && b[0] <= 0xDF) {
        length = 2;
    } else if (b[0] >= 0xE0 && b[0] <= 0xEF) {
        length = 3;
        if (b[0] == 0xE0)
            low = 0xA0;
        if (b[0] == 0xED)
            high = 0x9F;
    } else if (b[0] >= 0xF0 && b[0] <= 0xF4) {
        length = 4;
        if (b[0] == 0xF0)
            low = 0x90;
        if (b[0] == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (n < length || b[1] < low || b[1] > high)
        return 0;
    for (uint32_t i = 2; i < length; ++i)
        if (!IsContinuation(b[i]))
            return 0;
    return length;
}

uint32_t EncodeUtf8(char32_t c, char* out) {
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

uint32_t EncodeUtf16(char32_t c, char16_t* out) {
    if (c < 0x10000) {
        out[0] = char16_t(c);
        return 1;
    }
    c -= 0x10000;
    out[0] = char16_t(0xD800 | c >> 10);
    out[1] = char16_t(0xDC00 | (c & 0x3FF));
    return 2;
}

// Copies text character by character while the encoded form fits before the terminator.
template <typename Unit, typename Encode>
void CopyEncoded(Unit* buffer, uint32_t capacity, std::string_view text, Encode encode) {
    if (capacity == 0)
        return;
    uint32_t written = 0;
    while (!text.empty() && text[0] != '\0') {
        uint32_t used;
        Unit units[4];
        const uint32_t count = encode(DecodeCharacter(text, used), units);
        if (written + count > capacity - 1)
            break;
        for (uint32_t i = 0; i < count; ++i)
            buffer[written++] = units[i];
        text.remove_prefix(used);
    }
    buffer[written] = 0;
}

template <typename Unit>
bool WriteWholeUnits(Unit* buffer, uint32_t capacity, std::string_view text) {
    if (capacity == 0)
        return false;
    if (text.size() > capacity - 1) {
        buffer[0] = 0;
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i)
        buffer[i] = Unit(uint8_t(text[i]));
    buffer[text.size()] = 0;
    return true;
}

} // namespace

char32_t DecodeCharacter(std::string_view text, uint32_t& used) {
    const auto* b = reinterpret_cast<const uint8_t*>(text.data());
    used = SequenceLength(text);
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
        used = 1;
        return b[0]; // Latin-1
    }
}

void CopyToUtf16(char16_t* buffer, uint32_t capacity, std::string_view text) {
    CopyEncoded(buffer, capacity, text, EncodeUtf16);
}

void CopyToUtf8(char* buffer, uint32_t capacity, std::string_view text) {
    CopyEncoded(buffer, capacity, text, EncodeUtf8);
}

bool WriteWhole(char16_t* buffer, uint32_t capacity, std::string_view text) {
    return WriteWholeUnits(buffer, capacity, text);
}

bool WriteWhole(char* buffer, uint32_t capacity, std::string_view text) {
    return WriteWholeUnits(buffer, capacity, text);
}

} // namespace Portico
