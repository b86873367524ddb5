// Deployment constants shared with the publisher of the server lists (tools/fsl-pack uses
// the same): the server-list host and the key that scrambles every list file.
#pragma once

#include <cstdint>

namespace Portico {

// The built-in host cannot resolve, so an unconfigured build never reaches the internet.
constexpr const char* kServerListHostDefault = "fsl.portico.invalid";

// Environment variable that replaces the host for tests and the demo: "name" or
// "name:port", for example "127.0.0.1:8123". Without a port the default HTTP port is used.
constexpr const char* kServerListHostVariable = "PORTICO_FSL_HOST";

// Word i of a list file's compressed data is exclusive-ored with word (i mod 8) of this.
constexpr uint32_t kServerListKey[8] = {0x5A3C96E1u, 0xC71B2F48u, 0x3E8D0A75u, 0x91F46C2Bu,
                                        0x6B207DD9u, 0xE45A1398u, 0x0FC9B6A4u, 0xB8735E1Du};

} // namespace Portico
