#include "SimConfigCheck.h"

#include "SimBytes.h"

#include <set>
#include <utility>

namespace Portico {

namespace {

// Quake III carries texts inside \key\value strings and "quoted" player names.
bool QuakeSafe(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == '\\' || c == '"')
            return false;
    return true;
}

std::string TextProblem(const SimServer& server) {
    const std::string* texts[] = {&server.name,     &server.map,         &server.mode,
                                  &server.folder,   &server.version,     &server.tvName,
                                  &server.keywords, &server.rconPassword};
    for (const std::string* text : texts)
        if (text->size() > kMaxSimText)
            return "a text is longer than " + std::to_string(kMaxSimText) + " bytes";
    for (const SimPlayer& player : server.players)
        if (player.name.size() > kMaxSimText)
            return "a player name is longer than " + std::to_string(kMaxSimText) + " bytes";
    for (const SimRule& rule : server.rules)
        if (rule.name.size() > kMaxSimText || rule.value.size() > kMaxSimText)
            return "a rule is longer than " + std::to_string(kMaxSimText) + " bytes";
    if (server.protocol != SimProtocol::Quake3)
        return std::string();
    for (const std::string* text : {&server.name, &server.map, &server.mode, &server.version})
        if (!QuakeSafe(*text))
            return "Quake III texts cannot hold '\\', '\"' or control characters";
    for (const SimPlayer& player : server.players)
        if (!QuakeSafe(player.name))
            return "Quake III player names cannot hold '\\', '\"' or control characters";
    return std::string();
}

std::string FaultProblem(uint32_t delayMinMs, uint32_t delayMaxMs, double drop) {
    if (delayMinMs > delayMaxMs || delayMaxMs > kMaxSimDelayMs)
        return "delay must be 0 to " + std::to_string(kMaxSimDelayMs) + " ms, low end first";
    if (!(drop >= 0 && drop <= 1))
        return "drop must be 0 to 1";
    return std::string();
}

std::string RconProblem(const SimServer& server) {
    if (server.rcon == SimRcon::Off)
        return std::string();
    if (server.rconPassword.empty())
        return "a remote console needs a password";
    if (server.commands.size() > kMaxSimCommands)
        return "more than " + std::to_string(kMaxSimCommands) + " commands";
    for (const SimCommand& command : server.commands)
        if (command.command.empty() || command.command.size() > kMaxSimText ||
            command.output.size() > kMaxSimOutput)
            return "a command needs a name of at most " + std::to_string(kMaxSimText) +
                   " bytes and output of at most " + std::to_string(kMaxSimOutput);
    return std::string();
}

using Key = std::pair<uint32_t, uint16_t>;

// Fixed ports must not repeat among the datagram endpoints, nor among the TCP consoles.
bool Unique(std::set<Key>& used, const SimAddress& address, const std::string& what,
            std::string& error) {
    if (address.port == 0)
        return true;
    if (used.insert(Key(address.ip, address.port)).second)
        return true;
    error = what + ": " + AddressText(address.ip, address.port) + " is used twice";
    return false;
}

} // namespace

std::string AddressProblem(const SimAddress& address) {
    if (IsLoopback(address.ip))
        return std::string();
    return "address " + AddressText(address.ip, address.port) +
           " is outside 127.0.0.0/8: the simulator binds loopback addresses only";
}

std::string ServerProblem(const SimServer& server) {
    std::string problem = AddressProblem(server.address);
    if (problem.empty() && server.players.size() > kMaxSimPlayers)
        problem = "more than " + std::to_string(kMaxSimPlayers) + " players";
    if (problem.empty() && server.rules.size() > kMaxSimRules)
        problem = "more than " + std::to_string(kMaxSimRules) + " rules";
    if (problem.empty() && server.bots > server.players.size())
        problem = "more bots than players";
    if (problem.empty() && server.hostile == SimHostile::Huge)
        problem = "hostile = huge is for masters";
    if (problem.empty() && server.hostile == SimHostile::Challenges &&
        server.protocol == SimProtocol::Quake3)
        problem = "hostile = challenges is for A2S servers";
    if (problem.empty() && std::string("lwmo").find(server.os) == std::string::npos)
        problem = "os must be l, w, m or o";
    if (problem.empty() && server.split != 0 &&
        (server.split < kMinSimSplit || server.split > kMaxSimSplit))
        problem = "split must be 0 or " + std::to_string(kMinSimSplit) + " to " +
                  std::to_string(kMaxSimSplit) + " bytes";
    if (problem.empty())
        problem = TextProblem(server);
    if (problem.empty())
        problem = FaultProblem(server.delayMinMs, server.delayMaxMs, server.drop);
    if (problem.empty())
        problem = RconProblem(server);
    return problem;
}

std::string MasterProblem(const SimMaster& master) {
    std::string problem = AddressProblem(master.address);
    if (problem.empty() && master.page > kMaxSimPage)
        problem = "page must be 0 to " + std::to_string(kMaxSimPage) + " servers";
    const SimHostile hostile = master.hostile;
    if (problem.empty() && hostile != SimHostile::None && hostile != SimHostile::Silent &&
        hostile != SimHostile::Garbage && hostile != SimHostile::Huge)
        problem = "a master's hostile is none, silent, garbage or huge";
    if (problem.empty())
        problem = FaultProblem(master.delayMinMs, master.delayMaxMs, master.drop);
    return problem;
}

std::string RegionProblem(const SimRegion& region) {
    if (region.prefix > 32)
        return "a region prefix must be 0 to 32";
    const uint32_t hostBits = region.prefix == 32 ? 0 : 0xFFFFFFFFu >> region.prefix;
    if (region.ip & hostBits)
        return "a region must start at the first address of its range";
    if (region.country.size() != 2)
        return "a region's country is two letters";
    for (char c : region.country)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return "a region's country is two upper-case letters";
    return std::string();
}

bool CheckSimConfig(const SimConfig& config, std::string& error) {
    if (config.servers.size() > kMaxSimServers || config.masters.size() > kMaxSimMasters) {
        error = "at most " + std::to_string(kMaxSimServers) + " servers and " +
                std::to_string(kMaxSimMasters) + " masters";
        return false;
    }
    std::set<Key> datagram;
    std::set<Key> stream;
    for (size_t i = 0; i < config.servers.size(); ++i) {
        const SimServer& server = config.servers[i];
        const std::string what = "server " + std::to_string(i + 1);
        const std::string problem = ServerProblem(server);
        if (!problem.empty()) {
            error = what + ": " + problem;
            return false;
        }
        const uint16_t rconPort = server.rconPort != 0 ? server.rconPort : server.address.port;
        if (!Unique(datagram, server.address, what, error) ||
            (server.rcon == SimRcon::Tcp &&
             !Unique(stream, {server.address.ip, rconPort}, what + " console", error)))
            return false;
    }
    for (size_t i = 0; i < config.masters.size(); ++i) {
        const std::string what = "master " + std::to_string(i + 1);
        const std::string problem = MasterProblem(config.masters[i]);
        if (!problem.empty()) {
            error = what + ": " + problem;
            return false;
        }
        if (!Unique(datagram, config.masters[i].address, what, error))
            return false;
    }
    for (const SimRegion& region : config.regions) {
        const std::string problem = RegionProblem(region);
        if (!problem.empty()) {
            error = "region " + DottedText(region.ip) + ": " + problem;
            return false;
        }
    }
    return true;
}

} // namespace Portico
