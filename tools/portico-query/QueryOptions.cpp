#include "QueryOptions.h"

#include "GameFacts.h"

#include "utils/AddressText.h"
#include "utils/OptionReader.h"
#include "utils/ParseNumber.h"

#include <cctype>

namespace Portico {

const char* const kQueryUsage =
    "usage: portico-query [options] [host:port ...]\n"
    "Queries game servers over UDP and prints them sorted by ping.\n"
    "\n"
    "  --game ID          game of the servers (1003, 1028, 1005, 1010; default 1003)\n"
    "  --master HOST:PORT also query the servers a master server lists, page after page\n"
    "                     (repeatable)\n"
    "  --filter TEXT      the masters' filter (default: the game's, e.g. \\gamedir\\harbor;\n"
    "                     \"\" for every game)\n"
    "  --list FILE        also query the servers of a text file: one [TYPE] host:port a line,\n"
    "                     TYPE a game id or a qstat type (a2s, hla2s, q3s)\n"
    "  --fsl FILE         also query the servers of a packed server-list file\n"
    "  --fsl-url URL      the same, fetched over HTTP\n"
    "  --region R         only region R (1 to 15) or country R (two letters, e.g. DE)\n"
    "  --timeout SECONDS  how long a server is waited for (default 3)\n"
    "  --retries N        ask a server that has not answered N more times within its\n"
    "                     timeout (default 2)\n"
    "  --rate N           requests per second (default 500)\n"
    "  --in-flight N      requests awaiting their answer at once, 0 for no cap (default 256)\n"
    "  --page-pause MS    pause between two pages of a master (default 2000)\n"
    "  --master-time S    longest time spent paging one master (default 60)\n"
    "  --players          list each server's players\n"
    "  --json             print JSON instead of a table\n"
    "  --demo             browse simulated servers of the four demo games on loopback (it\n"
    "                     starts them itself); with --game, only that game\n"
    "  --sim FILE         start the simulated servers of a game-sim configuration first\n"
    "  --help             this text\n"
    "\n"
    "Exit codes: 0 done, 1 nothing could be queried, 2 bad arguments.\n";

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

} // namespace

bool ParseHostPort(const std::string& text, HostPort& out) {
    return Utils::ParseHostPort(text, out.host, out.port);
}

namespace {

bool Fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

bool ParseGame(const std::string& value, QueryOptions& options, std::string& error) {
    uint16_t number;
    if (!Utils::ParseDecimal(value, number) || !GameFacts::Known(number))
        return Fail(error, "unknown game: " + value + "; known games: " + GameFacts::KnownList());
    options.game = number;
    options.gameGiven = true;
    return true;
}

bool ParseCount(const std::string& name, const std::string& value, unsigned long min,
                unsigned long max, uint32_t& out, std::string& error) {
    uint32_t number;
    if (!Utils::ParseDecimal(value, number, uint32_t(max)) || number < min)
        return Fail(error, "bad " + name + " (" + std::to_string(min) + " to " +
                               std::to_string(max) + "): " + value);
    out = number;
    return true;
}

bool ParseMaster(const std::string& value, QueryOptions& options, std::string& error) {
    HostPort hostPort;
    if (!ParseHostPort(value, hostPort))
        return Fail(error, "bad master address (HOST:PORT): " + value);
    options.masters.push_back(hostPort);
    return true;
}

// Handles an option that takes a value; false with error set when the value is bad.
bool ParseValueOption(const std::string& name, const std::string& value, QueryOptions& options,
                      std::string& error) {
    if (name == "--game")
        return ParseGame(value, options, error);
    if (name == "--master")
        return ParseMaster(value, options, error);
    if (name == "--region")
        return ParseRegion(value, options) ||
               Fail(error, "bad region (1 to 15, or a two-letter country): " + value);
    if (name == "--timeout")
        return Utils::ParseSeconds(value, options.timeoutSeconds, 3600) ||
               Fail(error, "bad timeout (seconds, above 0): " + value);
    if (name == "--master-time")
        return Utils::ParseSeconds(value, options.masterSeconds, 3600) ||
               Fail(error, "bad master time (seconds, above 0): " + value);
    if (name == "--rate")
        return ParseCount("rate", value, 1, 1000000, options.rate, error);
    if (name == "--retries")
        return ParseCount("retries", value, 0, 10, options.retries, error);
    if (name == "--in-flight")
        return ParseCount("in-flight", value, 0, 1000000, options.inFlight, error);
    if (name == "--page-pause")
        return ParseCount("page pause", value, 0, 60000, options.pagePauseMs, error);
    if (name == "--filter") {
        options.filterGiven = true;
        options.filter = value;
    } else if (name == "--fsl") {
        options.fslFile = value;
    } else if (name == "--fsl-url") {
        options.fslUrl = value;
    } else if (name == "--list") {
        options.listFile = value;
    } else {
        options.simFile = value;
    }
    return true;
}

} // namespace

bool ParseQueryOptions(const std::vector<std::string>& args, QueryOptions& options,
                       std::string& error) {
    Utils::OptionReader reader(args, {{"--help", false, "-h"},
                                      {"--players"},
                                      {"--json"},
                                      {"--demo"},
                                      {"--game", true},
                                      {"--master", true},
                                      {"--region", true},
                                      {"--timeout", true},
                                      {"--fsl", true},
                                      {"--fsl-url", true},
                                      {"--filter", true},
                                      {"--rate", true},
                                      {"--in-flight", true},
                                      {"--page-pause", true},
                                      {"--master-time", true},
                                      {"--list", true},
                                      {"--sim", true},
                                      {"--retries", true}});
    Utils::OptionReader::Item item;
    while (reader.Next(item)) {
        HostPort hostPort;
        if (item.kind == Utils::OptionReader::Kind::Error)
            return Fail(error, item.value);
        if (item.kind == Utils::OptionReader::Kind::Operand) {
            if (!ParseHostPort(item.name, hostPort))
                return Fail(error, "bad server address (HOST:PORT): " + item.name);
            options.servers.push_back(hostPort);
        } else if (item.name == "--help") {
            options.help = true;
        } else if (item.name == "--players") {
            options.players = true;
        } else if (item.name == "--json") {
            options.json = true;
        } else if (item.name == "--demo") {
            options.demo = true;
        } else if (!ParseValueOption(item.name, item.value, options, error)) {
            return false;
        }
    }
    const bool nothing = options.servers.empty() && options.masters.empty() &&
                         options.fslFile.empty() && options.fslUrl.empty() &&
                         options.listFile.empty();
    if (options.help)
        return true;
    if (options.demo && !options.simFile.empty())
        return Fail(error, "--demo and --sim start simulated servers each: give one of them");
    if (!options.demo && nothing)
        return Fail(error,
                    "nothing to query: give servers, --master, --list, --fsl, --fsl-url or --demo");
    return true;
}

} // namespace Portico
