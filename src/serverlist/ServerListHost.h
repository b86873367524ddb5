// Where server-list files are fetched from: a host name and an optional port.
#pragma once

#include <cstdint>
#include <string>

namespace Portico {

struct ServerListHost {
    std::u16string name;
    uint16_t port = 0; // 0: the default HTTP port
};

// Reads "name" or "name:port" (port 1 to 65535). False for an empty name or a bad port.
bool ParseServerListHost(const std::string& text, ServerListHost& host);

// The host of the environment variable kServerListHostVariable when it is set and valid,
// otherwise the built-in kServerListHostDefault.
ServerListHost ConfiguredServerListHost();

} // namespace Portico
