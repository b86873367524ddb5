#include "browser/ReportEndpoint.h"

#include "utils/ResolveHost.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace Portico {

ReportEndpoint ReportEndpoint::From(const char* configured, uint32_t (*resolve)(const char*)) {
    ReportEndpoint endpoint;
    if (!configured)
        return endpoint;
    const std::string text = configured;
    const size_t colon = text.find(':');
    if (colon != std::string::npos) {
        uint32_t port = 0;
        const char* last = text.data() + text.size();
        const auto read = std::from_chars(text.data() + colon + 1, last, port);
        if (read.ec != std::errc() || read.ptr != last || port == 0 || port > 0xFFFF)
            return {0, 0};
        endpoint.port = uint16_t(port);
    }
    const uint32_t ip = resolve(text.substr(0, colon).c_str());
    endpoint.ip = ip == Utils::kNoAddress ? 0 : ip;
    return endpoint;
}

ReportEndpoint ReportEndpoint::FromEnvironment() {
    return From(std::getenv(kReportHostVariable), Utils::ResolveHost);
}

} // namespace Portico
