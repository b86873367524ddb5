// The small datagrams that tell the report endpoint which area the user browses and which
// server the user plays on. Integers are little-endian.
#pragma once

#include <cstdint>
#include <vector>

namespace Portico {

class ReportDatagrams {
public:
    static constexpr uint8_t kBrowse = 0xE0;
    static constexpr uint8_t kPlay = 0xE8;

    // A region selection (mask below 0x10000) gives 5 bytes: type, game, region bits. A
    // country selection (code in the upper half) gives 7: type, game, 0, country code.
    static std::vector<uint8_t> Area(uint16_t gameId, uint32_t mask);
    // 10 bytes: type, game, 1, ip (host order), port.
    static std::vector<uint8_t> Play(uint16_t gameId, uint32_t ip, uint16_t port);
};

} // namespace Portico
