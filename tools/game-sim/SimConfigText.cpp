#include "SimConfigText.h"

#include "SimBytes.h"
#include "SimConfigCheck.h"
#include "SimNames.h"
#include "SimRequest.h"

#include "utils/AddressText.h"
#include "utils/ParseNumber.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <vector>

namespace Portico {

namespace {

using Values = std::vector<std::string>;

// One key of a block: how its value is read, and the values written for it (none when the
// owner holds the default).
template <typename Owner> struct Field {
    const char* key;
    std::function<bool(Owner&, const std::string&, std::string&)> parse;
    std::function<void(const Owner&, Values&)> format;
};

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t& value) {
    return Utils::ParseDecimal(text, value, max);
}

bool ParseSigned(const std::string& text, int32_t& value) {
    return Utils::ParseDecimal(text, value);
}

bool ParseReal(const std::string& text, double& value) {
    if (text.empty() || text.size() > 64 || text.find_first_of(" \t") != std::string::npos)
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && value == value &&
           value != std::numeric_limits<double>::infinity() &&
           value != -std::numeric_limits<double>::infinity();
}

std::string RealText(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

bool ParseFlag(const std::string& text, bool& value) {
    const std::string word = Lower(text);
    if (word == "yes" || word == "on" || word == "true" || word == "1")
        value = true;
    else if (word == "no" || word == "off" || word == "false" || word == "0")
        value = false;
    else
        return false;
    return true;
}

// Splits at the bars that are not escaped; the escapes stay for UnescapeValue.
Values SplitBars(const std::string& raw) {
    Values parts(1);
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            parts.back() += raw.substr(i, 2);
            ++i;
        } else if (raw[i] == '|') {
            parts.emplace_back();
        } else {
            parts.back() += raw[i];
        }
    }
    return parts;
}

bool Fail(std::string& error, const std::string& why) {
    error = why;
    return false;
}

template <typename Owner> Field<Owner> TextField(const char* key, std::string Owner::*member) {
    return {key,
            [member](Owner& owner, const std::string& raw, std::string& error) {
                return UnescapeValue(raw, owner.*member) || Fail(error, "bad escape");
            },
            [member](const Owner& owner, Values& out) {
                if (owner.*member != Owner().*member)
                    out.push_back(EscapeValue(owner.*member));
            }};
}

template <typename Owner, typename Int>
Field<Owner> NumberField(const char* key, Int Owner::*member) {
    return {key,
            [member](Owner& owner, const std::string& raw, std::string& error) {
                uint64_t value;
                if (!ParseUnsigned(raw, std::numeric_limits<Int>::max(), value))
                    return Fail(error, "expected a number from 0 to " +
                                           std::to_string(std::numeric_limits<Int>::max()));
                owner.*member = Int(value);
                return true;
            },
            [member](const Owner& owner, Values& out) {
                if (owner.*member != Owner().*member)
                    out.push_back(std::to_string(owner.*member));
            }};
}

template <typename Owner> Field<Owner> FlagField(const char* key, bool Owner::*member) {
    return {key,
            [member](Owner& owner, const std::string& raw, std::string& error) {
                return ParseFlag(raw, owner.*member) || Fail(error, "expected yes or no");
            },
            [member](const Owner& owner, Values& out) {
                if (owner.*member != Owner().*member)
                    out.push_back(owner.*member ? "yes" : "no");
            }};
}

template <typename Owner, typename Enum>
Field<Owner> ChoiceField(const char* key, Enum Owner::*member, const SimNameTable<Enum>& names) {
    return {key,
            [member, &names](Owner& owner, const std::string& raw, std::string& error) {
                std::string all;
                for (const auto& name : names) {
                    if (Lower(raw) == name.first) {
                        owner.*member = name.second;
                        return true;
                    }
                    all += all.empty() ? name.first : std::string(", ") + name.first;
                }
                return Fail(error, "expected one of " + all);
            },
            [member, &names](const Owner& owner, Values& out) {
                if (owner.*member == Owner().*member)
                    return;
                for (const auto& name : names)
                    if (owner.*member == name.second)
                        out.push_back(name.first);
            }};
}

template <typename Owner> Field<Owner> AddressField() {
    return {"address",
            [](Owner& owner, const std::string& raw, std::string& error) {
                if (!ParseAddressText(raw, owner.address))
                    return Fail(error, "expected a.b.c.d:port");
                const std::string problem = AddressProblem(owner.address);
                return problem.empty() || Fail(error, problem);
            },
            [](const Owner& owner, Values& out) {
                out.push_back(AddressText(owner.address.ip, owner.address.port));
            }};
}

// "ms" or "low-high" ms.
template <typename Owner> Field<Owner> DelayField() {
    return {
        "delay",
        [](Owner& owner, const std::string& raw, std::string& error) {
            const size_t dash = raw.find('-');
            uint64_t low, high;
            if (!ParseUnsigned(Trim(raw.substr(0, dash)), kMaxSimDelayMs, low) ||
                !ParseUnsigned(dash == std::string::npos ? Trim(raw) : Trim(raw.substr(dash + 1)),
                               kMaxSimDelayMs, high) ||
                high < low)
                return Fail(error, "expected ms or low-high ms, at most " +
                                       std::to_string(kMaxSimDelayMs));
            owner.delayMinMs = uint32_t(low);
            owner.delayMaxMs = uint32_t(high);
            return true;
        },
        [](const Owner& owner, Values& out) {
            if (owner.delayMaxMs == 0)
                return;
            std::string text = std::to_string(owner.delayMinMs);
            if (owner.delayMaxMs != owner.delayMinMs)
                text += "-" + std::to_string(owner.delayMaxMs);
            out.push_back(text);
        }};
}

template <typename Owner> Field<Owner> DropField() {
    return {"drop",
            [](Owner& owner, const std::string& raw, std::string& error) {
                double value;
                if (!ParseReal(raw, value) || value < 0 || value > 1)
                    return Fail(error, "expected a chance from 0 to 1");
                owner.drop = value;
                return true;
            },
            [](const Owner& owner, Values& out) {
                if (owner.drop != 0)
                    out.push_back(RealText(owner.drop, 17));
            }};
}

bool ParsePlayer(const std::string& raw, SimPlayer& player, std::string& error) {
    const Values parts = SplitBars(raw);
    if (parts.size() > 4)
        return Fail(error, "expected name|score|seconds|ping");
    if (!UnescapeValue(Trim(parts[0]), player.name))
        return Fail(error, "bad escape");
    // An empty field keeps its 0.
    const auto given = [&parts](size_t i) { return i < parts.size() && !Trim(parts[i]).empty(); };
    double seconds = 0;
    if ((given(1) && !ParseSigned(Trim(parts[1]), player.score)) ||
        (given(2) && (!ParseReal(Trim(parts[2]), seconds) || seconds < -1e9 || seconds > 1e9)) ||
        (given(3) && !ParseSigned(Trim(parts[3]), player.ping)))
        return Fail(error, "expected name|score|seconds|ping with numbers");
    player.seconds = float(seconds);
    return true;
}

Field<SimServer> PlayerField() {
    return {"player",
            [](SimServer& server, const std::string& raw, std::string& error) {
                SimPlayer player;
                if (!ParsePlayer(raw, player, error))
                    return false;
                if (server.players.size() >= kMaxSimPlayers)
                    return Fail(error, "more than " + std::to_string(kMaxSimPlayers) + " players");
                server.players.push_back(player);
                return true;
            },
            [](const SimServer& server, Values& out) {
                for (const SimPlayer& player : server.players)
                    out.push_back(EscapeValue(player.name) + "|" + std::to_string(player.score) +
                                  "|" + RealText(player.seconds, 9) + "|" +
                                  std::to_string(player.ping));
            }};
}

// "first|second" with escapes; the first part must not be empty.
bool ParsePair(const std::string& raw, std::string& first, std::string& second) {
    const size_t bar = SplitBars(raw)[0].size();
    return bar < raw.size() && UnescapeValue(Trim(raw.substr(0, bar)), first) &&
           UnescapeValue(Trim(raw.substr(bar + 1)), second) && !first.empty();
}

Field<SimServer> CommandField() {
    return {"command",
            [](SimServer& server, const std::string& raw, std::string& error) {
                SimCommand command;
                if (!ParsePair(raw, command.command, command.output))
                    return Fail(error, "expected command|output");
                if (server.commands.size() >= kMaxSimCommands)
                    return Fail(error,
                                "more than " + std::to_string(kMaxSimCommands) + " commands");
                server.commands.push_back(command);
                return true;
            },
            [](const SimServer& server, Values& out) {
                for (const SimCommand& command : server.commands)
                    out.push_back(EscapeValue(command.command) + "|" + EscapeValue(command.output));
            }};
}

Field<SimServer> OsField() {
    return {"os",
            [](SimServer& server, const std::string& raw, std::string& error) {
                if (raw.size() != 1 || std::string("lwmo").find(raw[0]) == std::string::npos)
                    return Fail(error, "expected l, w, m or o");
                server.os = raw[0];
                return true;
            },
            [](const SimServer& server, Values& out) {
                if (server.os != SimServer().os)
                    out.push_back(std::string(1, server.os));
            }};
}

Field<SimServer> RuleField() {
    return {"rule",
            [](SimServer& server, const std::string& raw, std::string& error) {
                SimRule rule;
                if (!ParsePair(raw, rule.name, rule.value))
                    return Fail(error, "expected name|value");
                if (server.rules.size() >= kMaxSimRules)
                    return Fail(error, "more than " + std::to_string(kMaxSimRules) + " rules");
                server.rules.push_back(rule);
                return true;
            },
            [](const SimServer& server, Values& out) {
                for (const SimRule& rule : server.rules)
                    out.push_back(EscapeValue(rule.name) + "|" + EscapeValue(rule.value));
            }};
}

template <typename Owner> Field<Owner> HostileField() {
    return ChoiceField<Owner, SimHostile>("hostile", &Owner::hostile, HostileNames());
}

const std::vector<Field<SimServer>>& ServerFields() {
    using S = SimServer;
    static const std::vector<Field<S>> fields = {
        ChoiceField<S, SimProtocol>("protocol", &S::protocol, ProtocolNames()),
        AddressField<S>(),
        NumberField("game", &S::gameId),
        TextField("name", &S::name),
        TextField("map", &S::map),
        TextField("mode", &S::mode),
        TextField("folder", &S::folder),
        TextField("version", &S::version),
        NumberField("appid", &S::appId),
        NumberField("netprotocol", &S::netProtocol),
        NumberField("maxplayers", &S::maxPlayers),
        NumberField("bots", &S::bots),
        FlagField("password", &S::password),
        FlagField("vac", &S::vac),
        OsField(),
        NumberField("gameport", &S::gamePort),
        NumberField("steamid", &S::steamId),
        NumberField("tvport", &S::tvPort),
        TextField("tvname", &S::tvName),
        TextField("keywords", &S::keywords),
        FlagField("gameid", &S::gameIdField),
        FlagField("oldinfo", &S::oldInfo),
        FlagField("challenge", &S::challenge),
        NumberField("split", &S::split),
        ChoiceField<S, SimSplitLayout>("splitlayout", &S::splitLayout, SplitLayoutNames()),
        DelayField<S>(),
        DropField<S>(),
        FlagField("listed", &S::listed),
        HostileField<S>(),
        PlayerField(),
        RuleField(),
        ChoiceField<S, SimRcon>("rcon", &S::rcon, RconNames()),
        NumberField("rconport", &S::rconPort),
        TextField("rconpassword", &S::rconPassword),
        ChoiceField<S, SimRconFault>("rconfault", &S::rconFault, RconFaultNames()),
        CommandField(),
    };
    return fields;
}

const std::vector<Field<SimMaster>>& MasterFields() {
    using M = SimMaster;
    static const std::vector<Field<M>> fields = {
        ChoiceField<M, SimMasterKind>("kind", &M::kind, MasterKindNames()),
        AddressField<M>(),
        NumberField("page", &M::page),
        DelayField<M>(),
        DropField<M>(),
        HostileField<M>(),
    };
    return fields;
}

bool ParseRegion(const std::string& raw, SimRegion& region, std::string& error) {
    const size_t blank = raw.find_first_of(" \t");
    const std::string range = raw.substr(0, blank);
    region.country = blank == std::string::npos ? std::string() : Trim(raw.substr(blank));
    const size_t slash = range.find('/');
    uint64_t prefix = 32;
    if (!Utils::ParseIPv4(range.substr(0, slash), region.ip) ||
        (slash != std::string::npos && !ParseUnsigned(range.substr(slash + 1), 32, prefix)))
        return Fail(error, "expected a.b.c.d/prefix CC");
    region.prefix = uint8_t(prefix);
    const std::string problem = RegionProblem(region);
    return problem.empty() || Fail(error, problem);
}

const std::vector<Field<SimConfig>>& SimulatorFields() {
    using C = SimConfig;
    static const std::vector<Field<C>> fields = {
        NumberField("seed", &C::seed),
        ChoiceField<C, SimAddressing>("addressing", &C::addressing, AddressingNames()),
        {"region",
         [](C& config, const std::string& raw, std::string& error) {
             SimRegion region;
             if (!ParseRegion(raw, region, error))
                 return false;
             config.regions.push_back(region);
             return true;
         },
         [](const C& config, Values& out) {
             for (const SimRegion& region : config.regions)
                 out.push_back(DottedText(region.ip) + "/" + std::to_string(region.prefix) + " " +
                               region.country);
         }},
    };
    return fields;
}

template <typename Owner>
bool ApplyField(const std::vector<Field<Owner>>& fields, Owner& owner, const std::string& key,
                const std::string& value, std::string& error) {
    for (const Field<Owner>& field : fields)
        if (key == field.key)
            return field.parse(owner, value, error) || Fail(error, key + ": " + error);
    return Fail(error, "unknown key '" + key + "'");
}

template <typename Owner>
void WriteFields(const std::vector<Field<Owner>>& fields, const Owner& owner,
                 std::ostringstream& out) {
    for (const Field<Owner>& field : fields) {
        Values values;
        field.format(owner, values);
        for (const std::string& value : values)
            out << field.key << " = " << value << "\n";
    }
}

enum class Block { None, Simulator, Server, Master };

class ConfigReader {
public:
    explicit ConfigReader(SimConfig& config) : config(config) {}

    bool Line(const std::string& text, std::string& error) {
        ++number;
        const std::string line = Trim(text);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            return true;
        if (line[0] == '[')
            return Header(line, error);
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            return Fail(error, At(number) + "expected key = value");
        const std::string key = Lower(Trim(line.substr(0, equals)));
        const std::string value = Trim(line.substr(equals + 1));
        bool applied = false;
        switch (block) {
        case Block::None:
            return Fail(error, At(number) + "'" + key + "' is outside a block");
        case Block::Simulator:
            applied = ApplyField(SimulatorFields(), config, key, value, error);
            break;
        case Block::Server:
            applied = ApplyField(ServerFields(), config.servers.back(), key, value, error);
            break;
        case Block::Master:
            applied = ApplyField(MasterFields(), config.masters.back(), key, value, error);
            break;
        }
        return applied || Fail(error, At(number) + error);
    }

    // Checks the block that ends here, as a whole.
    bool EndBlock(std::string& error) {
        std::string problem;
        if (block == Block::Server)
            problem = ServerProblem(config.servers.back());
        else if (block == Block::Master)
            problem = MasterProblem(config.masters.back());
        if (!problem.empty())
            return Fail(error, At(blockLine) + "[" +
                                   (block == Block::Server ? "server" : "master") +
                                   "] block: " + problem);
        return true;
    }

private:
    static std::string At(size_t line) { return "line " + std::to_string(line) + ": "; }

    bool Header(const std::string& line, std::string& error) {
        if (!EndBlock(error))
            return false;
        const std::string name = Lower(line);
        if (name == "[simulator]") {
            block = Block::Simulator;
        } else if (name == "[server]") {
            if (config.servers.size() >= kMaxSimServers)
                return Fail(error, At(number) + "too many servers");
            block = Block::Server;
            config.servers.emplace_back();
        } else if (name == "[master]") {
            if (config.masters.size() >= kMaxSimMasters)
                return Fail(error, At(number) + "too many masters");
            block = Block::Master;
            config.masters.emplace_back();
        } else {
            return Fail(error, At(number) + "unknown block " + line);
        }
        blockLine = number;
        return true;
    }

    SimConfig& config;
    Block block = Block::None;
    size_t number = 0;
    size_t blockLine = 0;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool UnescapeValue(const std::string& raw, std::string& text) {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i >= raw.size())
            return false;
        switch (raw[i]) {
        case '\\':
            out += '\\';
            break;
        case '|':
            out += '|';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            const int high = i + 1 < raw.size() ? HexDigit(raw[i + 1]) : -1;
            const int low = i + 2 < raw.size() ? HexDigit(raw[i + 2]) : -1;
            if (high < 0 || low < 0)
                return false;
            out += char(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    text = out;
    return true;
}

// Blanks at either end are escaped too: values are trimmed when read.
std::string EscapeValue(const std::string& text) {
    static const char* const kHex = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool edge = i == 0 || i + 1 == text.size();
        if (c == '\\' || c == '|')
            out += std::string("\\") + char(c);
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c == 0x7F || (edge && c == ' '))
            out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
        else
            out += char(c);
    }
    return out;
}

bool ParseSimConfig(const std::string& text, SimConfig& config, std::string& error) {
    if (text.size() > kMaxSimConfigBytes)
        return Fail(error, "the configuration is larger than " +
                               std::to_string(kMaxSimConfigBytes) + " bytes");
    SimConfig parsed;
    ConfigReader reader(parsed);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!reader.Line(line, error))
            return false;
    }
    if (!reader.EndBlock(error) || !CheckSimConfig(parsed, error))
        return false;
    config = std::move(parsed);
    return true;
}

bool LoadSimConfig(const std::string& path, SimConfig& config, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Fail(error, "cannot read " + path);
    std::string text;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, size_t(file.gcount()));
        if (text.size() > kMaxSimConfigBytes)
            return Fail(error,
                        path + " is larger than " + std::to_string(kMaxSimConfigBytes) + " bytes");
    }
    if (!ParseSimConfig(text, config, error))
        return Fail(error, path + ": " + error);
    return true;
}

std::string FormatSimConfig(const SimConfig& config) {
    std::ostringstream out;
    out << "[simulator]\n";
    WriteFields(SimulatorFields(), config, out);
    for (const SimServer& server : config.servers) {
        out << "\n[server]\n";
        WriteFields(ServerFields(), server, out);
    }
    for (const SimMaster& master : config.masters) {
        out << "\n[master]\n";
        WriteFields(MasterFields(), master, out);
    }
    return out.str();
}

} // namespace Portico
