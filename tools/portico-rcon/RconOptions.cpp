#include "RconOptions.h"

#include "utils/AddressText.h"
#include "utils/OptionReader.h"
#include "utils/ParseNumber.h"

namespace Portico {

const char* const kRconUsage =
    "usage: portico-rcon [options] HOST:PORT [COMMAND ...]\n"
    "Runs commands on a game server's remote console and prints their output. Without\n"
    "commands it reads them from a prompt, one a line, until end of input (Ctrl-D); every\n"
    "line goes to the server, so \"quit\" stops the server, not this program.\n"
    "\n"
    "  --game ID             the server's game (default 1003):\n"
    "                        1003, 1028 Source RCON over TCP (PORT is the game port)\n"
    "                        1005 GoldSrc console over UDP, with its challenge\n"
    "                        1010 Quake III console over UDP\n"
    "  --password-file FILE  the password is the first line of FILE\n"
    "  --password TEXT       the password itself: other users of the machine can read it\n"
    "                        in the process list; prefer the file or the environment\n"
    "  --timeout SECONDS     how long to wait for the server's answers (default 5)\n"
    "  --help                this text\n"
    "\n"
    "Without --password-file or --password the password comes from the environment variable\n"
    "PORTICO_RCON_PASSWORD, else it is asked for on the terminal without echo.\n"
    "Exit status: 0 done, 1 password refused, no answer or connection lost, 2 bad arguments.\n";

namespace {

bool Fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

bool ParseValue(const std::string& name, const std::string& value, RconOptions& options,
                std::string& error) {
    if (name == "--game") {
        if (!Utils::ParseDecimal(value, options.game) || options.game == 0)
            return Fail(error, "bad game id: " + value);
    } else if (name == "--timeout") {
        if (!Utils::ParseSeconds(value, options.timeoutSeconds, 3600))
            return Fail(error, "bad timeout (seconds, above 0): " + value);
    } else if (name == "--password-file") {
        options.passwordFile = value;
    } else {
        options.password = value;
        options.passwordGiven = true;
    }
    return true;
}

} // namespace

bool ParseRconOptions(const std::vector<std::string>& args, RconOptions& options,
                      std::string& error) {
    Utils::OptionReader reader(args, {{"--help", false, "-h"},
                                      {"--game", true},
                                      {"--timeout", true},
                                      {"--password-file", true},
                                      {"--password", true}});
    Utils::OptionReader::Item item;
    bool haveAddress = false;
    while (!haveAddress && reader.Next(item)) {
        if (item.kind == Utils::OptionReader::Kind::Error)
            return Fail(error, item.value);
        haveAddress = item.kind == Utils::OptionReader::Kind::Operand;
        if (!haveAddress && item.name == "--help") {
            options.help = true;
            return true;
        }
        if (!haveAddress && !ParseValue(item.name, item.value, options, error))
            return false;
    }
    if (!haveAddress)
        return Fail(error, "no server address (HOST:PORT)");
    if (!Utils::ParseHostPort(item.name, options.host, options.port))
        return Fail(error, "bad server address (HOST:PORT): " + item.name);
    if (!options.passwordFile.empty() && options.passwordGiven)
        return Fail(error, "give either --password-file or --password");
    options.commands = reader.Rest();
    return true;
}

} // namespace Portico
