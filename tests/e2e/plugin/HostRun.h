// Runs the stand-in host on a script and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace Portico::E2e {

struct HostOutput {
    int exitCode = -1;
    std::vector<std::string> lines;

    // Lines of the last "dump" that start with prefix.
    std::vector<std::string> LastDump(const std::string& prefix) const;
    bool Has(const std::string& line) const;
    // Every line, for a failure's message.
    std::string All() const;
    size_t Count(const std::string& prefix) const;
};

// The quoted fields of a dump line.
std::vector<std::string> Fields(const std::string& line);

// script: commands, one per line (UTF-8).
HostOutput RunHost(const std::string& script);

} // namespace Portico::E2e
