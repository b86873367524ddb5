// What the storage trials write: numbered generations of the favourites (with the browser's two
// settings) and of one area's server list, each recognisable when it is read back.
#pragma once

#include "abi/ProtocolInterface.h"
#include "common/HostInfo.h"
#include "query/ServerRecord.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Trials {

constexpr uint32_t kArea = 7;
// From here on generations are small: a save that follows one of them grows the file.
constexpr uint32_t kSmallGenerations = 50000;
// The filter setting carries the generation in its upper half.
constexpr uint32_t kLastGeneration = 65534;

// 1,000 favourites (200 for small generations), all different from those of other generations.
std::vector<Portico::ServerRecord> FavouritesOf(uint32_t generation);
inline bool InFavouritesOf(uint32_t generation) {
    return generation & 1;
}
inline uint32_t FilterOf(uint32_t generation) {
    return (generation + 1) << 16;
}

// 50,000 servers (1,000 for small generations), in file order.
std::vector<Portico::ServerAddress> ServersOf(uint32_t generation);
inline int64_t ListTimeOf(uint32_t generation) {
    return 1700000000 + int64_t(generation);
}

// The user store's own cycle: load, the generation's favourites in place of the loaded ones,
// save. beforeSave runs between loading and saving. The save's result.
bool SaveFavourites(Portico::HostInfo& host, uint32_t generation,
                    const std::function<void()>& beforeSave = {});
// The server-list cache's write of a downloaded list: open the store, write the area.
bool SaveServers(Portico::HostInfo& host, uint32_t generation,
                 const std::function<void()>& beforeWrite = {});

} // namespace Trials
