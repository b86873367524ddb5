#include "ServerLines.h"

#include "GameFacts.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace Portico {

namespace {

bool Fail(std::string& error, size_t line, const std::string& why) {
    error = "line " + std::to_string(line) + ": " + why;
    return false;
}

} // namespace

bool ParseServerLines(const std::string& text, uint16_t defaultGame, std::vector<ServerLine>& out,
                      std::string& error) {
    std::istringstream lines(text);
    std::string line;
    out.clear();
    for (size_t number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string first, second, extra;
        words >> first >> second >> extra;
        if (first.empty() || first[0] == '#')
            continue;
        ServerLine server{{}, defaultGame};
        const std::string& address = second.empty() ? first : second;
        if (!extra.empty())
            return Fail(error, number, "expected [TYPE] host:port");
        if (!second.empty())
            server.game = GameFacts::OfServerType(first, defaultGame);
        if (server.game == 0)
            return Fail(error, number,
                        "unknown type " + first +
                            " (a2s, hla2s, q3s or a game: " + GameFacts::KnownList() + ")");
        if (!ParseHostPort(address, server.address))
            return Fail(error, number, "bad server address (HOST:PORT): " + address);
        out.push_back(server);
    }
    return true;
}

bool LoadServerLines(const std::string& path, uint16_t defaultGame, std::vector<ServerLine>& out,
                     std::string& error) {
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    if (!file) {
        error = "cannot read it";
        return false;
    }
    std::string text;
    char piece[64 * 1024];
    while (file.read(piece, sizeof piece) || file.gcount() > 0) {
        text.append(piece, size_t(file.gcount()));
        if (text.size() > kMaxServerLinesBytes) {
            error = "it is larger than " + std::to_string(kMaxServerLinesBytes) + " bytes";
            return false;
        }
    }
    return ParseServerLines(text, defaultGame, out, error);
}

} // namespace Portico
