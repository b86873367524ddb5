// The simulator's configuration file: key = value lines in [simulator], [server] and [master]
// blocks (README.md beside this file). Parsing and writing agree: a written configuration
// parses back to the same one.
#pragma once

#include "SimConfig.h"
#include "SimValueText.h"

#include <string>

namespace Portico {

// Longest configuration file read.
constexpr size_t kMaxSimConfigBytes = 4 * 1024 * 1024;

// False with "line N: why" in error for anything malformed or not servable.
bool ParseSimConfig(const std::string& text, SimConfig& config, std::string& error);
bool LoadSimConfig(const std::string& path, SimConfig& config, std::string& error);
std::string FormatSimConfig(const SimConfig& config);

} // namespace Portico
