// Where the area and play reports go: a deployment constant on loopback, so that an
// unconfigured build reports nowhere, replaced for tests and demos by an environment variable.
#pragma once

#include <cstdint>

namespace Portico {

// "host" or "host:port", for example "127.0.0.1:24999".
constexpr char kReportHostVariable[] = "PORTICO_REPORT_HOST";

struct ReportEndpoint {
    static constexpr uint32_t kDefaultIp = 0x7F000001; // 127.0.0.1
    static constexpr uint16_t kDefaultPort = 24132;

    uint32_t ip = kDefaultIp; // host order; 0 = report nothing
    uint16_t port = kDefaultPort;

    // configured: the variable's value, null when unset. A host that does not resolve, or a
    // port that is not a number from 1 to 65535, turns the reports off.
    static ReportEndpoint From(const char* configured, uint32_t (*resolve)(const char* host));
    // From the environment variable, resolved with Utils::ResolveHost.
    static ReportEndpoint FromEnvironment();
};

} // namespace Portico
