#include "serverlist/ServerListHost.h"

#include "serverlist/Deployment.h"
#include "utils/AddressText.h"
#include "utils/Utf.h"

#include <cstdlib>

namespace Portico {

bool ParseServerListHost(const std::string& text, ServerListHost& host) {
    std::string name = text;
    uint16_t port = 0;
    if (text.find(':') != std::string::npos && !Utils::ParseHostPort(text, name, port))
        return false;
    if (name.empty())
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
