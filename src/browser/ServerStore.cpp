#include "browser/ServerStore.h"

namespace Portico {

void ServerStore::AddKnownServer(const ServerAddress& address) {
    uint8_t out[3] = {0, 0, 0};
    const uint8_t region = lookup(address.ip, out);
    // A region beyond the mask's 32 bits is no region either.
    if (region == 0 || region > 32)
        return;
    entries.push_back({address, 1u << (region - 1), uint16_t(out[0] << 8 | out[1])});
}

void ServerStore::SelectByRegion(uint16_t gameId, uint32_t mask,
                                 std::vector<ServerAddress>& out) const {
    for (const ServerStoreEntry& entry : entries) {
        if (entry.address.gameId == gameId && (entry.regionMask & mask) != 0)
            out.push_back(entry.address);
    }
}

void ServerStore::SelectByCountry(uint16_t gameId, uint16_t countryCode,
                                  std::vector<ServerAddress>& out) const {
    for (const ServerStoreEntry& entry : entries) {
        if (entry.address.gameId == gameId && entry.countryCode == countryCode)
            out.push_back(entry.address);
    }
}

} // namespace Portico
