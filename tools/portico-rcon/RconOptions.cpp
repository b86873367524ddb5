#include "RconOptions.h"

#include <charconv>

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

template <typename Number> bool ParseNumber(const std::string& text, Number low, Number& out) {
    Number value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < low)
        return false;
    out = value;
    return true;
}

bool ParseAddress(const std::string& text, RconOptions& options) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    options.host = text.substr(0, colon);
    return ParseNumber<uint16_t>(text.substr(colon + 1), 1, options.port);
}

bool ParseTimeout(const std::string& text, double& out) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), out);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && out > 0 &&
           out <= 3600;
}

bool ParseValue(const std::string& name, const std::string& value, RconOptions& options,
                std::string& error) {
    if (name == "--game") {
        if (!ParseNumber<uint16_t>(value, 1, options.game))
            return Fail(error, "bad game id: " + value);
    } else if (name == "--timeout") {
        if (!ParseTimeout(value, options.timeoutSeconds))
            return Fail(error, "bad timeout (seconds, above 0): " + value);
    } else if (name == "--password-file") {
        options.passwordFile = value;
    } else {
        options.password = value;
        options.passwordGiven = true;
    }
    return true;
}

bool TakesValue(const std::string& arg) {
    return arg == "--game" || arg == "--timeout" || arg == "--password-file" || arg == "--password";
}

} // namespace

bool ParseRconOptions(const std::vector<std::string>& args, RconOptions& options,
                      std::string& error) {
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
        if (arg == "--") {
            ++i;
            break;
        }
        if (TakesValue(arg)) {
            if (i + 1 >= args.size())
                return Fail(error, arg + " needs a value");
            if (!ParseValue(arg, args[++i], options, error))
                return false;
        } else if (!arg.empty() && arg[0] == '-') {
            return Fail(error, "unknown option: " + arg);
        } else {
            break;
        }
    }
    if (i >= args.size())
        return Fail(error, "no server address (HOST:PORT)");
    if (!ParseAddress(args[i], options))
        return Fail(error, "bad server address (HOST:PORT): " + args[i]);
    if (!options.passwordFile.empty() && options.passwordGiven)
        return Fail(error, "give either --password-file or --password");
    options.commands.assign(args.begin() + long(i) + 1, args.end());
    return true;
}

} // namespace Portico
