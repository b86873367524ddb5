#include "QuakeStatusParser.h"

#include "TextCopy.h"

#include "utils/ParseNumber.h"

#include <cstdint>
#include <iterator>

namespace Portico {

namespace {

// Cuts text at the first separator: returns the part before it and leaves the rest (without
// the separator) in text; without a separator the whole text is taken.
std::string_view CutAt(std::string_view& text, char separator) {
    const size_t at = text.find(separator);
    const std::string_view head = text.substr(0, at);
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    return head;
}

// A decimal number with an optional sign, clamped to 32 bits; false when there are no digits
// or anything else follows them.
bool ReadNumber(std::string_view text, int32_t& value) {
    return !text.empty() && Utils::ReadLeadingInt32(text, value) == text.size();
}

uint8_t ClampToByte(int32_t value) {
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Info keys in any case; lowerKey is written in lower case.
bool SameKey(std::string_view key, std::string_view lowerKey) {
    if (key.size() != lowerKey.size())
        return false;
    for (size_t i = 0; i < key.size(); ++i) {
        const char c = key[i] >= 'A' && key[i] <= 'Z' ? char(key[i] + ('a' - 'A')) : key[i];
        if (c != lowerKey[i])
            return false;
    }
    return true;
}

void ApplyInfoValue(std::string_view key, std::string_view value, ServerInfo& info) {
    int32_t number;
    if (SameKey(key, "sv_hostname"))
        CopyToUtf16(info.name, sizeof info.name / sizeof info.name[0], value);
    else if (SameKey(key, "mapname"))
        CopyToUtf8(info.map, sizeof info.map, value);
    else if (SameKey(key, "g_gametype"))
        CopyToUtf8(info.gameType, sizeof info.gameType, QuakeStatusParser::GameTypeText(value));
    else if (SameKey(key, "sv_maxclients") && ReadNumber(value, number))
        info.maxPlayers = ClampToByte(number);
    else if (SameKey(key, "g_needpass") && ReadNumber(value, number))
        info.needPass = number != 0;
}

void ReadInfoString(std::string_view line, ServerInfo& info) {
    if (!line.empty() && line[0] == '\\')
        line.remove_prefix(1);
    while (!line.empty()) {
        const std::string_view key = CutAt(line, '\\');
        const std::string_view value = CutAt(line, '\\');
        ApplyInfoValue(key, value, info);
    }
}

std::string_view NextToken(std::string_view& line) {
    while (!line.empty() && line[0] == ' ')
        line.remove_prefix(1);
    return CutAt(line, ' ');
}

// `score ping "name"`; whatever follows the closing quote is left alone (some games add
// fields there).
bool ReadPlayerLine(std::string_view line, PlayerEntry& entry) {
    int32_t score, ping;
    if (!ReadNumber(NextToken(line), score) || !ReadNumber(NextToken(line), ping))
        return false;
    while (!line.empty() && line[0] == ' ')
        line.remove_prefix(1);
    if (line.empty() || line[0] != '"')
        return false;
    line.remove_prefix(1);
    const size_t close = line.find('"');
    if (close == std::string_view::npos)
        return false;
    entry = PlayerEntry{};
    entry.score = score;
    entry.time = ping < 0 ? 0 : uint32_t(ping);
    CopyToUtf8(entry.name, sizeof entry.name, line.substr(0, close));
    return true;
}

} // namespace

std::string_view QuakeStatusParser::GameTypeText(std::string_view value) {
    static constexpr std::string_view kNames[] = {"FFA", "Tourney", "SP",       "TDM",
                                                  "CTF", "1FCTF",   "Overload", "Harvester"};
    int32_t number;
    if (ReadNumber(value, number) && number >= 0 && number < int32_t(std::size(kNames)))
        return kNames[number];
    return value;
}

bool QuakeStatusParser::Parse(std::string_view text, uint16_t queryPort, ServerInfo& info,
                              Utils::ArrayT<PlayerEntry>* players) {
    if (text.empty() || text[0] != '\n')
        return false;
    text.remove_prefix(1);
    ServerInfo parsed{};
    ReadInfoString(CutAt(text, '\n'), parsed);
    uint32_t count = 0;
    Utils::ArrayT<PlayerEntry> entries;
    while (!text.empty()) {
        std::string_view line = CutAt(text, '\n');
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        PlayerEntry entry;
        if (count >= kMaxPlayers || !ReadPlayerLine(line, entry))
            continue;
        ++count;
        entries.Append(entry);
    }
    parsed.players = uint8_t(count);
    parsed.connectPort = queryPort;
    info = parsed;
    if (players)
        players->Append(entries.Data(), entries.Size());
    return true;
}

} // namespace Portico
