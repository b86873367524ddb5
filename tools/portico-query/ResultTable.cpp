#include "ResultTable.h"

#include "GameFacts.h"

#include "browser/ColourCodes.h"
#include "utils/Utf.h"

#include <algorithm>
#include <cstdio>

namespace Portico {

namespace {

constexpr size_t kNameWidth = 40;

bool Answered(const ServerRecord& record) {
    return record.status == kStatusReplied;
}

std::string Address(const ServerRecord& record) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u:%u", record.ip >> 24, record.ip >> 16 & 0xFF,
                  record.ip >> 8 & 0xFF, record.ip & 0xFF, record.port);
    return text;
}

std::string Country(const ServerRecord& record) {
    if (record.countryCode[0] == 0)
        return "--";
    return std::string(record.countryCode, 2);
}

std::string Ping(const ServerRecord& record) {
    return Answered(record) ? std::to_string(record.time) + " ms" : "N/A";
}

std::string Utf8(const std::u16string& text) {
    return Utils::Utf::ToUtf8(text);
}

std::u16string Wide(const char* text, size_t size) {
    return Utils::Utf::ToUtf16({text, Utils::Utf::BoundedLength(text, size)});
}

// A UTF-8 field of a reply, with anything malformed replaced.
std::string Field(const char* text, size_t size) {
    return Utf8(Wide(text, size));
}

std::u16string Name(const ServerRecord& record) {
    const char16_t* name = record.info.name;
    return std::u16string(name, Utils::Utf::BoundedLength(name, 128));
}

// Cuts to at most width characters and pads to exactly width.
std::u16string Fit(std::u16string text, size_t width) {
    if (text.size() > width)
        text.resize(width);
    return text + std::u16string(width - text.size(), u' ');
}

// A name fitted to its column, with terminal colours for its colour codes (or without them).
std::string ColouredName(const std::u16string& name, bool colour, size_t width) {
    static const char* const kAnsi[10] = {"30", "31", "32", "33", "34",
                                          "36", "35", "37", "90", "90"};
    std::string out;
    size_t left = width;
    for (const ColourRun& run : SplitColourCodes(name)) {
        std::u16string text = run.text.substr(0, left);
        left -= text.size();
        if (colour && run.digit >= 0)
            out += std::string("\x1b[") + kAnsi[run.digit] + "m";
        out += Utf8(text);
    }
    if (colour)
        out += "\x1b[0m";
    return out + std::string(left, ' ');
}

std::string Pad(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PlayersText(const ServerRecord& record) {
    return std::to_string(record.info.players) + "/" + std::to_string(record.info.maxPlayers);
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string PlayerLines(const ServerResult& result, bool colour,
                        const PlayerTimeFormatter& formatTime) {
    std::string out;
    for (const PlayerEntry& player : result.players) {
        out += "      " + ColouredName(Wide(player.name, sizeof player.name), colour, 32) + " " +
               Pad(std::to_string(player.score), 8) + " " +
               formatTime(result.record.gameId, player.time) + "\n";
    }
    return out;
}

std::string JsonPlayers(const ServerResult& result) {
    const std::string timeKey = GameFacts::PlayerTimeKey(result.record.gameId);
    std::string out = ", \"playerList\": [";
    for (size_t i = 0; i < result.players.size(); ++i) {
        const PlayerEntry& player = result.players[i];
        out += std::string(i ? ", " : "") +
               "{\"name\": " + JsonString(Field(player.name, sizeof player.name)) +
               ", \"score\": " + std::to_string(player.score) + ", \"" + timeKey +
               "\": " + std::to_string(player.time) + "}";
    }
    return out + "]";
}

} // namespace

void SortByPing(std::vector<ServerResult>& results) {
    std::stable_sort(results.begin(), results.end(),
                     [](const ServerResult& a, const ServerResult& b) {
                         if (Answered(a.record) != Answered(b.record))
                             return Answered(a.record);
                         return Answered(a.record) && a.record.time < b.record.time;
                     });
}

void KeepOnePerAddress(std::vector<ServerResult>& results) {
    std::stable_sort(results.begin(), results.end(),
                     [](const ServerResult& a, const ServerResult& b) {
                         if (a.record.ip != b.record.ip || a.record.port != b.record.port)
                             return a.record.ip != b.record.ip ? a.record.ip < b.record.ip
                                                               : a.record.port < b.record.port;
                         return Answered(a.record) && !Answered(b.record);
                     });
    results.erase(std::unique(results.begin(), results.end(),
                              [](const ServerResult& a, const ServerResult& b) {
                                  return a.record.ip == b.record.ip &&
                                         a.record.port == b.record.port;
                              }),
                  results.end());
}

std::string FormatTable(const std::vector<ServerResult>& results, bool colour, bool withPlayers,
                        const PlayerTimeFormatter& formatTime) {
    std::string out = "CC " + Pad("NAME", kNameWidth) + " " + Pad("MAP", 20) + " " +
                      Pad("MODE", 14) + " " + Pad("PLAYERS", 8) + " " + Pad("PING", 8) +
                      " ADDRESS\n";
    for (const ServerResult& result : results) {
        const ServerRecord& r = result.record;
        out += Country(r) + " " + ColouredName(Name(r), colour, kNameWidth) + " " +
               Utf8(Fit(Wide(r.info.map, sizeof r.info.map), 20)) + " " +
               Utf8(Fit(Wide(r.info.gameType, sizeof r.info.gameType), 14)) + " " +
               Pad(PlayersText(r), 8) + " " + Pad(Ping(r), 8) + " " + Address(r) + "\n";
        if (withPlayers)
            out += PlayerLines(result, colour, formatTime);
    }
    return out;
}

std::string FormatJson(const std::vector<ServerResult>& results, bool withPlayers) {
    std::string out = "[\n";
    for (size_t i = 0; i < results.size(); ++i) {
        const ServerRecord& r = results[i].record;
        out += "  {\"address\": " + JsonString(Address(r)) +
               ", \"game\": " + std::to_string(r.gameId) +
               ", \"country\": " + JsonString(r.countryCode[0] ? Country(r) : "") +
               ", \"name\": " + JsonString(Utf8(StripColourCodes(Name(r)))) +
               ", \"rawName\": " + JsonString(Utf8(Name(r))) +
               ", \"map\": " + JsonString(Field(r.info.map, sizeof r.info.map)) +
               ", \"mode\": " + JsonString(Field(r.info.gameType, sizeof r.info.gameType)) +
               ", \"players\": " + std::to_string(r.info.players) +
               ", \"maxPlayers\": " + std::to_string(r.info.maxPlayers) +
               ", \"password\": " + (r.info.needPass ? "true" : "false") +
               ", \"ping\": " + (Answered(r) ? std::to_string(r.time) : "null");
        if (withPlayers)
            out += JsonPlayers(results[i]);
        out += std::string("}") + (i + 1 < results.size() ? "," : "") + "\n";
    }
    return out + "]\n";
}

} // namespace Portico
