#include "A2sParser.h"

#include "TextCopy.h"

#include <string_view>

namespace Portico {

namespace {

// The one game whose info answer has three more bytes before the version.
constexpr uint16_t kThreeExtraBytesAppId = 2400;

// Bits of the extra-data flag, in the order their fields follow.
constexpr uint8_t kExtraGamePort = 0x80;
constexpr uint8_t kExtraSteamId = 0x10;
constexpr uint8_t kExtraTvServer = 0x40;
constexpr uint8_t kExtraKeywords = 0x20;
constexpr uint8_t kExtraGameId = 0x01;

bool ReadExtraData(PacketReader& reader, uint8_t flags, uint16_t& gamePort) {
    uint16_t tvPort;
    std::string_view text;
    if ((flags & kExtraGamePort) && !reader.U16(gamePort))
        return false;
    if ((flags & kExtraSteamId) && !reader.Skip(8))
        return false;
    if ((flags & kExtraTvServer) && !(reader.U16(tvPort) && reader.CString(text)))
        return false;
    if ((flags & kExtraKeywords) && !reader.CString(text))
        return false;
    return !(flags & kExtraGameId) || reader.Skip(8);
}

// The mode column shows the server's game description, which mods set to their own mode's
// name; servers that leave it empty show their game folder. Keywords are free-form tags and
// are not shown.
void FillCommon(std::string_view name, std::string_view map, std::string_view folder,
                std::string_view game, ServerInfo& info) {
    CopyToUtf16(info.name, sizeof info.name / sizeof info.name[0], name);
    CopyToUtf8(info.map, sizeof info.map, map);
    CopyToUtf8(info.gameType, sizeof info.gameType, game.empty() ? folder : game);
}

uint32_t WholeSeconds(float duration) {
    if (!(duration > 0.0f))
        return 0; // negative or not a number
    if (duration >= 4294967295.0f)
        return 0xFFFFFFFF;
    return uint32_t(duration);
}

} // namespace

bool A2sParser::ParseInfo(PacketReader& reader, uint16_t queryPort, ServerInfo& info,
                          std::string_view* folderOut) {
    uint8_t protocol, players, maxPlayers, bots, serverType, os, visibility, vac;
    uint16_t appId;
    std::string_view name, map, folder, game, version;
    if (!(reader.U8(protocol) && reader.CString(name) && reader.CString(map) &&
          reader.CString(folder) && reader.CString(game) && reader.U16(appId) &&
          reader.U8(players) && reader.U8(maxPlayers) && reader.U8(bots) && reader.U8(serverType) &&
          reader.U8(os) && reader.U8(visibility) && reader.U8(vac)))
        return false;
    if (appId == kThreeExtraBytesAppId && !reader.Skip(3))
        return false;
    if (!reader.CString(version))
        return false;
    uint16_t gamePort = 0;
    uint8_t flags;
    if (reader.U8(flags) && !ReadExtraData(reader, flags, gamePort))
        return false;
    FillCommon(name, map, folder, game, info);
    info.players = players;
    info.maxPlayers = maxPlayers;
    info.needPass = visibility != 0;
    info.connectPort = gamePort != 0 ? gamePort : queryPort;
    if (folderOut)
        *folderOut = folder;
    return true;
}

bool A2sParser::ParseGoldSrcInfo(PacketReader& reader, uint16_t queryPort, ServerInfo& info,
                                 std::string_view* folderOut) {
    std::string_view address, name, map, folder, game;
    uint8_t players, maxPlayers, protocol, serverType, os, visibility;
    if (!(reader.CString(address) && reader.CString(name) && reader.CString(map) &&
          reader.CString(folder) && reader.CString(game) && reader.U8(players) &&
          reader.U8(maxPlayers) && reader.U8(protocol) && reader.U8(serverType) && reader.U8(os) &&
          reader.U8(visibility)))
        return false;
    FillCommon(name, map, folder, game, info);
    info.players = players;
    info.maxPlayers = maxPlayers;
    info.needPass = visibility != 0;
    info.connectPort = queryPort;
    if (folderOut)
        *folderOut = folder;
    return true;
}

bool A2sParser::ParsePlayers(PacketReader& reader, Utils::ArrayT<PlayerEntry>& players) {
    uint8_t count;
    if (!reader.U8(count))
        return false;
    Utils::ArrayT<PlayerEntry> parsed;
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t slot;
        std::string_view name;
        int32_t score;
        float duration;
        if (!(reader.U8(slot) && reader.CString(name) && reader.I32(score) && reader.F32(duration)))
            return false;
        if (name.empty())
            continue;
        PlayerEntry entry{};
        entry.score = score;
        entry.time = WholeSeconds(duration);
        CopyToUtf8(entry.name, sizeof entry.name, name);
        parsed.Append(entry);
    }
    players.Append(parsed.Data(), parsed.Size());
    return true;
}

bool A2sParser::ParseChallenge(PacketReader& reader, uint32_t& challenge) {
    return reader.U32(challenge);
}

} // namespace Portico
