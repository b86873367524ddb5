#include "A2sParser.h"

#include "TextCopy.h"

#include <string_view>

namespace Portico {

namespace {

// The one game whose info answer has three more bytes before the version.
constexpr uint16_t kThreeExtraBytesAppId = 2400;

// The extra-data flag's bit for the game port, the first of its fields and the only one
// shown.
constexpr uint8_t kExtraGamePort = 0x80;

// The port to join from the extra data; 0 when the answer has none. Servers whose answer is
// cut inside the extra data still give the fields before it, and the port when it is whole.
uint16_t ExtraGamePort(PacketReader& reader) {
    uint8_t flags;
    uint16_t gamePort = 0;
    if (reader.U8(flags) && (flags & kExtraGamePort))
        reader.U16(gamePort);
    return gamePort;
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
    const uint16_t gamePort = ExtraGamePort(reader);
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
    // Servers whose list outgrows the datagram, or that count players they leave out, send
    // fewer entries than the count: the whole ones are kept and a cut one is dropped.
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t slot;
        std::string_view name;
        int32_t score;
        float duration;
        if (!(reader.U8(slot) && reader.CString(name) && reader.I32(score) && reader.F32(duration)))
            break;
        if (name.empty())
            continue;
        PlayerEntry entry{};
        entry.score = score;
        entry.time = WholeSeconds(duration);
        CopyToUtf8(entry.name, sizeof entry.name, name);
        players.Append(entry);
    }
    return true;
}

bool A2sParser::ParseChallenge(PacketReader& reader, uint32_t& challenge) {
    return reader.U32(challenge);
}

} // namespace Portico
