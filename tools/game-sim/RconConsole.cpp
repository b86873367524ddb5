#include "RconConsole.h"

namespace Portico {

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

RconConsole::RconConsole(std::string password, std::vector<SimCommand> commands)
    : password(std::move(password)), commands(std::move(commands)) {}

bool RconConsole::Accepts(const std::string& given) const {
    return !password.empty() && given == password;
}

std::string RconConsole::Run(const std::string& command) const {
    const std::string line = Trimmed(command);
    const size_t space = line.find_first_of(" \t");
    const std::string word = line.substr(0, space);
    for (const SimCommand& canned : commands)
        if (canned.command == line)
            return canned.output;
    for (const SimCommand& canned : commands)
        if (canned.command == word)
            return canned.output;
    if (word == "echo")
        return (space == std::string::npos ? std::string() : Trimmed(line.substr(space))) + "\n";
    return "Unknown command \"" + word + "\"\n";
}

std::vector<std::string> CutText(const std::string& text, size_t maxBytes) {
    std::vector<std::string> pieces;
    size_t first = 0;
    do {
        pieces.push_back(text.substr(first, maxBytes));
        first += maxBytes;
    } while (first < text.size());
    return pieces;
}

} // namespace Portico
