// Command line of portico-rcon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct RconOptions {
    uint16_t game = 1003;
    std::string host;
    uint16_t port = 0;
    std::vector<std::string> commands; // none: an interactive prompt
    std::string passwordFile;
    std::string password; // only with --password
    bool passwordGiven = false;
    double timeoutSeconds = 5.0;
    bool help = false;
};

// Parses argv[1..]. False with a message in error for bad arguments. Everything after the
// address is a command, options included ("--" also ends the options).
bool ParseRconOptions(const std::vector<std::string>& args, RconOptions& options,
                      std::string& error);
extern const char* const kRconUsage;

} // namespace Portico
