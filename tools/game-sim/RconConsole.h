// The console behind a simulated server's RCON endpoints: the password and canned output.
#pragma once

#include "SimConfig.h"

#include <string>
#include <vector>

namespace Portico {

class RconConsole {
public:
    RconConsole() = default;
    RconConsole(std::string password, std::vector<SimCommand> commands);

    // An empty console password admits nobody.
    bool Accepts(const std::string& password) const;
    // The canned output of the whole command line, else of its first word; "echo" repeats its
    // arguments; anything else is an unknown command.
    std::string Run(const std::string& command) const;

private:
    std::string password;
    std::vector<SimCommand> commands;
};

// Text cut into pieces of at most maxBytes (one empty piece for empty text).
std::vector<std::string> CutText(const std::string& text, size_t maxBytes);

} // namespace Portico
