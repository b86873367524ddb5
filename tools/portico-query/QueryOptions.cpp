#include "QueryOptions.h"

#include "utils/AddressText.h"
#include "utils/ParseNumber.h"

#include <cctype>
#include <cstdlib>

namespace Portico {

const char* const kQueryUsage =
    "usage: portico-query [options] [host:port ...]\n"
    "Queries game servers over UDP and prints them sorted by ping.\n"
    "\n"
    "  --game ID          game id of the servers (1003, 1028, 1005, 1010; default 1003)\n"
    "  --master HOST:PORT also query the servers a master server lists (repeatable)\n"
    "  --fsl FILE         also query the servers of a packed server-list file\n"
    "  --fsl-url URL      the same, fetched over HTTP\n"
    "  --region R         only region R (1 to 15) or country R (two letters, e.g. DE)\n"
    "  --timeout SECONDS  how long to wait for replies (default 3)\n"
    "  --players          list each server's players\n"
    "  --json             print JSON instead of a table\n"
    "  --demo             browse simulated servers of the four demo games on loopback (it\n"
    "                     starts them itself); with --game, only that game\n"
    "  --help             this text\n";

namespace {

bool ParseRegion(const std::string& text, QueryOptions& options) {
    uint32_t region;
    if (Utils::ParseDecimal(text, region, 15u) && region >= 1) {
        options.regionMask = 1u << (region - 1);
    } else if (text.size() == 2 && std::isalpha(static_cast<unsigned char>(text[0])) &&
               std::isalpha(static_cast<unsigned char>(text[1]))) {
        const uint32_t code = uint32_t(std::toupper(static_cast<unsigned char>(text[0]))) << 8 |
                              uint32_t(std::toupper(static_cast<unsigned char>(text[1])));
        options.regionMask = code << 16;
    } else {
        return false;
    }
    options.regionFilterOn = true;
    return true;
}

bool ParseTimeout(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && out > 0 && out <= 3600;
}

} // namespace

bool ParseHostPort(const std::string& text, HostPort& out) {
    return Utils::ParseHostPort(text, out.host, out.port);
}

namespace {

bool Fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

// Handles an option that takes a value; false with error set when the value is bad.
bool ParseValueOption(const std::string& name, const std::string& value, QueryOptions& options,
                      std::string& error) {
    HostPort hostPort;
    uint16_t game;
    if (name == "--game") {
        if (!Utils::ParseDecimal(value, game) || game == 0)
            return Fail(error, "bad game id: " + value);
        options.game = game;
        options.gameGiven = true;
    } else if (name == "--master") {
        if (!ParseHostPort(value, hostPort))
            return Fail(error, "bad master address (HOST:PORT): " + value);
        options.masters.push_back(hostPort);
    } else if (name == "--region") {
        if (!ParseRegion(value, options))
            return Fail(error, "bad region (1 to 15, or a two-letter country): " + value);
    } else if (name == "--timeout") {
        if (!ParseTimeout(value, options.timeoutSeconds))
            return Fail(error, "bad timeout (seconds, above 0): " + value);
    } else if (name == "--fsl") {
        options.fslFile = value;
    } else {
        options.fslUrl = value;
    }
    return true;
}

bool IsValueOption(const std::string& arg) {
    return arg == "--game" || arg == "--master" || arg == "--region" || arg == "--timeout" ||
           arg == "--fsl" || arg == "--fsl-url";
}

} // namespace

bool ParseQueryOptions(const std::vector<std::string>& args, QueryOptions& options,
                       std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        HostPort hostPort;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--players") {
            options.players = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--demo") {
            options.demo = true;
        } else if (IsValueOption(arg)) {
            if (i + 1 >= args.size())
                return Fail(error, arg + " needs a value");
            if (!ParseValueOption(arg, args[++i], options, error))
                return false;
        } else if (!arg.empty() && arg[0] == '-') {
            return Fail(error, "unknown option: " + arg);
        } else if (ParseHostPort(arg, hostPort)) {
            options.servers.push_back(hostPort);
        } else {
            return Fail(error, "bad server address (HOST:PORT): " + arg);
        }
    }
    const bool nothing = options.servers.empty() && options.masters.empty() &&
                         options.fslFile.empty() && options.fslUrl.empty();
    if (!options.help && !options.demo && nothing)
        return Fail(error, "nothing to query: give servers, --master, --fsl, --fsl-url or --demo");
    return true;
}

} // namespace Portico
