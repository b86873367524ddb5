// Command line of portico-query.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct HostPort {
    std::string host;
    uint16_t port = 0;
};

struct QueryOptions {
    std::vector<HostPort> servers;
    std::vector<HostPort> masters;
    uint16_t game = 1003;
    bool gameGiven = false;
    uint32_t regionMask = 0xFFFF; // a region bit, a country code in the upper half, or all
    bool regionFilterOn = false;
    double timeoutSeconds = 3.0;
    uint32_t retries = 2;
    bool players = false;
    bool json = false;
    bool demo = false;
    bool help = false;
    std::string fslFile;
    std::string fslUrl;
    std::string listFile; // server lines: [type|game] host:port
    std::string simFile;  // simulated servers to start first
    bool filterGiven = false;
    std::string filter; // the masters' filter, when given
    uint32_t rate = 500;
    uint32_t inFlight = 256;
    uint32_t pagePauseMs = 2000;
    double masterSeconds = 60;
};

// Parses argv[1..]. False with a message in error for bad arguments (an unknown game's
// message names the known ones).
bool ParseQueryOptions(const std::vector<std::string>& args, QueryOptions& options,
                       std::string& error);
bool ParseHostPort(const std::string& text, HostPort& out);
extern const char* const kQueryUsage;

} // namespace Portico
