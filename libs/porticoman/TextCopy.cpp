#include "TextCopy.h"

#include "utils/Utf.h"

namespace Portico {

namespace {

constexpr auto kWireText = Utils::Utf::Malformed::Latin1;

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

void CopyToUtf16(char16_t* buffer, uint32_t capacity, std::string_view text) {
    Utils::Utf::CopyToField(buffer, capacity, text, kWireText);
}

void CopyToUtf8(char* buffer, uint32_t capacity, std::string_view text) {
    Utils::Utf::CopyToField(buffer, capacity, text, kWireText);
}

bool WriteWhole(char16_t* buffer, uint32_t capacity, std::string_view text) {
    return WriteWholeUnits(buffer, capacity, text);
}

bool WriteWhole(char* buffer, uint32_t capacity, std::string_view text) {
    return WriteWholeUnits(buffer, capacity, text);
}

} // namespace Portico
