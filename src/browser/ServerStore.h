// The process-wide list of known servers, each classified once by region and country when it
// is added; the browser's refresh selects from it.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <vector>

namespace Portico {

struct ServerStoreEntry {
    ServerAddress address;
    uint32_t regionMask;  // exactly one bit: bit n - 1 for region n
    uint16_t countryCode; // first letter * 256 + second
};

class ServerStore {
public:
    using RegionLookupFn = uint8_t (*)(uint32_t ip, uint8_t out[3]);

    explicit ServerStore(RegionLookupFn lookup) : lookup(lookup) {}

    // Drops an address that lies in no region.
    void AddKnownServer(const ServerAddress& address);
    void SelectByRegion(uint16_t gameId, uint32_t mask, std::vector<ServerAddress>& out) const;
    void SelectByCountry(uint16_t gameId, uint16_t countryCode,
                         std::vector<ServerAddress>& out) const;
    size_t Size() const { return entries.size(); }

private:
    RegionLookupFn lookup;
    std::vector<ServerStoreEntry> entries; // insertion order, duplicates kept
};

} // namespace Portico
