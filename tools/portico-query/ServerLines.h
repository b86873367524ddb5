// A text file of servers: one "[TYPE] host:port" a line, TYPE a game id or a server type of
// qstat's server lists (a2s, hla2s, q3s), so that both tools can read one list. Blank lines and
// lines starting with '#' are skipped.
#pragma once

#include "QueryOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct ServerLine {
    HostPort address;
    uint16_t game;
};

constexpr size_t kMaxServerLinesBytes = 64 * 1024 * 1024;

// Lines without a type are of defaultGame. False with "line N: why" in error.
bool ParseServerLines(const std::string& text, uint16_t defaultGame, std::vector<ServerLine>& out,
                      std::string& error);
bool LoadServerLines(const std::string& path, uint16_t defaultGame, std::vector<ServerLine>& out,
                     std::string& error);

} // namespace Portico
