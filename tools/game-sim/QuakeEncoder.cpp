#include "QuakeEncoder.h"

#include <algorithm>

namespace Portico {

namespace {

class InfoString {
public:
    InfoString& Add(const char* key, const std::string& value) {
        text.append("\\").append(key).append("\\").append(value);
        return *this;
    }
    InfoString& Add(const char* key, int value) { return Add(key, std::to_string(value)); }
    const std::string& Text() const { return text; }

private:
    std::string text;
};

int PlayerCount(const SimServer& server) {
    return int(std::min<size_t>(server.players.size(), 255));
}

} // namespace

SimBytes EncodeQuakeStatus(const SimServer& server, const std::string& challenge) {
    InfoString info;
    info.Add("sv_hostname", server.name).Add("mapname", server.map);
    info.Add("sv_maxclients", server.maxPlayers).Add("g_gametype", server.mode);
    info.Add("g_needpass", server.password ? 1 : 0).Add("protocol", NetProtocolOf(server));
    info.Add("version", server.version);
    if (!challenge.empty())
        info.Add("challenge", challenge);

    SimWriter out;
    out.Raw(kSimHeader).Raw("statusResponse\n").Raw(info.Text()).Raw("\n");
    for (const SimPlayer& player : server.players)
        out.Raw(std::to_string(player.score) + " " + std::to_string(player.ping) + " \"" +
                player.name + "\"\n");
    return out.Take();
}

SimBytes EncodeQuakeInfo(const SimServer& server, const std::string& challenge) {
    InfoString info;
    if (!challenge.empty())
        info.Add("challenge", challenge);
    info.Add("protocol", NetProtocolOf(server)).Add("hostname", server.name);
    info.Add("mapname", server.map).Add("clients", PlayerCount(server));
    info.Add("sv_maxclients", server.maxPlayers).Add("gametype", server.mode);
    info.Add("g_needpass", server.password ? 1 : 0);

    SimWriter out;
    out.Raw(kSimHeader).Raw("infoResponse\n").Raw(info.Text());
    return out.Take();
}

} // namespace Portico
