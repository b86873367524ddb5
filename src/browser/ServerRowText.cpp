#include "browser/ServerRowText.h"

#include "utils/Utf.h"

#include <string>

namespace Portico {
namespace {

constexpr uint32_t kFullColour = 0x2020FF;
constexpr uint32_t kPlayingColour = 0x20FF20;

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

template <size_t N> std::u16string FromUtf8(const char (&field)[N]) {
    return Utils::Utf::ToUtf16({field, Utils::Utf::BoundedLength(field, N)});
}

} // namespace

std::u16string CountryText(const ServerRecord& record) {
    std::u16string text;
    for (char letter : record.countryCode) {
        if (letter == 0)
            break;
        text += char16_t(uint8_t(letter));
    }
    return text;
}

std::u16string PlayersText(uint32_t players, uint32_t maxPlayers) {
    return Ascii(std::to_string(players) + "/" + std::to_string(maxPlayers));
}

std::u16string TimeText(const ServerRecord& record) {
    if (record.status != kStatusReplied)
        return u"N/A";
    return Ascii(std::to_string(record.time) + " ms");
}

std::array<std::u16string, kServerColumns> RowTexts(const ServerRecord& record) {
    const ServerInfo& info = record.info;
    const size_t nameLength = Utils::Utf::BoundedLength(info.name, sizeof info.name / 2);
    return {CountryText(record),     std::u16string(info.name, nameLength),      FromUtf8(info.map),
            FromUtf8(info.gameType), PlayersText(info.players, info.maxPlayers), TimeText(record)};
}

uint32_t PlayersColour(uint32_t players, uint32_t maxPlayers, uint32_t textColour) {
    if (players >= maxPlayers)
        return kFullColour;
    return players != 0 ? kPlayingColour : textColour;
}

} // namespace Portico
