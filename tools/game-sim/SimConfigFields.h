// The keys of each block of the simulator's configuration: how a value is read into the
// simulator, server or master it belongs to, and the lines written for it.
#pragma once

#include "SimConfig.h"

#include <ostream>
#include <string>

namespace Portico {

// False with the key and the reason in error for an unknown key or a bad value.
bool ApplyField(SimConfig& config, const std::string& key, const std::string& value,
                std::string& error);
bool ApplyField(SimServer& server, const std::string& key, const std::string& value,
                std::string& error);
bool ApplyField(SimMaster& master, const std::string& key, const std::string& value,
                std::string& error);

// One "key = value" line per value that differs from the default.
void WriteFields(const SimConfig& config, std::ostream& out);
void WriteFields(const SimServer& server, std::ostream& out);
void WriteFields(const SimMaster& master, std::ostream& out);

} // namespace Portico
