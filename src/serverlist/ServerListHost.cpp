#include "serverlist/ServerListHost.h"

#include "serverlist/Deployment.h"
#include "utils/Utf.h"

#include <cstdlib>

namespace Portico {

namespace {

bool ParsePort(const std::string& digits, uint16_t& port) {
    if (digits.empty() || digits.size() > 5)
        return false;
    uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + uint32_t(c - '0');
    }
    if (value == 0 || value > 65535)
        return false;
    port = static_cast<uint16_t>(value);
    return true;
}

} // namespace

bool ParseServerListHost(const std::string& text, ServerListHost& host) {
    const size_t colon = text.find(':');
    const std::string name = text.substr(0, colon);
    if (name.empty())
        return false;
    uint16_t port = 0;
    if (colon != std::string::npos && !ParsePort(text.substr(colon + 1), port))
        return false;
    host.name = Utils::Utf::ToUtf16(name);
    host.port = port;
    return true;
}

ServerListHost ConfiguredServerListHost() {
    ServerListHost host;
    const char* configured = std::getenv(kServerListHostVariable);
    if (!configured || !ParseServerListHost(configured, host))
        ParseServerListHost(kServerListHostDefault, host);
    return host;
}

} // namespace Portico
