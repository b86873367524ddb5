#include "A2sEncoder.h"

#include <algorithm>

namespace Portico {

namespace {

constexpr uint8_t kExtraGamePort = 0x80;
constexpr uint8_t kExtraSteamId = 0x10;
constexpr uint8_t kExtraSourceTv = 0x40;
constexpr uint8_t kExtraKeywords = 0x20;
constexpr uint8_t kExtraGameId = 0x01;
// The one game whose info answer carries three more bytes after VAC.
constexpr uint16_t kShipAppId = 2400;

uint8_t PlayerCount(const SimServer& server) {
    return uint8_t(std::min<size_t>(server.players.size(), 255));
}

uint8_t ExtraFlags(const SimServer& server) {
    uint8_t flags = 0;
    if (server.gamePort != 0)
        flags |= kExtraGamePort;
    if (server.steamId != 0)
        flags |= kExtraSteamId;
    if (server.tvPort != 0)
        flags |= kExtraSourceTv;
    if (!server.keywords.empty())
        flags |= kExtraKeywords;
    if (server.gameIdField)
        flags |= kExtraGameId;
    return flags;
}

void WriteExtraData(SimWriter& out, const SimServer& server) {
    const uint8_t flags = ExtraFlags(server);
    if (flags == 0)
        return;
    out.Byte(flags);
    if (flags & kExtraGamePort)
        out.Int16(server.gamePort);
    if (flags & kExtraSteamId)
        out.Int64(server.steamId);
    if (flags & kExtraSourceTv)
        out.Int16(server.tvPort).Text(server.tvName);
    if (flags & kExtraKeywords)
        out.Text(server.keywords);
    if (flags & kExtraGameId)
        out.Int64(server.appId);
}

} // namespace

SimBytes EncodeA2sChallenge(uint32_t challenge) {
    SimWriter out;
    out.Raw(kSimHeader).Byte('A').Int32(challenge);
    return out.Take();
}

SimBytes EncodeSourceInfo(const SimServer& server) {
    SimWriter out;
    out.Raw(kSimHeader).Byte('I').Byte(NetProtocolOf(server));
    out.Text(server.name).Text(server.map).Text(server.folder).Text(server.mode);
    out.Int16(server.appId).Byte(PlayerCount(server)).Byte(server.maxPlayers).Byte(server.bots);
    out.Byte('d').Byte(uint8_t(server.os)).Byte(server.password).Byte(server.vac);
    if (server.appId == kShipAppId)
        out.Byte(0).Byte(0).Byte(0); // mode, witnesses, duration
    out.Text(server.version);
    WriteExtraData(out, server);
    return out.Take();
}

// A server whose folder is not the base game's runs a mod, and says so.
SimBytes EncodeGoldSrcInfo(const SimServer& server, const SimAddress& bound) {
    const bool mod = !server.folder.empty() && server.folder != "valve";
    SimWriter out;
    out.Raw(kSimHeader).Byte('m').Text(AddressText(bound.ip, bound.port));
    out.Text(server.name).Text(server.map).Text(server.folder).Text(server.mode);
    out.Byte(PlayerCount(server)).Byte(server.maxPlayers).Byte(NetProtocolOf(server));
    out.Byte('D').Byte(server.os == 'w' ? 'W' : 'L').Byte(server.password).Byte(mod);
    if (mod) {
        out.Text("").Text("").Byte(0); // link, download link, the one NUL
        out.Int32(1).Int32(0);         // version, size
        out.Byte(0).Byte(1);           // single and multiplayer, its own DLL
    }
    out.Byte(server.vac).Byte(server.bots);
    return out.Take();
}

SimBytes EncodeA2sPlayers(const std::vector<SimPlayer>& players) {
    const size_t count = std::min<size_t>(players.size(), 255);
    SimWriter out;
    out.Raw(kSimHeader).Byte('D').Byte(uint8_t(count));
    for (size_t i = 0; i < count; ++i) {
        const SimPlayer& player = players[i];
        out.Byte(uint8_t(i)).Text(player.name).Int32(uint32_t(player.score)).Float(player.seconds);
    }
    return out.Take();
}

SimBytes EncodeA2sRules(const std::vector<SimRule>& rules) {
    SimWriter out;
    out.Raw(kSimHeader).Byte('E').Int16(uint16_t(rules.size()));
    for (const SimRule& rule : rules)
        out.Text(rule.name).Text(rule.value);
    return out.Take();
}

} // namespace Portico
