#include "SimConfigFields.h"

#include "SimBytes.h"
#include "SimConfigCheck.h"
#include "SimNames.h"
#include "SimRequest.h"
#include "SimValueText.h"

#include "utils/AddressText.h"

#include <functional>
#include <limits>
#include <vector>

namespace Portico {

namespace {

// One key of a block: how its value is read, and the values written for it (none when the
// owner holds the default).
template <typename Owner> struct Field {
    const char* key;
    std::function<bool(Owner&, const std::string&, std::string&)> parse;
    std::function<void(const Owner&, Values&)> format;
};

template <typename Owner> Field<Owner> TextField(const char* key, std::string Owner::*member) {
    return {key,
            [member](Owner& owner, const std::string& raw, std::string& error) {
                return UnescapeValue(raw, owner.*member) || SimFail(error, "bad escape");
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
                    return SimFail(error, "expected a number from 0 to " +
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
                return ParseFlag(raw, owner.*member) || SimFail(error, "expected yes or no");
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
                return SimFail(error, "expected one of " + all);
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
                    return SimFail(error, "expected a.b.c.d:port");
                const std::string problem = AddressProblem(owner.address);
                return problem.empty() || SimFail(error, problem);
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
                return SimFail(error, "expected ms or low-high ms, at most " +
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
                    return SimFail(error, "expected a chance from 0 to 1");
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
        return SimFail(error, "expected name|score|seconds|ping");
    if (!UnescapeValue(Trim(parts[0]), player.name))
        return SimFail(error, "bad escape");
    // An empty field keeps its 0.
    const auto given = [&parts](size_t i) { return i < parts.size() && !Trim(parts[i]).empty(); };
    double seconds = 0;
    if ((given(1) && !ParseSigned(Trim(parts[1]), player.score)) ||
        (given(2) && (!ParseReal(Trim(parts[2]), seconds) || seconds < -1e9 || seconds > 1e9)) ||
        (given(3) && !ParseSigned(Trim(parts[3]), player.ping)))
        return SimFail(error, "expected name|score|seconds|ping with numbers");
    player.seconds = float(seconds);
    return true;
}

Field<SimServer> PlayerField() {
    return {
        "player",
        [](SimServer& server, const std::string& raw, std::string& error) {
            SimPlayer player;
            if (!ParsePlayer(raw, player, error))
                return false;
            if (server.players.size() >= kMaxSimPlayers)
                return SimFail(error, "more than " + std::to_string(kMaxSimPlayers) + " players");
            server.players.push_back(player);
            return true;
        },
        [](const SimServer& server, Values& out) {
            for (const SimPlayer& player : server.players)
                out.push_back(EscapeValue(player.name) + "|" + std::to_string(player.score) + "|" +
                              RealText(player.seconds, 9) + "|" + std::to_string(player.ping));
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
                    return SimFail(error, "expected command|output");
                if (server.commands.size() >= kMaxSimCommands)
                    return SimFail(error,
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
                    return SimFail(error, "expected l, w, m or o");
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
                    return SimFail(error, "expected name|value");
                if (server.rules.size() >= kMaxSimRules)
                    return SimFail(error, "more than " + std::to_string(kMaxSimRules) + " rules");
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
        return SimFail(error, "expected a.b.c.d/prefix CC");
    region.prefix = uint8_t(prefix);
    const std::string problem = RegionProblem(region);
    return problem.empty() || SimFail(error, problem);
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
bool ApplyFieldOf(const std::vector<Field<Owner>>& fields, Owner& owner, const std::string& key,
                  const std::string& value, std::string& error) {
    for (const Field<Owner>& field : fields)
        if (key == field.key)
            return field.parse(owner, value, error) || SimFail(error, key + ": " + error);
    return SimFail(error, "unknown key '" + key + "'");
}

template <typename Owner>
void WriteFieldsOf(const std::vector<Field<Owner>>& fields, const Owner& owner, std::ostream& out) {
    for (const Field<Owner>& field : fields) {
        Values values;
        field.format(owner, values);
        for (const std::string& value : values)
            out << field.key << " = " << value << "\n";
    }
}

} // namespace

bool ApplyField(SimConfig& config, const std::string& key, const std::string& value,
                std::string& error) {
    return ApplyFieldOf(SimulatorFields(), config, key, value, error);
}

bool ApplyField(SimServer& server, const std::string& key, const std::string& value,
                std::string& error) {
    return ApplyFieldOf(ServerFields(), server, key, value, error);
}

bool ApplyField(SimMaster& master, const std::string& key, const std::string& value,
                std::string& error) {
    return ApplyFieldOf(MasterFields(), master, key, value, error);
}

void WriteFields(const SimConfig& config, std::ostream& out) {
    WriteFieldsOf(SimulatorFields(), config, out);
}

void WriteFields(const SimServer& server, std::ostream& out) {
    WriteFieldsOf(ServerFields(), server, out);
}

void WriteFields(const SimMaster& master, std::ostream& out) {
    WriteFieldsOf(MasterFields(), master, out);
}

} // namespace Portico
